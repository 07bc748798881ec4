// The save road driven as a person would: Save As with its channel, format and name
// choices, Save in place, a cancelled panel, a failed write, and the formats this build
// offers but cannot write yet.
#include <gtest/gtest.h>

#include "datafiles/sable_format.h"
#include "save_fixture.h"

using namespace qv;
using savetest::sampleOf;

namespace {

class SaveRoad : public savetest::SaveTest {};

std::vector<std::string> withPath(std::vector<std::string> lines, const std::string& path) {
  lines.push_back("save " + path);
  return lines;
}

}  // namespace

// Save As of a file of 3 channels and 500 cases: what reaches the disk, and what the slot
// remembers afterwards.
TEST_F(SaveRoad, SaveAsWritesTheChosenChannelsAndCases) {
  struct Case {
    const char* what;
    int32_t blockBegin, blockEnd;  // a block shown when blockBegin > 0
    std::vector<std::string> choices;
    const char* name;
    SaveResult result;
    int32_t cases;
    std::vector<int> channels;  // the file's channels saved, in order
    int32_t firstCase;          // the case that became case 1
  } cases[] = {
      {"whole file, binary", 0, 0, {"click 233", "click 7"}, "a.KXdata", SaveResult::Saved, 500, {1, 2, 3}, 1},
      {"block 101..200", 101, 200, {"click 125", "click 233", "click 7"}, "b.KXdata", SaveResult::Partial, 100,
       {1, 2, 3}, 101},
      {"block without an end", 101, 0, {"click 125", "click 233", "click 7"}, "c.KXdata", SaveResult::Saved, 500,
       {1, 2, 3}, 1},
      {"block not asked for", 101, 200, {"click 233", "click 7"}, "d.KXdata", SaveResult::Saved, 500, {1, 2, 3}, 1},
      {"channel 2 left out", 0, 0, {"click 2", "click 233", "click 7"}, "e.KXdata", SaveResult::Partial, 500, {1, 3},
       1},
      {"whole file, text", 0, 0, {"click 233", "click 2", "click 7"}, "f.txt", SaveResult::Saved, 500, {1, 2, 3}, 1},
      {"block, text", 101, 200, {"click 125", "click 233", "click 2", "click 7"}, "g.txt", SaveResult::Partial, 100,
       {1, 2, 3}, 101},
      {"standard format after a channel was left out", 0, 0, {"click 2", "click 234"}, "h.KXdata", SaveResult::Saved,
       500, {1, 2, 3}, 1},
      {"standard format with block only", 101, 200, {"click 125", "click 234"}, "i.KXdata", SaveResult::Saved, 500,
       {1, 2, 3}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openFile(0, 3, 500, "run.KXdata");
    if (c.blockBegin > 0) setBlock(0, c.blockBegin, c.blockEnd);
    const std::string path = dir + "/" + c.name;
    records(withPath(c.choices, path));
    sounds.clear();
    EXPECT_EQ(SAVEDATAFILE(1, 0, 0), c.result);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_EQ(sounds, std::vector<std::string>{"wsst.mp3"});
    EXPECT_FALSE(rt::windowExists(5));
    EXPECT_FALSE(rt::windowExists(6));

    const auto back = readBack(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->nCases, c.cases);
    ASSERT_EQ(back->nChannels, int(c.channels.size()));
    for (size_t i = 0; i < c.channels.size(); ++i) {
      const float* a = back->channels[i + 1].get();
      EXPECT_EQ(a[1], sampleOf(c.channels[i], c.firstCase));
      EXPECT_EQ(a[c.cases], sampleOf(c.channels[i], c.firstCase + c.cases - 1));
      EXPECT_EQ(back->meta.labels[i + 1].substr(0, 6), "chan " + std::to_string(c.channels[i]));
    }

    EXPECT_EQ(CFURLarrayOutput[0], path);
    if (c.result == SaveResult::Saved) {
      // The slot is now the file just written: Save goes there next.
      EXPECT_EQ(FileName[0], c.name);
      EXPECT_EQ(CFURLarrayMain[0], path);
      EXPECT_EQ(FileSHORTS[0][10], 0);
    } else {
      EXPECT_EQ(FileName[0], "run.KXdata");
      EXPECT_EQ(CFURLarrayMain[0], dir + "/run.KXdata");
      EXPECT_EQ(FileSHORTS[0][10], 1) << "the changes outside the saved part are still unsaved";
    }
  }
}

TEST_F(SaveRoad, BlockSavesRenumberItsMarkers) {
  openFile(0, 2, 500, "run.KXdata");  // markers at cases 1, 150 and 500
  setBlock(0, 101, 200);
  const std::string path = dir + "/block.KXdata";
  records({"click 125", "click 233", "click 7", "save " + path});
  ASSERT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Partial);
  const auto back = readBack(path);
  ASSERT_TRUE(back);
  ASSERT_EQ(back->meta.markers.size(), 1u);
  EXPECT_EQ(back->meta.markers[0].kase, 50);
  EXPECT_EQ(back->meta.markers[0].code, 66);
}

