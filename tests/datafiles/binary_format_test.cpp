#include "datafiles/binary_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <unistd.h>

#include "datafiles/file_source.h"
#include "hand_bytes.h"
#include "runtime/files.h"
#include "runtime/utf8.h"
#include "support/qvtest.h"

using namespace qv;
using qvtest::HandBytes;

namespace {

std::vector<int16_t> allChannels(int n) {
  std::vector<int16_t> v;
  for (int c = 1; c <= n; ++c) v.push_back(int16_t(c));
  return v;
}

std::vector<uint8_t> saveWhole(const DataFile& f) {
  const auto channels = allChannels(f.nChannels);
  BinarySaveResult r = saveFPBinary(viewOf(f), 0, f.nCases, channels, f.meta.startDate, f.meta.startTime);
  EXPECT_TRUE(r.ok()) << r.error;
  return r.bytes;
}

// Everything up to and including the marker pairs of the small fixture below.
HandBytes fixtureHead(std::string_view signature, bool wideCount, int16_t channels = 2, float headLength = 2) {
  HandBytes h;
  h.text(signature).cr();
  if (wideCount)
    h.i32(3);
  else
    h.i16(3);
  h.f32(0.5f).i16(channels).text("2024-05-01").text("09:30:15").f32(headLength).text("Hi");
  h.f32(1).f32(2).f32(3).f32(4).f32(5).padded("O2 %", 30);
  h.f32(6).f32(7).f32(8).f32(9).f32(10).padded(
      "Chamber \xA1"
      "C",
      30);
  h.f32(500).f32(35).f32(760).f32(25).f32(1000);
  h.i16(1).i16(2).i16(5);  // pairs of 16 bits: the file has fewer than 32,761 cases
  return h;
}

void fixtureArrays(HandBytes& h, bool littleEndian) {
  auto value = [&](float v) { littleEndian ? h.f32le(v) : h.f32(v); };
  h.f32le(20.9f);
  for (float v : {20.9f, 20.8f, 20.7f}) value(v);
  h.f32le(25.0f);
  for (float v : {25.0f, 25.5f, 26.0f}) value(v);
}

void fixtureTail(HandBytes& h) {
  h.f32(7).f32(0.1f).f32(0.2f).f32(0.3f).f32(0.4f).f32(0.5f).f32(0.6f);
  h.text("Hi").cr().u8(27);
  h.u8(240).cr().text(" 1").cr().text("2").cr().text("09:30:16").cr().text("mouse in").cr();
}

struct Fixture {
  std::vector<uint8_t> bytes;
  size_t arraysEnd = 0, trailerEnd = 0;
};

// Three cases of two channels, one marker, a comment and a note, as the layout table has them.
Fixture smallFixture() {
  HandBytes h = fixtureHead("-999", false);
  fixtureArrays(h, false);
  Fixture f;
  f.arraysEnd = h.size();
  fixtureTail(h);
  f.trailerEnd = f.arraysEnd + 28;
  f.bytes = h.b;
  return f;
}

void expectFixtureContent(const DataFile& f) {
  EXPECT_EQ(f.nCases, 3);
  EXPECT_EQ(f.nChannels, 2);
  EXPECT_EQ(f.meta.startDate, "2024-05-01");
  EXPECT_EQ(f.meta.startTime, "09:30:15");
  EXPECT_FLOAT_EQ(f.meta.info[8], 570.25f);
  const float info[] = {0, 0.5f, 500, 25, 760, 1000, 35, 7};
  for (int w = 1; w <= 7; ++w) EXPECT_EQ(f.meta.info[w], info[w]) << "info " << w;
  EXPECT_EQ(f.meta.labels[1], rt::fitChars("O2 %", 30));
  EXPECT_EQ(f.meta.labels[2], rt::fitChars("Chamber °C", 30));
  EXPECT_EQ(f.meta.variables[2][2], 6);
  EXPECT_EQ(f.meta.variables[2][6], 10);
  EXPECT_EQ(f.meta.variables[6][14], 0.6f);
  const float ch1[] = {20.9f, 20.9f, 20.8f, 20.7f}, ch2[] = {25, 25, 25.5f, 26};
  EXPECT_EQ(0, std::memcmp(f.channels[1].get(), ch1, sizeof ch1));
  EXPECT_EQ(0, std::memcmp(f.channels[2].get(), ch2, sizeof ch2));
  ASSERT_EQ(f.meta.markers.size(), 1u);
  EXPECT_EQ(f.meta.markers[0].kase, 2);
  EXPECT_EQ(f.meta.markers[0].code, 5);
  EXPECT_EQ(f.meta.comment, "Hi");
  ASSERT_EQ(f.meta.notes.size(), 1u);
  EXPECT_EQ(f.meta.notes[0].caseText, "2");
  EXPECT_EQ(f.meta.notes[0].timeText, "09:30:16");
  EXPECT_EQ(f.meta.notes[0].text, "mouse in");
}

}  // namespace

