// The expression language: values of compiled texts against the same formulas written out,
// the first error of bad texts with the place the scan stopped, and the limits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "transforms/expression.h"

using namespace qv::expr;

namespace {

double valueOf(const std::string& text, double x = 3, double y = 2.01) {
  const Compiled c = compile(text);
  EXPECT_TRUE(c.ok) << text << ": " << c.message << " at " << c.offset;
  return evaluate(c.code, x, y);
}

std::string repeated(const std::string& first, const std::string& each, int times) {
  std::string s = first;
  for (int k = 0; k < times; ++k) s += each;
  return s;
}

const std::string kDefault = "10 * (x + y)/2.0 + sin( \u03C0*0.5 ) `[ example ]`";
const std::string kNested = "1+x*(2+x*(3+x*(4+x*(5+x*6))))";

}  // namespace

TEST(Expression, ValuesMatchTheFormulasWrittenOut) {
  const double x = 3, y = 2.01;
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"-x^2", 9},           {"2^3^2", 64},          {"2^-1", 0.5},           {"x*-2", -6},
      {"+x", x},             {"--x", x},             {"SQR(3)", 9},           {"SQRT(9)", 3},
      {"LOG(EXP(1))", 1},    {"LN(EXP(1))", 1},      {"LOG10(100)", 2},       {"INT(-2.7)", -2},
      {"INT(2.7)", 2},       {"ATAN(1)", std::numbers::pi / 4}, {"ATN(1)", std::numbers::pi / 4},
      {"Sin(X)", std::sin(x)}, {"cos(pi)", -1},      {"tan(0)", 0},           {"ABS(-x)", x},
      {"x + `c` y", x + y},  {"x/y", x / y},         {"x-y-1", x - y - 1},    {"x/2/3", x / 6},
      {".5+5.+1e-3", 5.501}, {"1E+2*2e-1", 20},      {"\u03C0", std::numbers::pi},
      {"1000000000000000000000000000000000000000", 1e39},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(valueOf(c.text), c.expected) << c.text;
  }
  EXPECT_DOUBLE_EQ(valueOf(kDefault, 1, 2.01), 10 * (1 + 2.01) / 2.0 + std::sin(std::numbers::pi * 0.5));
  EXPECT_NEAR(valueOf(kDefault, 1, 2.01), 16.05, 1e-12);
  EXPECT_EQ(valueOf(kNested), 2005);
  EXPECT_EQ(valueOf("1/0"), std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(valueOf("LOG(-1)")));
}

TEST(Expression, FirstErrorAndWhereTheScanStopped) {
  const struct {
    const char* text;
    const char* message;
    int offset;
  } cases[] = {
      {"sinx", "Expecting left parenthesis", 4},
      {"x y", "Syntax error", 3},
      {"x\ty", "Syntax error", 3},
      {"2x", "Syntax error", 2},
      {"x)", "Syntax error", 2},
      {"x+$", "Syntax error", 2},
      {"(x", "Expecting right parenthesis", 2},
      {"SQRT(x", "Expecting right parenthesis", 6},
      {"", "Missing expression", 0},
      {"   ", "Missing expression", 3},
      {"`c`", "Missing expression", 3},
      {"$", "Missing expression", 0},
      {"`x", "Unterminated comment", 2},
      {"x+`y", "Unterminated comment", 4},
      {"x+$+1", "Name or symbol not recognisable", 2},
      {"x$", "End of expression expected", 1},
      {"1.2.3", "Bad number format", 5},
      {"1E", "Bad number format", 2},
      {".", "Bad number format", 1},
      {"\u03C0\u03C0$+1", "Syntax error", 2},
      {"\u03C0+\u00B5+1", "Name or symbol not recognisable", 2},
  };
  for (const auto& c : cases) {
    const Compiled r = compile(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.message, c.message) << c.text;
    EXPECT_EQ(r.offset, c.offset) << c.text;
  }
}

TEST(Expression, LimitsOfConstantsAndCode) {
  std::string twenty = "1";
  for (int k = 2; k <= 20; ++k) twenty += "+" + std::to_string(k);
  const Compiled ok = compile(twenty);
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(ok.code.constantCount(), 20);
  EXPECT_EQ(evaluate(ok.code, 0, 0), 210);
  EXPECT_EQ(compile(twenty + "+21").message, "Too many constants");
  EXPECT_EQ(compile("x+2+2").code.constantCount(), 1);

  const Compiled longest = compile(repeated("x", "+x", 49));
  ASSERT_TRUE(longest.ok);
  EXPECT_EQ(longest.code.count(), 99);
  EXPECT_EQ(evaluate(longest.code, 2, 0), 100);
  EXPECT_EQ(compile(repeated("x", "+x", 50)).message, "Expression too long");
  // The field holds 255 characters; a longer text is refused, not cut.
  EXPECT_TRUE(compile(repeated("x", " ", 254)).ok);
  const Compiled overlong = compile(repeated("x", " ", 255));
  EXPECT_EQ(overlong.message, "Expression too long");
  EXPECT_EQ(overlong.offset, 255);
  // A number's two words are counted one by one.
  EXPECT_EQ(compile(repeated("x", "+x", 49) + "+1").message, "Expression too long");

  // As deep as 100 words allow: every place of the stack in use.
  std::string nested = "x";
  for (int k = 0; k < 49; ++k) nested = "x+(" + nested + ")";
  const Compiled d = compile(nested);
  ASSERT_TRUE(d.ok) << d.message;
  EXPECT_EQ(evaluate(d.code, 1, 0), 50);
}