TEST_F(SaveRoad, ACancelledPanelChangesNothing) {
  openFile(0, 3, 500, "run.KXdata");
  RecordSCRIPT = 1;
  records({"click 233", "click 2", "click 7", "save cancel"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Cancelled);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(FileName[0], "run.KXdata");
  EXPECT_EQ(CFURLarrayMain[0], dir + "/run.KXdata");
  EXPECT_EQ(CFURLarrayOutput[0], dir + "/run.KXdata");
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"run.KXdata"});
}

// Save writes the own binary format beside the file the slot came from; a Sable original
// stays where it is, untouched.
TEST_F(SaveRoad, SaveBesideAnExpOriginalLeavesItWhereItIs) {
  openFile(0, 3, 500, "run.exp", false);
  const std::vector<uint8_t> original{0x00, 0x80, 0x7a, 0x44, 1, 2, 3, 4};
  ASSERT_TRUE(rt::writeFileAtomic(dir + "/run.exp", original));
  RecordSCRIPT = 1;
  EXPECT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(rt::script::pendingCount(), 0u);  // no window asked anything
  EXPECT_EQ(bytesOf(dir + "/run.exp"), original);
  const auto back = readBack(dir + "/run.KXdata");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->nCases, 500);
  EXPECT_EQ(back->nChannels, 3);
  EXPECT_EQ(FileName[0], "run.KXdata");
  EXPECT_EQ(CFURLarrayMain[0], dir + "/run.KXdata");
  EXPECT_EQ(FileSHORTS[0][10], 0);
  EXPECT_EQ(sounds, std::vector<std::string>{"wsst.mp3"});
  EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"run.KXdata", "run.exp"}));
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 34.0f);

  // Saved again: in place over the file it is now.
  PutDatum(0, 2, 7, -5.0f);
  FileSHORTS[0][10] = 1;
  EXPECT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(readBack(dir + "/run.KXdata")->channels[2][7], -5.0f);
  EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"run.KXdata", "run.exp"}));
}

TEST_F(SaveRoad, ScriptStepsOfSaveAndSaveAs) {
  openFile(0, 2, 100, "run.KXdata");
  RecordSCRIPT = 1;
  ScriptCOUNT = 3;
  records({"click 233", "click 7", "save " + dir + "/as.KXdata"});
  ASSERT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Saved);
  EXPECT_EQ(ScriptCOUNT, 4);
  EXPECT_EQ(ScriptSequenceArray[4][1], 20.0f);
  ScriptCOUNT = 39;
  ASSERT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(ScriptCOUNT, 40);
  EXPECT_EQ(ScriptSequenceArray[40][1], 34.0f);
  ScriptSequenceArray[41][1] = 0;
  ASSERT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(ScriptCOUNT, 40) << "no room for a 41st step";
  EXPECT_EQ(ScriptSequenceArray[41][1], 0.0f);
}

TEST_F(SaveRoad, AFailedWriteLeavesTheOriginalByteIdentical) {
  openFile(0, 3, 500, "run.KXdata");
  const std::vector<uint8_t> before = bytesOf(dir + "/run.KXdata");
  ASSERT_FALSE(before.empty());
  PutDatum(0, 1, 10, 99.0f);
  RecordSCRIPT = 1;
  rt::injectWriteFailures(1);
  records({"click 1"});  // the warning that says so
  EXPECT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Failed);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(bytesOf(dir + "/run.KXdata"), before);
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"run.KXdata"}) << "no temporary file is left";
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(CFURLarrayOutput[0], dir + "/run.KXdata");
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_FALSE(rt::windowExists(1166));
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "wsst.mp3"), 0);

  // Save As into a folder that is not there fails the same way.
  records({"click 233", "click 7", "save " + dir + "/no such folder/x.KXdata", "click 1"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Failed);
  EXPECT_EQ(CFURLarrayMain[0], dir + "/run.KXdata");
  EXPECT_EQ(FileName[0], "run.KXdata");
}