TEST(BinaryFormat, HandMadeFixtureReadsAndIsWrittenByteForByte) {
  const Fixture fx = smallFixture();
  BinaryLoadResult r = decodeBinaryFile(fx.bytes);
  ASSERT_TRUE(r.ok()) << r.error;
  expectFixtureContent(r.file);
  EXPECT_TRUE(r.report.hasTrailer);
  EXPECT_EQ(r.report.markersInFile, 1);
  EXPECT_TRUE(r.report.warnings.empty());
  ASSERT_NE(r.file.channels[0], nullptr);  // the scratch channel comes with the file
  EXPECT_EQ(saveWhole(r.file), fx.bytes);
}

TEST(BinaryFormat, RoundTripsAtTheSixteenBitLimit) {
  for (int32_t cases : {32760, 32761}) {
    SCOPED_TRACE(cases);
    const DataFile f = qvtest::sampleFile(cases, 3);
    const std::vector<uint8_t> bytes = saveWhole(f);
    const bool wide = cases == 32761;
    const std::string signature = wide ? "-9999\r" : "-999\r";
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + long(signature.size())), signature);
    HandBytes count;
    wide ? count.i32(cases) : count.i16(cases);
    EXPECT_TRUE(std::equal(count.b.begin(), count.b.end(), bytes.begin() + long(signature.size())));
    // The marker pairs follow the marker count: the last marker sits at the last case.
    const size_t headLength = std::min<size_t>(rt::charCount(f.meta.comment), 254);
    const size_t markersAt = signature.size() + (wide ? 4 : 2) + 4 + 2 + 18 + 4 + headLength + 3 * 50 + 20;
    HandBytes markers;
    markers.i16(3);
    for (auto [kase, code] : {std::pair{1, 200}, {cases / 2, 5}, {cases, 199}}) {
      if (wide)
        markers.i32(kase).i32(code);
      else
        markers.i16(kase).i16(code);
    }
    EXPECT_TRUE(std::equal(markers.b.begin(), markers.b.end(), bytes.begin() + long(markersAt)));

    BinaryLoadResult r = decodeBinaryFile(bytes);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.report.thirtyTwoBitCounts, wide);
    qvtest::expectSameFile(f, r.file);
    EXPECT_EQ(saveWhole(r.file), bytes);
  }
}

// The streamed form gives the same bytes, across piece borders and for a block of cases;
// a sink that refuses stops it.
TEST(BinaryFormat, StreamedWritingGivesTheSavedBytes) {
  const int32_t cases = int32_t(kBinaryChunkBytes / 4) * 2 + 7;
  const DataFile f = qvtest::sampleFile(cases, 2);
  const auto channels = allChannels(2);
  for (auto [first, last] : {std::pair{0, cases}, {1000, cases - 3}}) {
    std::vector<uint8_t> streamed;
    const std::string error = writeFPBinary(viewOf(f), first, last, channels, f.meta.startDate, f.meta.startTime,
                                            [&](std::span<const uint8_t> piece) {
                                              streamed.insert(streamed.end(), piece.begin(), piece.end());
                                              return true;
                                            });
    EXPECT_EQ(error, "");
    EXPECT_EQ(streamed, saveFPBinary(viewOf(f), first, last, channels, f.meta.startDate, f.meta.startTime).bytes);
  }
  EXPECT_EQ(writeFPBinary(viewOf(f), 0, cases, channels, f.meta.startDate, f.meta.startTime,
                          [](std::span<const uint8_t>) { return false; }),
            kBinarySinkRefused);
}