TEST(Expression, NamesInAnyCaseButOnlyTheLatinLettersCapitalised) {
  EXPECT_EQ(valueOf("Sqrt(X)*PI/pi", 4), 2);
  const Compiled c = compile("a*b", "a", "B");
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(evaluate(c.code, 2, 5), 10);
  // No capital of the Greek letters: a small sigma is not its capital.
  EXPECT_FALSE(compile("\u03C3", "\u03A3", "").ok);
  EXPECT_TRUE(compile("\u03A3*2", "\u03A3", "").ok);
  // Without a second name y is not known.
  EXPECT_EQ(compile("x*y+1", "x", "").message, "Name or symbol not recognisable");
}

TEST(Expression, TheFixedTableLongestNameFirst) {
  const SymbolTable t = SymbolTable::fixed();
  ASSERT_EQ(t.size(), 22);
  const char32_t* expected[] = {U"LOG10", U"ATAN", U"SQRT", U"EXP", U"LOG", U"SIN", U"COS", U"TAN",
                                U"ATN",   U"SQR",  U"ABS",  U"INT", U"LN",  U"PI",  U"+",   U"-",
                                U"*",     U"/",    U"^",    U"\u03C0", U"(", U")"};
  for (int k = 1; k <= 22; ++k) EXPECT_TRUE(t.entry(k).name == expected[k - 1]) << k;
  SymbolTable copy = t;
  EXPECT_EQ(copy.add(U"sin", 7, 14), SymbolTable::Added::Duplicate);
  EXPECT_EQ(copy.add(U"", 6, 6), SymbolTable::Added::EmptyName);
  EXPECT_EQ(copy.add(U"x", 6, 6), SymbolTable::Added::Ok);
  EXPECT_TRUE(copy.entry(23).name == U"X");
  for (int k = 24; k <= kMaxSymbols; ++k) copy.add(std::u32string(size_t(k), U'Q'), 6, 6);
  EXPECT_EQ(copy.add(U"Z", 6, 6), SymbolTable::Added::Full);
  EXPECT_EQ(compile("x", "x", "X").message, "Variable names are not usable");
}

TEST(Expression, SpansPassGapsAndCountWhatGaveNoFiniteValue) {
  const Compiled c = compile("LOG(x-4)+0*y");
  ASSERT_TRUE(c.ok);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> xs = {1, 4, 9, nan, 16, 25};
  const std::vector<float> ys = {0, 0, 0, 0, nan, 0};
  const NonFinite bad = evaluateSpan(c.code, xs, ys, xs);  // in place
  EXPECT_EQ(bad.count, 2u);
  EXPECT_EQ(bad.first, 0u);
  EXPECT_TRUE(std::isnan(xs[0]));
  EXPECT_EQ(xs[1], -std::numeric_limits<float>::infinity());
  EXPECT_EQ(xs[2], float(std::log(5.0)));
  EXPECT_TRUE(std::isnan(xs[3]) && std::isnan(xs[4]));
  EXPECT_EQ(xs[5], float(std::log(21.0)));

  // A constant formula still leaves a gap where x is one; pow(NaN, 0) would have made it 1.
  const Compiled power = compile("x^0");
  std::vector<float> g = {nan, 2};
  evaluateSpan(power.code, g, {}, g);
  EXPECT_TRUE(std::isnan(g[0]));
  EXPECT_EQ(g[1], 1);

  // A formula of constants fills every case that has an x sample; a gap of x stays a gap.
  std::vector<float> constant(100, nan);
  evaluateSpan(compile("SIN(PI/2)*2+x-x").code, std::vector<float>(100, 1), {}, constant);
  EXPECT_EQ(constant, std::vector<float>(100, 2));
  std::vector<float> someGaps(100, 1);
  someGaps[7] = nan;
  evaluateSpan(compile("SIN(PI/2)*2").code, someGaps, {}, constant);
  EXPECT_TRUE(std::isnan(constant[7]));
  EXPECT_EQ(constant[6], 2);
  EXPECT_EQ(constant[8], 2);
  // A formula of y alone follows y's gaps, not x's.
  std::vector<float> yValues(100, 3), fromY(100, 0);
  yValues[3] = nan;
  evaluateSpan(compile("y*2").code, someGaps, yValues, fromY);
  EXPECT_TRUE(std::isnan(fromY[3]));
  EXPECT_EQ(fromY[7], 6);

  // Many cases through the blocks agree with the one-case evaluation.
  const Compiled nested = compile(kNested);
  std::vector<float> big(1000), out(1000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = float(i) * 0.01f - 3;
  evaluateSpan(nested.code, big, big, out);
  for (size_t i = 0; i < big.size(); ++i) ASSERT_EQ(out[i], float(evaluate(nested.code, big[i], 0))) << i;
}