// Memory running short, or the disk refusing, while a text Save As is written: the program
// goes on, every open file is as it was and still unsaved, and nothing is left on the disk.
TEST_F(SaveRoad, ATextSaveThatCannotBeWrittenChangesNoFile) {
  struct Case {
    const char* what;
    void (*inject)();
  } cases[] = {
      {"memory runs short", [] { injectTextWriteMemoryFailures(1); }},
      {"the disk refuses", [] { rt::injectWriteFailures(1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openFile(1, 2, 300, "other.KXdata");
    openFile(0, 3, 500, "run.KXdata");
    const std::vector<uint8_t> run = bytesOf(dir + "/run.KXdata"), other = bytesOf(dir + "/other.KXdata");
    sounds.clear();
    c.inject();
    records({"click 233", "click 2", "click 7", "save " + dir + "/run.txt", "click 1"});
    EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Failed);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << "the warning was shown and answered";
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"other.KXdata", "run.KXdata"}));
    EXPECT_EQ(bytesOf(dir + "/run.KXdata"), run);
    EXPECT_EQ(bytesOf(dir + "/other.KXdata"), other);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "wsst.mp3"), 0);
    const struct {
      int slot, channels;
      int32_t cases;
      const char* name;
    } files[] = {{0, 3, 500, "run.KXdata"}, {1, 2, 300, "other.KXdata"}};
    for (const auto& f : files) {
      EXPECT_EQ(FileSHORTS[f.slot][10], 1) << "not marked saved";
      EXPECT_EQ(FileName[f.slot], f.name);
      EXPECT_EQ(CFURLarrayMain[f.slot], dir + "/" + f.name);
      EXPECT_EQ(nCases[f.slot], f.cases);
      for (int ch = 1; ch <= f.channels; ++ch)
        for (int32_t k : {1, f.cases / 2, f.cases}) EXPECT_EQ(GetDatum(f.slot, ch, k), sampleOf(ch, k));
    }
  }
  injectTextWriteMemoryFailures(0);

  // With memory back, the same save goes through.
  records({"click 233", "click 2", "click 7", "save " + dir + "/run.txt"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Saved);
  EXPECT_EQ(readBack(dir + "/run.txt")->channels[3][500], sampleOf(3, 500));
}

// A file with no place of its own (imported, or a location left from another file) is
// saved where the user says, never over that other file.
TEST_F(SaveRoad, WithoutAPlaceOfItsOwnSaveAsksWhereToSave) {
  openFile(0, 2, 100, "run.KXdata", false);
  CFURLarrayMain[0].clear();
  RecordSCRIPT = 1;
  records({"click 233", "click 7", "save " + dir + "/new.KXdata"});
  EXPECT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(CFURLarrayMain[0], dir + "/new.KXdata");
  EXPECT_EQ(ScriptSequenceArray[1][1], 20.0f);

  openFile(0, 2, 100, "other.KXdata");
  const std::vector<uint8_t> other = bytesOf(dir + "/other.KXdata");
  FileName[0] = "imported.csv";
  records({"click 234", "save " + dir + "/imported.KXdata"});
  EXPECT_EQ(SAVEDATAFILE(0, 1, 0), SaveResult::Saved);
  EXPECT_EQ(bytesOf(dir + "/other.KXdata"), other);
  EXPECT_EQ(CFURLarrayMain[0], dir + "/imported.KXdata");
}

TEST_F(SaveRoad, CsvIsWrittenFromEntryZeroAndTheFileKeepsItsName) {
  openFile(0, 2, 100, "run.KXdata");
  const std::string path = dir + "/run data.csv";
  records({"click 233", "click 4", "click 7", "save " + path});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Partial);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(FileName[0], "run.KXdata");
  const std::vector<uint8_t> bytes = bytesOf(path);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 101);
  // Compacted data with no compaction of the file as it is: nothing to save.
  records({"click 233", "click 1"});
  EXPECT_EQ(SAVEDATAFILE(0, 0, 1), SaveResult::Cancelled);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(SaveRoad, SableIsWrittenAndTheFileStaysMarkedAsChanged) {
  openFile(0, 2, 100, "run.KXdata");
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 11, EndBlock[0] = 20;
  const std::string path = dir + "/run.RIVozar";
  records({"click 125", "click 233", "click 8", "click 7", "save " + path});  // "Block Only", Sable
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Partial);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  const std::vector<uint8_t> bytes = bytesOf(path);
  const SableLoadResult r = decodeSableFile(SpanSource(bytes));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.file.nCases, 10);
  EXPECT_EQ(r.file.channels[2][0], sampleOf(2, 10));
  EXPECT_EQ(r.file.channels[2][10], sampleOf(2, 20));
}