TEST(BinaryFormat, ReaderVariants) {
  {  // "-99999": 32-bit counts, arrays taken in the order stored
    HandBytes h = fixtureHead("-99999", true);
    fixtureArrays(h, true);
    fixtureTail(h);
    BinaryLoadResult r = decodeBinaryFile(h.b);
    ASSERT_TRUE(r.ok()) << r.error;
    expectFixtureContent(r.file);
    EXPECT_EQ(r.report.signature, -99999);
  }
  {  // "-999" whose case count is 32-bit: the 16-bit reading gives 0 cases, so it is read again
    HandBytes h = fixtureHead("-999", true);
    fixtureArrays(h, false);
    fixtureTail(h);
    BinaryLoadResult r = decodeBinaryFile(h.b);
    ASSERT_TRUE(r.ok()) << r.error;
    expectFixtureContent(r.file);
    EXPECT_TRUE(r.report.thirtyTwoBitCounts);
  }
  {  // no trailer: the file ends right after its arrays
    const Fixture fx = smallFixture();
    BinaryLoadResult r = decodeBinaryFile(std::span(fx.bytes).first(fx.arraysEnd));
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_FALSE(r.report.hasTrailer);
    EXPECT_EQ(r.file.meta.info[7], 0);
    EXPECT_EQ(r.file.meta.variables[1][14], 0);
    EXPECT_TRUE(r.file.meta.comment.empty());
    EXPECT_EQ(r.file.channels[2][3], 26.0f);
  }
  {  // the section of word 1, which the writer no longer writes
    Fixture fx = smallFixture();
    HandBytes extra;
    extra.u8(255).text(" 1.5").cr().text(" 2").cr().text("-3").cr();
    fx.bytes.insert(fx.bytes.end(), extra.b.begin(), extra.b.end());
    BinaryLoadResult r = decodeBinaryFile(fx.bytes);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.file.meta.variables[0][1], 1.5f);
    EXPECT_EQ(r.file.meta.variables[1][1], 2.0f);
    EXPECT_EQ(r.file.meta.variables[2][1], -3.0f);
    EXPECT_EQ(r.file.meta.comment, "Hi");
  }
}

TEST(BinaryFormat, EveryCutBeforeTheTextIsRefusedButTheEndOfTheArraysIsAFile) {
  const Fixture fx = smallFixture();
  for (size_t len = 0; len <= fx.bytes.size(); ++len) {
    BinaryLoadResult r = decodeBinaryFile(std::span(fx.bytes).first(len));
    const bool readable = len == fx.arraysEnd || len >= fx.trailerEnd;
    EXPECT_EQ(r.ok(), readable) << "cut at " << len;
    if (!readable) {
      EXPECT_EQ(r.error, kDamagedFileMessage);
      EXPECT_EQ(r.file.nCases, 0);
      EXPECT_EQ(r.file.channels[1], nullptr);
    }
  }
}

namespace {
int gAllocations = 0;
int gFailAt = 0;
SampleArray countingAllocate(int32_t cases) {
  if (++gAllocations == gFailAt) return nullptr;
  return allocateSamples(cases);
}
}  // namespace

