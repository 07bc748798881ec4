#include <gtest/gtest.h>

#include <cmath>

#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

using namespace qv::rt;

TEST(NumberText, PSstrCoversEveryMagnitudeClass) {
  struct Case {
    double x;
    const char* text;
  } cases[] = {
      {0.0, " 0"},
      {1.0, " 1"},
      {-1.0, "-1"},
      {0.5, " 0.5"},
      {9.5, " 9.5"},
      {1.0 / 3.0, " 0.33333"},         // E = -2: 5 decimals
      {0.0078125, " 0.0078125"},       // 2^-7, the smallest fixed value: 7 decimals
      {0.0078, " 7.8E-03"},            // below 2^-7: exponent notation
      {123.456, " 123.456"},           // E = 6: 5 - 1 = 4 decimals
      {1000.0, " 1000"},
      {20.95, " 20.95"},
      {-20.95, "-20.95"},
      {123456.789, " 123456.8"},       // E = 16: one decimal
      {10000.5, " 10000.5"},           // E = 13: two decimals, exact
      {2147483648.0, " 2147483648"},   // 2^31: at least one decimal, dropped
      {4294967296.0, " 4.295E+09"},  // 2^32: exponent notation, 5 significant digits
      {-4294967296.0, "-4.295E+09"},
      {123456789012.0, " 1.2346E+11"},
      {1.5e-5, " 1.5E-05"},
      {1e20, " 1E+20"},
  };
  for (auto& c : cases) EXPECT_EQ(PSstr(c.x), c.text) << c.x;
}

TEST(NumberText, PSstrTiesGoToEvenAndDigitsFollowSetting) {
  // 1048576.25 is exact in binary and printed with one decimal: the tie goes to the even digit.
  EXPECT_EQ(PSstr(1048576.25), " 1048576.2");
  EXPECT_EQ(PSstr(1048576.75), " 1048576.8");
  int saved = gFBFloatMaxDigits;
  gFBFloatMaxDigits = 8;
  EXPECT_EQ(PSstr(1.0 / 3.0), " 0.33333333");
  EXPECT_EQ(PSstr(1.5e-5), " 1.5E-05");
  gFBFloatMaxDigits = saved;
  EXPECT_EQ(PSstrLong(12), " 12");
  EXPECT_EQ(PSstrLong(-12), "-12");
  EXPECT_EQ(PSstrLong(0), " 0");
}

TEST(NumberText, PSusingRightAlignsInThePicture) {
  EXPECT_EQ(PSusing("###.###", 9.5), "  9.500");
  EXPECT_EQ(PSusing("###.###", -9.5), " -9.500");
  EXPECT_EQ(PSusing("####.###", 10.0), "  10.000");
  EXPECT_EQ(PSusing("######.#", 9999.94), "  9999.9");
  EXPECT_EQ(PSusing("#,###", 1234.0), "1,234");
  EXPECT_EQ(PSusing("#,###,###", 1234567.0), "1,234,567");
  EXPECT_EQ(PSusing("##.#", -0.01), " 0.0");
  EXPECT_EQ(PSusing("#.#", 12345.0), "12345.0");  // too wide: written whole
}

TEST(NumberText, PSvalReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"12.5", 12.5},      {"  -3", -3},       {"1e3", 1000},      {"2.5D-1", 0.25}, {"&H10", 16},
      {"0x1F", 31},        {"&O17", 15},       {"&X101", 5},       {"abc", 0},       {"", 0},
      {"7 apples", 7},     {".5", 0.5},        {"+4", 4},          {"1e", 1},        {"-", 0},
  };
  for (auto& c : cases) EXPECT_DOUBLE_EQ(PSval(c.text), c.value) << c.text;
  double v = 0;
  EXPECT_TRUE(PSvalStrict(" 12.5 ", v));
  EXPECT_DOUBLE_EQ(v, 12.5);
  EXPECT_FALSE(PSvalStrict("12a", v));
  EXPECT_FALSE(PSvalStrict("x", v));
  EXPECT_TRUE(std::isinf(PSval("1e999")));
}

TEST(MacRoman, EveryCodeRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    std::string mac(1, char(b));
    std::string utf = macRomanToUtf8(mac);
    EXPECT_EQ(utf8ToMacRoman(utf), mac) << b;
    EXPECT_EQ(unicodeToMacRoman(macRomanToUnicode(uint8_t(b))), b);
  }
  EXPECT_EQ(macRomanToUtf8("\xA1"), "°");
  EXPECT_EQ(macRomanToUtf8("\xB5"), "µ");
  EXPECT_EQ(macRomanToUtf8("\xC6"), "∆");
  EXPECT_EQ(utf8ToMacRoman("中"), "?");
}

TEST(Utf8Cells, LabelsCountCharacters) {
  std::string s(60, ' ');
  setMidChars(s, 30, 30, "Temp °C");
  EXPECT_EQ(charCount(s), 60u);
  EXPECT_EQ(trimRight(midChars(s, 30, 30)), "Temp °C");
  EXPECT_EQ(charCount(fitChars("µ°∆", 30)), 30u);
  EXPECT_EQ(fitChars("abcdef", 3), "abc");
}