TEST_F(SaveRoad, ConditionalSaveIsAskedWhenSetAndKeptForTheCsvWriter) {
  openFile(0, 3, 100, "run.KXdata");
  records({"click 233", "click 4", "click 10", "click 7",   // csv with a condition
           "click 3", "click 128", "type 100 x", "click 30", "click 1",  // a value that is no number
           "type 100 12.5", "click 30",                      // channel 3 >= 12.5
           "save cancel"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Cancelled);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(prefsArray[26], 3);
  EXPECT_EQ(prefsArray[27], 128);
  EXPECT_EQ(selectionvalue, 12.5f);
}

TEST_F(SaveRoad, TheFormatWindowOffersTheCsvOptionsOnlyForCsv) {
  openFile(0, 3, 100, "run.KXdata");
  const int csvOptions[] = {5, 6, 10, 11, 12, 13, 14, 16, 17, 18};
  // The windows stay up where the records end.
  records({"click 4", "click 10", "click 14", "click 16", "click 5"});
  EXPECT_EQ(qvtest::exitStatusOf([] { FileFormatSelection(); }), 3);
  for (int id : csvOptions) EXPECT_NE(rt::buttonStateIn(6, id), 0) << id;
  EXPECT_EQ(rt::buttonStateIn(6, 4), 2);
  EXPECT_EQ(rt::buttonStateIn(6, 1), 1);
  EXPECT_EQ(prefsArray[26], -1);
  for (int id : {10, 14, 16, 5}) EXPECT_EQ(rt::buttonStateIn(6, id), 2) << id;
  EXPECT_EQ(rt::buttonStateIn(6, 17), 1);
  EXPECT_EQ(rt::buttonStateIn(6, 6), 1);

  records({"click 4", "click 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { FileFormatSelection(); }), 3);
  for (int id : csvOptions) EXPECT_EQ(rt::buttonStateIn(6, id), 0) << id;
  EXPECT_EQ(rt::buttonStateIn(6, 2), 2);

  // Time index, then interval in the comment; a time counter of 2.5 hours.
  timecounter = 1;
  records({"click 4", "click 5", "click 6", "type 101 2.5", "click 7"});
  SaveFormatChoice c = FileFormatSelection();
  EXPECT_EQ(c.format, kSaveCsv);
  EXPECT_EQ(c.timeInformation, kTimeIntervalInComment);
  EXPECT_EQ(timecountervalue, 2.5f);
  EXPECT_FALSE(rt::windowExists(6));

  // A time counter needs a number of hours: the window stays until it has one.
  records({"click 4", "type 101 soon", "key 13", "click 1", "type 101 3", "key 13"});
  c = FileFormatSelection();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(timecountervalue, 3.0f);
  timecounter = 0;
  prefsArray[26] = 0;
}

TEST_F(SaveRoad, TheConditionalWindowStartsOnTheFirstSavedChannel) {
  openFile(0, 3, 100, "run.KXdata");
  prefsArray[27] = 126;
  EXPECT_EQ(qvtest::exitStatusOf([] { ConditionalSaveWindow(2); }), 3);
  EXPECT_EQ(rt::windowContentRect(6).height(), 265 - 75);
  EXPECT_EQ(rt::buttonStateIn(6, 2), 2);
  EXPECT_EQ(rt::buttonStateIn(6, 1), 1);
  EXPECT_EQ(rt::buttonStateIn(6, 126), 2);
  EXPECT_EQ(prefsArray[26], 2);
  prefsArray[26] = prefsArray[27] = 0;
}

TEST_F(SaveRoad, NoChannelTickedSavesNothing) {
  openFile(0, 2, 100, "run.KXdata");
  records({"click 238", "click 233", "click 1"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Cancelled);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(filesInFolder(), std::vector<std::string>{"run.KXdata"});
}