TEST(BinaryFormat, DamagedFilesAreRefusedBeforeAnythingIsAllocated) {
  auto edit = [](auto change) {
    Fixture fx = smallFixture();
    change(fx.bytes);
    return fx.bytes;
  };
  auto setI16 = [](std::vector<uint8_t>& b, size_t at, int v) {
    b[at] = uint8_t(uint16_t(v) >> 8);
    b[at + 1] = uint8_t(v);
  };
  const size_t casesAt = 5, channelsAt = 11, markerCountAt = 5 + 2 + 4 + 2 + 18 + 4 + 2 + 100 + 20;
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"41 channels", edit([&](auto& b) { setI16(b, channelsAt, 41); })},
      {"no channels", edit([&](auto& b) { setI16(b, channelsAt, 0); })},
      {"comment length of a million",
       [] {
         HandBytes h = fixtureHead("-999", false, 2, 1e6f);
         fixtureArrays(h, false);
         return h.b;
       }()},
      {"comment length not a number",
       [] {
         HandBytes h = fixtureHead("-999", false, 2, std::nanf(""));
         fixtureArrays(h, false);
         return h.b;
       }()},
      {"negative marker count", edit([&](auto& b) { setI16(b, markerCountAt, -1); })},
      {"marker count beyond the file", edit([&](auto& b) { setI16(b, markerCountAt, 30000); })},
      {"case count beyond the file", edit([&](auto& b) { setI16(b, casesAt, 30000); })},
      {"6,100,000 cases of 40 channels in a small file",
       [] {
         HandBytes h;
         h.text("-9999").cr().i32(6100000).f32(1).i16(40).padded("", 18).f32(0);
         h.zeros(40 * 50 + 20).i16(0);
         return h.b;
       }()},
      {"6,100,001 cases",
       [] {
         HandBytes h;
         h.text("-9999").cr().i32(6100001).f32(1).i16(1).padded("", 18).f32(0);
         return h.b;
       }()},
      {"unknown signature", edit([](auto& b) { b[3] = '8'; })},
      {"no line end after the signature", std::vector<uint8_t>{'-', '9', '9', '9'}},
      {"empty", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gAllocations = 0;
    gFailAt = 0;
    BinaryLoadResult r = decodeBinaryFile(c.bytes, {countingAllocate});
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failure, LoadFailure::Damaged);
    EXPECT_EQ(r.error, "This file seems to be damaged.");
    EXPECT_EQ(gAllocations, 0);
  }
}

TEST(BinaryFormat, ShortMemoryIsARefusalOfItsOwn) {
  const Fixture fx = smallFixture();
  for (int failAt : {1, 2, 3}) {
    gAllocations = 0;
    gFailAt = failAt;
    BinaryLoadResult r = decodeBinaryFile(fx.bytes, {countingAllocate});
    EXPECT_EQ(r.failure, LoadFailure::OutOfMemory);
    EXPECT_EQ(r.error, "Not enough memory to load this file.");
    EXPECT_EQ(r.file.channels[1], nullptr);
  }
}

TEST(BinaryFormat, MarkersAndNotesOutsideTheFileAreDroppedAndSaid) {
  DataFile f = qvtest::sampleFile(50, 1);
  const std::vector<uint8_t> good = saveWhole(f);
  // Rewrite the file by hand with markers at 0, 51 and -5 around two good ones.
  HandBytes h;
  const size_t markerCountAt = 5 + 2 + 4 + 2 + 18 + 4 + rt::charCount(f.meta.comment) + 50 + 20;
  h.b.assign(good.begin(), good.begin() + long(markerCountAt));
  h.i16(5).i16(0).i16(1).i16(10).i16(2).i16(51).i16(3).i16(-5).i16(4).i16(50).i16(5);
  h.b.insert(h.b.end(), good.begin() + long(markerCountAt + 2 + 3 * 4), good.end());
  // Notes: replace the section with one good note and two outside the file.
  const uint8_t notesMark[] = {13, 27, 240, 13};
  const auto notesAt = std::find_end(h.b.begin(), h.b.end(), std::begin(notesMark), std::end(notesMark)) + 2;
  h.b.erase(notesAt, h.b.end());
  h.u8(240).cr().text(" 3").cr();
  h.text("0").cr().text("t").cr().text("before").cr();
  h.text("25").cr().text("t").cr().text("inside").cr();
  h.text("51").cr().text("t").cr().text("after").cr();

  BinaryLoadResult r = decodeBinaryFile(h.b);
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.file.meta.markers.size(), 2u);
  EXPECT_EQ(r.file.meta.markers[0].kase, 10);
  EXPECT_EQ(r.file.meta.markers[1].kase, 50);
  EXPECT_EQ(r.report.markersInFile, 5);
  EXPECT_EQ(r.report.markersDropped, 3);
  ASSERT_EQ(r.file.meta.notes.size(), 1u);
  EXPECT_EQ(r.file.meta.notes[0].text, "inside");
  EXPECT_EQ(r.report.notesDropped, 2);
  EXPECT_EQ(r.report.warnings.size(), 2u);
  EXPECT_EQ(r.file.meta.comment, f.meta.comment);
}

