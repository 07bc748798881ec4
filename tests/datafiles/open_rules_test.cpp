// The open road's rules that need no window.
#include <gtest/gtest.h>

#include <array>

#include "datafiles/load_windows.h"
#include "core/open_rules.h"

using namespace qv;

TEST(OpenRules, ThePanelOffersTheExtensionsOfTheRequest) {
  const std::vector<std::string> own{"KXdata", "kxda", "kxsc"};
  const std::vector<std::string> sableOrOwn{"exp", "sabl", "RIVozar", "KXdata", "kxda", "kxsc"};
  struct Case {
    int16_t type;
    const char* prompt;
    std::vector<std::string> extensions;
  } cases[] = {
      {4, "Sable or Kestrix binary file (with .extension) to open:", sableOrOwn},
      {1, "Kestrix-format file (with .extension) to open:", own},
      {2, "Kestrix-format file (with .extension) to open:", own},
      {5, "Kestrix-format file (with .extension) to open:", own},
      {6, "Kestrix-format file (with .extension) to open:", own},
      {7, "Sable or Kestrix-format file to open:", {}},
      {3, "Sable or Kestrix-format file to open:", {}},
      {0, "Sable or Kestrix-format file to open:", {}},
  };
  for (const auto& c : cases) {
    const OpenPanelRequest r = openPanelFor(c.type);
    EXPECT_EQ(r.prompt, c.prompt) << c.type;
    EXPECT_EQ(r.extensions, c.extensions) << c.type;
  }
}

TEST(OpenRules, ANewFileTakesTheLowestFreeSlotAndNoneWhenAllAreTaken) {
  std::array<bool, 20> taken{};
  EXPECT_EQ(lowestFreeSlot(taken), 0);
  taken[0] = taken[2] = true;
  EXPECT_EQ(lowestFreeSlot(taken), 1);
  taken.fill(true);
  taken[19] = false;
  EXPECT_EQ(lowestFreeSlot(taken), 19);
  taken[19] = true;
  EXPECT_EQ(lowestFreeSlot(taken), -1) << "never a slot that holds a file";
}

TEST(OpenRules, PlotSettingsOfANewFile) {
  // The automatic block: Xstep pixels a case when the file fits, else its share of the width.
  EXPECT_EQ(automaticBlockPixels(5, 2, 1000, 400), 10);
  EXPECT_EQ(automaticBlockPixels(5, 1, 1000, 1000), 5);
  EXPECT_EQ(automaticBlockPixels(500, 1, 1000, 10000), 50);
  EXPECT_EQ(automaticBlockPixels(5, 1, 1000, 10000), 0);
  EXPECT_EQ(automaticBlockPixels(3000000, 1, 1800, 6100000), 885);
  // Screen segments: pages of a long file closer than 5 pixels.
  EXPECT_FALSE(screenSegmentsOffered(1000, 1000));
  EXPECT_FALSE(screenSegmentsOffered(200000, 1000));  // 1000 / 200 = 5
  EXPECT_TRUE(screenSegmentsOffered(201000, 1000));   // 1000 / 201 = 4
  // Append or Stack: 1 to 6,099,899 cases.
  EXPECT_TRUE(appendAllowed(1));
  EXPECT_TRUE(appendAllowed(6099899));
  EXPECT_FALSE(appendAllowed(6099900));
  EXPECT_FALSE(appendAllowed(0));
  EXPECT_EQ(documentsRoom(19), 1);
  EXPECT_EQ(documentsRoom(20), 0);
  EXPECT_EQ(documentsRoom(0), 20);
}

TEST(OpenRules, LoadingWindowBesideThePlotWindow) {
  EXPECT_EQ(loadingWindowEdges(false, 0).left, 154);
  EXPECT_EQ(loadingWindowEdges(false, 0).right, 535);
  EXPECT_EQ(loadingWindowEdges(true, 30).left, 84);
  EXPECT_EQ(loadingWindowEdges(true, 30).right, 465);
}

TEST(OpenRules, TextsOfTheLoadWindows) {
  EXPECT_EQ(badFileText(0, 0).first, "This file seems to be damaged.");
  EXPECT_EQ(badFileText(7, 0).second, "Please select another file.");
  EXPECT_EQ(badFileText(1, 0).first, "Too many cases to fit!");
  EXPECT_EQ(badFileText(1, 0).second, "Please select a smaller file.");
  EXPECT_EQ(badFileText(2, 0).first, "Too many channels to fit!");
  EXPECT_EQ(badFileText(2, 0).second, "(maximum of 40 channels) ");
  EXPECT_EQ(badFileText(3, 1).first, "File format ( 1 ) seems incorrect.");
  EXPECT_EQ(badFileText(3, 1).second, "Try loading as a text file.");
  EXPECT_EQ(tooManyFilesText(1), "One file cannot be loaded");
  EXPECT_EQ(tooManyFilesText(2), " 2 files cannot be loaded");
  EXPECT_EQ(markersPresentLine(12), "  A total of 12 markers are present.");
  EXPECT_EQ(notesPresentLine(3), "  Contains 3 'real-time' note(s).");
}
