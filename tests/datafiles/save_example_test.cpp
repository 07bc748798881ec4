// The example recording taken through the save road twice: Save As in the text format, that
// text file opened and saved as binary with "Standard Kestrix Format". The second binary
// file is the recording again, but for what the text format does not keep:
//   - samples, coefficients and file values come back at their text precision (PSstr);
//   - the comment's line breaks become blanks (and a double quote a bullet, 252 characters
//     at most);
//   - on-line notes are not carried;
//   - entry 0 of each channel is taken from case 1;
//   - of the acquisition words only 2 to 6, and 14 of channels 1 to 6, are carried.
// The end-to-end run of the program (tests/e2e) hands its own second file to
// SavedExample.TheEndToEndRunsFile through QV_E2E_SAVED_BINARY.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "save_fixture.h"

using namespace qv;

namespace {

const std::string kExample = QV_RESOURCE_DIR "/examples/respirometry-run.KXdata";

float atTextPrecision(float x) { return float(rt::PSval(rt::PSstr(x))); }

std::string commentAsTheTextFormatKeepsIt(std::string_view comment) {
  std::string out;
  size_t n = 0;
  rt::forEachCodePoint(comment, [&](char32_t cp) {
    if (n++ >= 252) return;
    rt::appendUtf8(out, cp == U'\r' || cp == U'\n' ? U' ' : cp == U'"' ? U'\u2022' : cp);
  });
  return out;
}

DataFile exampleRecording() {
  const auto bytes = rt::readWholeFile(kExample);
  EXPECT_TRUE(bytes);
  BinaryLoadResult r = decodeBinaryFile(bytes ? *bytes : std::vector<uint8_t>{});
  EXPECT_TRUE(r.ok()) << r.error;
  return std::move(r.file);
}

void expectTheRecordingButForTheTextFormat(const DataFile& example, const DataFile& again) {
  ASSERT_EQ(again.nCases, example.nCases);
  ASSERT_EQ(again.nChannels, example.nChannels);
  const FileMeta &m = example.meta, &g = again.meta;
  for (int c = 1; c <= example.nChannels; ++c) {
    SCOPED_TRACE(c);
    const float *a = example.channels[size_t(c)].get(), *b = again.channels[size_t(c)].get();
    for (int32_t k = 1; k <= example.nCases; ++k) ASSERT_EQ(b[k], atTextPrecision(a[k])) << "case " << k;
    EXPECT_EQ(b[0], b[1]) << "entry 0 from case 1";
    EXPECT_EQ(g.labels[size_t(c)], m.labels[size_t(c)]);
    for (int w = 0; w <= 40; ++w) {
      const bool carried = (w >= 2 && w <= 6) || (w == 14 && c <= 6);
      EXPECT_EQ(g.variables[c][w], carried ? atTextPrecision(m.variables[c][w]) : 0.0f) << "word " << w;
    }
  }
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(g.info[i], atTextPrecision(m.info[i])) << "file value " << i;
  EXPECT_EQ(g.startDate, m.startDate);
  EXPECT_EQ(g.startTime, m.startTime);
  EXPECT_EQ(g.comment, commentAsTheTextFormatKeepsIt(m.comment));
  EXPECT_TRUE(g.notes.empty());
  ASSERT_EQ(g.markers.size(), m.markers.size());
  for (size_t i = 0; i < m.markers.size(); ++i) {
    EXPECT_EQ(g.markers[i].kase, m.markers[i].kase) << i;
    EXPECT_EQ(g.markers[i].code, m.markers[i].code) << i;
  }
}

class SavedExample : public savetest::SaveTest {
 protected:
  // Slot `slot` holds the file at `path` as the open road leaves it.
  void openSaved(int slot, DataFile f, const std::string& path) {
    f.meta.name = rt::fileNameOf(path);
    commitDataFile(std::move(f), slot);
    FileSHORTS[slot][kInUseWord] = 1;
    FileSHORTS[slot][kChangeMarkWord] = 0;
    CFURLarrayMain[slot] = CFURLarrayOutput[slot] = path;
    TheFileInUse = int16_t(slot);
  }
};

}  // namespace

TEST_F(SavedExample, TextThenBinaryGivesTheRecordingBack) {
  const DataFile example = exampleRecording();
  const std::string copy = dir + "/respirometry-run.KXdata";
  ASSERT_TRUE(rt::writeFileAtomic(copy, *rt::readWholeFile(kExample)));
  openSaved(0, exampleRecording(), copy);

  const std::string text = dir + "/run-text.txt";
  records({"click 233", "click 2", "click 7", "save " + text});
  ASSERT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Saved);
  EXPECT_EQ(CFURLarrayMain[0], text);
  EXPECT_EQ(bytesOf(copy), *rt::readWholeFile(kExample)) << "the recording itself is untouched";

  TextReadResult read = decodeTextDataFile(bytesOf(text));
  ASSERT_TRUE(read.ok());
  openSaved(1, std::move(*read.file), text);
  const std::string binary = dir + "/run-again.KXdata";
  records({"click 234", "save " + binary});
  ASSERT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Saved);
  EXPECT_EQ(rt::script::pendingCount(), 0u);

  const auto again = readBack(binary);
  ASSERT_TRUE(again);
  expectTheRecordingButForTheTextFormat(example, *again);
}

TEST(SavedExampleOfTheProgram, TheEndToEndRunsFile) {
  const char* path = std::getenv("QV_E2E_SAVED_BINARY");
  if (!path) GTEST_SKIP() << "run by tests/e2e with the program's own file";
  const auto bytes = rt::readWholeFile(path);
  ASSERT_TRUE(bytes) << path;
  BinaryLoadResult r = decodeBinaryFile(*bytes);
  ASSERT_TRUE(r.ok()) << r.error;
  expectTheRecordingButForTheTextFormat(exampleRecording(), r.file);
}