TEST(BinaryFormat, NotesBeyondTheKeptOnesAreSkippedNotReadAsComment) {
  DataFile f = qvtest::sampleFile(500, 1);
  f.meta.notes.clear();
  for (int k = 1; k <= 200; ++k) f.meta.notes.push_back({std::to_string(k), "t", "note " + std::to_string(k)});
  BinaryLoadResult r = decodeBinaryFile(saveWhole(f));
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.file.meta.notes.size(), 150u);
  EXPECT_EQ(r.file.meta.notes[149].text, "note 150");
  EXPECT_EQ(r.report.notesSkipped, 50);
  EXPECT_EQ(r.file.meta.comment, f.meta.comment);

  // A note count far beyond the lines present keeps the notes that are whole.
  Fixture fx = smallFixture();
  HandBytes tail;
  tail.u8(240).cr().text("999999999").cr().text("3").cr().text("t").cr().text("whole").cr().text("2").cr();
  const auto notesAt = std::find(fx.bytes.begin() + long(fx.trailerEnd), fx.bytes.end(), uint8_t(240));
  fx.bytes.erase(notesAt, fx.bytes.end());
  fx.bytes.insert(fx.bytes.end(), tail.b.begin(), tail.b.end());
  r = decodeBinaryFile(fx.bytes);
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.file.meta.notes.size(), 1u);
  EXPECT_TRUE(r.report.notesCut);
}

TEST(BinaryFormat, CommentKeepsItsLengthAcrossSaves) {
  DataFile f = qvtest::sampleFile(20, 1);
  f.meta.comment = std::string(300, 'x') + "\rsaid \"hello\"\r";
  std::vector<uint8_t> bytes = saveWhole(f);
  // The head is the first 254 characters.
  HandBytes head;
  head.f32(254);
  EXPECT_TRUE(std::equal(head.b.begin(), head.b.end(), bytes.begin() + 5 + 2 + 4 + 2 + 18));
  for (int round = 0; round < 3; ++round) {
    BinaryLoadResult r = decodeBinaryFile(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.file.meta.comment, std::string(300, 'x') + "\rsaid \u2022hello\u2022\r");
    bytes = saveWhole(r.file);
  }
  // Bytes that would open the sections after the comment are not written in it.
  f.meta.comment = "\uF8FF ˇ";
  BinaryLoadResult r = decodeBinaryFile(saveWhole(f));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.file.meta.comment, "? ?");
  EXPECT_EQ(r.file.meta.notes.size(), 2u);
}

TEST(BinaryFormat, StartOfArrayFixAndZeroInterval) {
  HandBytes h;
  h.text("-999").cr().i16(4).f32(0).i16(1).padded("", 18).f32(0);
  h.zeros(20).padded("x", 30).zeros(20).i16(0);
  h.f32le(5e7f).f32(0.0f).f32(2.5f).f32(3.0f).f32(4.0f);
  BinaryLoadResult r = decodeBinaryFile(h.b);
  ASSERT_TRUE(r.ok()) << r.error;
  const float* a = r.file.channels[1].get();
  EXPECT_EQ(a[1], 2.5f);  // 0.0 at case 1 takes case 2
  EXPECT_EQ(a[0], 2.5f);  // 5e7 at case 0 takes case 1
  EXPECT_TRUE(r.report.zeroInterval);
  EXPECT_FLOAT_EQ(r.file.meta.info[1], 9.999f);

  // A single case: only entry 0 has a successor.
  HandBytes one;
  one.text("-999").cr().i16(1).f32(1).i16(1).padded("", 18).f32(0);
  one.zeros(20).padded("x", 30).zeros(20).i16(0).f32le(0.0f).f32(0.0f);
  r = decodeBinaryFile(one.b);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.file.channels[1][1], 0.0f);
}

