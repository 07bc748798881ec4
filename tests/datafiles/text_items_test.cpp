#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/text_items.h"

using qv::TextItemReader;

namespace {

std::span<const uint8_t> bytesOf(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Every item of the text, until the reader says it is at the end.
std::vector<std::string> allItems(const std::string& text) {
  TextItemReader r(bytesOf(text));
  std::vector<std::string> out;
  while (!r.atEnd() && out.size() < 1000) out.emplace_back(r.next());
  return out;
}

using Items = std::vector<std::string>;

}  // namespace

TEST(TextItems, ItemsAcrossSeparatorsQuotesAndLineEnds) {
  struct Case {
    const char* name;
    std::string text;
    Items items;
  } cases[] = {
      {"commas", "1,2,3", {"1", "2", "3"}},
      {"blanks before items are skipped", "  1,   2", {"1", "2"}},
      {"a run of TABs is one separator", "1\t2\t\t3", {"1", "2", "3"}},
      {"TAB then comma is one separator", "1\t,2", {"1", "2"}},
      {"blank inside an item", "1 2,3", {"1 2", "3"}},
      {"quoted text keeps commas and TABs", "\"a,b\tc\",d", {"a,b\tc", "d"}},
      {"quote without its end runs to the line end", "\"abc,d\r5", {"abc,d", "5"}},
      {"empty item between commas", "1,,2", {"1", "", "2"}},
      {"trailing comma ends the line", "1,2,\r3,", {"1", "2", "3"}},
      {"trailing blanks end the line", "1, \t\r2", {"1", "2"}},
      {"CR", "1\r2\r", {"1", "2"}},
      {"LF", "1\n2\n", {"1", "2"}},
      {"CR LF is one line end", "1\r\n2\r\n", {"1", "2"}},
      {"an empty line yields one item", "1\r\r2", {"1", "", "2"}},
      {"an empty CR LF line yields one item", "1\r\n\r\n2\r\n", {"1", "", "2"}},
      {"LF CR is two line ends", "1\n\r2", {"1", "", "2"}},
      {"no line end at the end", "\"x\"", {"x"}},
  };
  for (const auto& c : cases) EXPECT_EQ(allItems(c.text), c.items) << c.name;
}

TEST(TextItems, NumbersByTheRuntimeRule) {
  struct Case {
    const char* text;
    double real;
    double integer;
  } cases[] = {
      {"12.75", 12.75, 12},      {"-12.75", -12.75, -12}, {"1 2", 1, 1},          {"&H10", 16, 16},
      {"0x1F", 31, 31},          {"&O17", 15, 15},        {"&X101", 5, 5},        {"1.5E-05", 1.5e-5, 0},
      {"-4.295E+09", -4.295e9, -4.295e9}, {"2e3", 2000, 2000}, {"3D2", 300, 300}, {"", 0, 0},
      {"abc", 0, 0},             {" \"7.5\"", 7.5, 7},
      // Where a plain number is followed by more of its item, the whole item decides.
      {"12d3", 12000, 12000},    {"1e", 1, 1},            {"2.5 x", 2.5, 2},      {"+5", 5, 5},
      {"-.5", -0.5, 0},          {"1.", 1, 1},            {"-", 0, 0},            {".", 0, 0},
      {"1e400", HUGE_VAL, HUGE_VAL}, {"-1e400", -HUGE_VAL, -HUGE_VAL}, {"1e-400", 0, 0},
      // Only the writer's own texts of non-numbers are read as such.
      {"inf", 0, 0},             {"-inf", 0, 0},          {"Infinity", 0, 0},     {"nan", 0, 0},
      {"INF", HUGE_VAL, HUGE_VAL}, {"-INF ", -HUGE_VAL, -HUGE_VAL},
  };
  for (const auto& c : cases) {
    std::string text = std::string(c.text) + "," + c.text;
    TextItemReader r(bytesOf(text));
    EXPECT_DOUBLE_EQ(r.real(), c.real) << c.text;
    EXPECT_DOUBLE_EQ(r.integer(), c.integer) << c.text;
  }
  const std::string nans = "NAN, NAN,-NAN";
  TextItemReader nan(bytesOf(nans));
  EXPECT_TRUE(std::isnan(nan.real()));
  EXPECT_TRUE(std::isnan(nan.integer()));
  EXPECT_EQ(nan.real(), 0.0);
  // A number item keeps its first 255 characters, however it is read.
  const std::string huge = "1" + std::string(300, '0');
  const std::string twoHuge = huge + "," + huge;
  TextItemReader cut(bytesOf(twoHuge));
  EXPECT_DOUBLE_EQ(cut.real(), 1e254);
  EXPECT_DOUBLE_EQ(cut.real(), 1e254);
}

TEST(TextItems, LongLinesAreTakenWholeAndTextItemsKeep255Characters) {
  std::string row;
  for (int i = 0; i < 60; ++i) row += " 12345.6789,";  // 720 characters
  row += "\r 42,\r";
  TextItemReader r(bytesOf(row));
  for (int i = 0; i < 60; ++i) ASSERT_DOUBLE_EQ(r.real(), 12345.6789) << i;
  EXPECT_DOUBLE_EQ(r.real(), 42);
  EXPECT_TRUE(r.atEnd());

  std::string longText = "\"" + std::string(300, 'a') + "\",7";
  TextItemReader t(bytesOf(longText));
  EXPECT_EQ(t.next(), std::string(255, 'a'));
  EXPECT_DOUBLE_EQ(t.real(), 7);
}

TEST(TextItems, PastTheEndItemsAreEmpty) {
  std::string text = "1,2\r";
  TextItemReader r(bytesOf(text));
  EXPECT_FALSE(r.atEnd());
  r.next();
  EXPECT_EQ(r.remainingBytes(), 1u);  // "2"; its line end went with the line
  r.next();
  EXPECT_TRUE(r.atEnd());
  EXPECT_EQ(r.next(), "");
  EXPECT_EQ(r.real(), 0.0);
  EXPECT_EQ(r.remainingBytes(), 0u);
}

// The samples' inline reading takes an item only where the general rule would read it the same:
// item after item, both ways give the same bits and leave the reader at the same place.
TEST(TextItems, TheInlineSampleReadingAgreesWithTheGeneralRule) {
  const char* texts[] = {
      " 20.8999996, 0.20900001,\r 2090,-1.23E-03,\r 1E-07,\r",
      "1,2\r\n3,4\n5,6,\n\n7 , 8\t9,\t10\r",
      "1, ,2,,3,\"4\",NAN,INF,-INF,-.5,.25e2,1e400,-,&H1F,12abc,1 2,7",
      "-1\r\r\n2,   \r3",
      "4,",
  };
  for (const char* text : texts) {
    const std::string t = text;
    TextItemReader general(bytesOf(t)), inlined(bytesOf(t));
    for (int i = 0; i < 30; ++i) {
      double v;
      if (!inlined.plainReal(v)) v = inlined.real();
      const double w = general.real();
      EXPECT_EQ(std::bit_cast<uint64_t>(v), std::bit_cast<uint64_t>(w)) << text << " item " << i;
      EXPECT_EQ(inlined.atEnd(), general.atEnd()) << text << " item " << i;
      EXPECT_EQ(inlined.remainingBytes(), general.remainingBytes()) << text << " item " << i;
    }
  }
}
