#include <gtest/gtest.h>

#include "core/filetable.h"
#include "core/text_format.h"
#include "runtime/macroman.h"

using namespace qv;

TEST(CommentText, KeptUtf8AndMadeSafeForTheOwnFormats) {
  // Quotes become bullets, every kind of line end becomes CR, nothing else is lost.
  EXPECT_EQ(FixContainerTextForSave("He said \"∞ √ ∑ ≠ ™ é\"\nnext\r\nlast\u2029end"),
            "He said \u2022∞ √ ∑ ≠ ™ é\u2022\rnext\rlast\rend");
  EXPECT_EQ(FixContainerTextForSave("≤ ≥ ∆ ∂ ∫"), "≤ ≥ ∆ ∂ ∫");
  // In Mac Roman for the file: ≤ and ≥ are the single codes 178 and 179; what Mac Roman
  // lacks becomes "?".
  EXPECT_EQ(ownFormatText("≤≥\"中"), std::string("\xB2\xB3\xA5?"));
}

TEST(ExplanatoryTexts, UnknownNumbersAreNotFound) {
  EXPECT_EQ(TxtViewLoadText(1, 5), -43);
  EXPECT_TRUE(explanatoryTextPath(5).empty());
  EXPECT_NE(explanatoryTextPath(174).find("toolbar key.html"), std::string::npos);
}

TEST(Labels, CellsCountCharactersAndGetChanLabelComposesTheLogLine) {
  TheFileInUse = 3;
  for (auto& s : LabelStrings[3]) s.clear();
  SetChannelLabel(3, 2, "Temp °C");
  SetChannelLabel(3, 40, "Last");
  EXPECT_EQ(RetrieveLabel(2), "Temp °C                       ");
  EXPECT_EQ(RetrieveLabel(40).substr(0, 4), "Last");
  GetChanLABEL(1, 2);
  EXPECT_EQ(EditRecord, "\r   <+ >   Channel 2, Temp °C:  ");
  GetChanLABEL(0, 1);
  EXPECT_EQ(EditRecord, "\r   \u2206  Channel 1, :  ");
  GetChanLABEL(2, 40);
  EXPECT_EQ(EditRecord, "\r   <del >   Channel 40, Last:  ");
  TheFileInUse = -1;
}