TEST(BinaryFormat, ABlockIsSavedAsAFileOfItsOwnCases) {
  DataFile f = qvtest::sampleFile(40000, 2);
  f.meta.markers = {{10, 1}, {11, 2}, {20, 3}, {21, 4}};
  f.meta.notes = {{"10", "a", "before"}, {"11", "b", "first"}, {"20", "c", "last"}, {"21", "d", "after"}};
  const int32_t beginBlock = 11, endBlock = 20;
  const std::vector<int16_t> second{2};
  BinarySaveResult s = saveFPBinary(viewOf(f), beginBlock - 1, endBlock, second, "d", "t");
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(std::string(s.bytes.begin(), s.bytes.begin() + 5), "-999\r");  // width by the count written
  BinaryLoadResult r = decodeBinaryFile(s.bytes);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.file.nCases, 10);
  EXPECT_EQ(r.file.nChannels, 1);
  EXPECT_EQ(r.report.markersDropped, 0);
  EXPECT_EQ(r.report.notesDropped, 0);
  for (int32_t k = 0; k <= 10; ++k) EXPECT_EQ(r.file.channels[1][size_t(k)], f.channels[2][size_t(10 + k)]);
  EXPECT_EQ(r.file.meta.labels[1], f.meta.labels[2]);
  ASSERT_EQ(r.file.meta.markers.size(), 2u);
  EXPECT_EQ(r.file.meta.markers[0].kase, 1);
  EXPECT_EQ(r.file.meta.markers[1].kase, 10);
  ASSERT_EQ(r.file.meta.notes.size(), 2u);
  EXPECT_EQ(r.file.meta.notes[0].caseText, " 1");
  EXPECT_EQ(r.file.meta.notes[1].caseText, " 10");
}

TEST(BinaryFormat, WriterRefusesAnEmptyRangeOrUnknownChannels) {
  DataFile f = qvtest::sampleFile(10, 2);
  const std::vector<int16_t> good{1}, bad{3}, none;
  EXPECT_FALSE(saveFPBinary(viewOf(f), 5, 5, good, "", "").ok());
  EXPECT_FALSE(saveFPBinary(viewOf(f), 0, 11, good, "", "").ok());
  EXPECT_FALSE(saveFPBinary(viewOf(f), -1, 10, good, "", "").ok());
  EXPECT_FALSE(saveFPBinary(viewOf(f), 0, 10, bad, "", "").ok());
  EXPECT_FALSE(saveFPBinary(viewOf(f), 0, 10, none, "", "").ok());
}

TEST(BinaryFormat, MarkersBeyondTheTableAreReadPast) {
  HandBytes h;
  h.text("-9999").cr().i32(40000).f32(1).i16(1).padded("", 18).f32(0);
  h.zeros(20).padded("O2 %", 30).zeros(20);
  h.i16(32600);
  for (int k = 1; k <= 32600; ++k) h.i32(k).i32(201);
  h.f32le(1.0f);
  for (int k = 1; k <= 40000; ++k) h.f32(1.0f);
  BinaryLoadResult r = decodeBinaryFile(h.b);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_TRUE(r.report.tooManyMarkers);
  EXPECT_EQ(r.report.markersInFile, 32600);
  ASSERT_EQ(r.file.meta.markers.size(), 32500u);
  EXPECT_EQ(r.file.meta.markers.back().kase, 32500);
  EXPECT_EQ(r.file.channels[1][40000], 1.0f);
}

// The open road reads from the file itself, many channels at once: the same file as from
// memory, and a file cut inside its arrays is still refused.
TEST(BinaryFormat, ReadFromDiskInParallelGivesTheSameFile) {
  const DataFile f = qvtest::sampleFile(200000, 40);  // 32 MB of arrays: read in parallel
  const std::vector<uint8_t> bytes = saveWhole(f);
  const std::string path = qvtest::tempDir("binary-on-disk") + "/big.KXdata";
  ASSERT_TRUE(rt::writeFileAtomic(path, bytes));
  {
    std::optional<FileSource> file = FileSource::open(path);
    ASSERT_TRUE(file);
    BinaryLoadResult r = decodeBinaryFile(*file);
    ASSERT_TRUE(r.ok()) << r.error;
    qvtest::expectSameFile(r.file, decodeBinaryFile(bytes).file);
  }
  ASSERT_EQ(::truncate(path.c_str(), off_t(bytes.size() / 2)), 0);
  std::optional<FileSource> cut = FileSource::open(path);
  ASSERT_TRUE(cut);
  EXPECT_EQ(decodeBinaryFile(*cut).failure, LoadFailure::Damaged);
}
