// What a save writes, apart from its windows: the names proposed for each format, the cases
// of a whole file and of a block, and which saves keep the whole file.
#include <gtest/gtest.h>

#include "datafiles/save_names.h"
#include "datafiles/save_options.h"

using namespace qv;

TEST(SaveNames, ProposedForEachFormat) {
  struct Case {
    const char* name;
    int16_t format;
    const char* proposed;
  } cases[] = {
      {"run.exp", kSaveStandard, "run.KXdata"},
      {"run SBL", kSaveOwnBinary, "run.KXdata"},
      {"run.kxsc", kSaveOwnBinary, "run.KXdata"},
      {"run.kxda", kSaveStandard, "run.KXdata"},
      {"run.sabl", kSaveOwnBinary, "run.KXdata"},
      {"run.RIVozar", kSaveOwnBinary, "run.KXdata"},
      {"run.KXdata", kSaveStandard, "run.KXdata"},
      {"run.EXP", kSaveStandard, "run.EXP.KXdata"},  // suffixes compare case included
      {"run.csv", kSaveOwnBinary, "run.csv.KXdata"},
      {"", kSaveOwnBinary, ".KXdata"},
      {"run.exp", kSaveSable, "run.RIVozar"},
      {"run.sabl", kSaveSable, "run.RIVozar"},
      {"run.KXdata", kSaveSable, "run.RIVozar"},
      {"run.RIVozar", kSaveSable, "run.RIVozar"},
      {"run.txt", kSaveSable, "run.txt.RIVozar"},
      {"run.exp", kSaveCsv, "run data.csv"},
      {"run.sabl", kSaveCsv, "run data.csv"},
      {"run.RIvozar", kSaveCsv, "run data.csv"},
      {"run.RIVozar", kSaveCsv, "run.RIVozar data.csv"},
      {"run.KXdata", kSaveCsv, "run data.csv"},
      {"run data.csv", kSaveCsv, "run data.csv"},
      {"run.txt", kSaveCsv, "run.txt data.csv"},
      {"run.KXdata", kSaveOwnText, "run.KXdata"},
      {"run.exp", kSaveOwnText, "run.exp"},
  };
  for (const Case& c : cases) EXPECT_EQ(proposedSaveName(c.name, c.format), c.proposed) << c.name << " " << c.format;
  EXPECT_EQ(compactedSaveName("run.KXdata"), "run.KXdata compact");
}

TEST(SaveNames, RangesOfWholeFileAndBlock) {
  struct Case {
    bool blockOnly, blockSet;
    int32_t begin, end;
    int32_t first, last;
    bool whole;
  } cases[] = {
      {false, true, 101, 200, 0, 500, true},    // the block is there, but not asked for
      {true, true, 101, 200, 100, 200, false},  // block 101..200: cases 101..200 become 1..100
      {true, true, 1, 10, 0, 10, false},
      {true, true, 450, 500, 449, 500, false},
      {true, true, 1, 500, 0, 500, true},       // a block of every case is the whole file
      {true, true, 101, 0, 0, 500, true},       // no block end: the whole file
      {true, true, 0, 0, 0, 500, true},
      {true, true, 200, 101, 0, 500, true},     // edges the wrong way round
      {true, true, 101, 501, 0, 500, true},     // beyond the last case
      {true, false, 101, 200, 0, 500, true},    // no block shown
      {true, true, 300, 300, 299, 300, false},  // one case
  };
  for (const Case& c : cases) {
    const SaveRange r = saveRange(c.blockOnly, c.blockSet, 500, c.begin, c.end);
    EXPECT_EQ(r.first, c.first) << c.begin << ".." << c.end;
    EXPECT_EQ(r.last, c.last) << c.begin << ".." << c.end;
    EXPECT_EQ(r.wholeFile, c.whole) << c.begin << ".." << c.end;
    EXPECT_GT(r.count(), 0);
  }
}

TEST(SaveNames, OnlyTheWholeFileInAnOwnFormatCountsAsSaved) {
  const SaveRange whole{0, 500, true}, block{100, 200, false};
  EXPECT_TRUE(keepsWholeFile(kSaveStandard, whole, 3, 3));
  EXPECT_TRUE(keepsWholeFile(kSaveOwnBinary, whole, 3, 3));
  EXPECT_TRUE(keepsWholeFile(kSaveOwnText, whole, 3, 3));
  EXPECT_FALSE(keepsWholeFile(kSaveOwnBinary, block, 3, 3));
  EXPECT_FALSE(keepsWholeFile(kSaveOwnBinary, whole, 2, 3));
  EXPECT_FALSE(keepsWholeFile(kSaveCsv, whole, 3, 3));
  EXPECT_FALSE(keepsWholeFile(kSaveSable, whole, 3, 3));
}

TEST(SaveNames, ConditionalWindowGrowsWithTheChannels) {
  EXPECT_EQ(conditionalWindowBottom(3), 265);
  EXPECT_EQ(conditionalWindowBottom(8), 265);
  EXPECT_EQ(conditionalWindowBottom(9), 268);
  EXPECT_EQ(conditionalWindowBottom(20), 455);
}
