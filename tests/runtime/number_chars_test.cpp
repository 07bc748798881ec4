// The buffer form of the number text must write exactly the bytes of PSstr, at every digits
// setting: the text data files depend on it byte for byte.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/number_chars.h"
#include "runtime/numtext.h"

using namespace qv::rt;

namespace {

class DigitsSetting {
 public:
  explicit DigitsSetting(int d) : saved_(gFBFloatMaxDigits) { gFBFloatMaxDigits = d; }
  ~DigitsSetting() { gFBFloatMaxDigits = saved_; }

 private:
  int saved_;
};

std::string viaBuffer(double x, int digits) {
  char buf[kNumberCharsMax + 8];
  std::memset(buf, '#', sizeof buf);
  char* end = numberChars(buf, x, digits);
  EXPECT_LE(size_t(end - buf), kNumberCharsMax) << x;
  return std::string(buf, end);
}

// Compares both forms for x at every digits setting the writers use, and just outside it.
void expectSameText(double x) {
  for (int digits = 0; digits <= 18; ++digits) {
    DigitsSetting d(digits);
    ASSERT_EQ(viaBuffer(x, digits), PSstr(x)) << "x = " << x << " (" << std::hexfloat << x << std::defaultfloat
                                               << "), digits " << digits;
  }
}

float floatOfBits(uint32_t bits) {
  float f = 0;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

}  // namespace

TEST(NumberChars, SameBytesAsPSstrOverAWideTable) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {
      0.0, -0.0, 1, -1, 0.5, 9.5, 10, 20.9, 20.95, 37.125, 100000, -3, 0.005, 5e9, -0.001,
      1.0 / 3, 2.0 / 3, 123.456, 123456.789, 1048576.25, 1048576.75, 2147483648.0, 4294967295.0,
      4294967296.0, -4294967296.0, 123456789012.0, 1e20, 1e-20, 1.5e-5, 1e300, -1e-300, DBL_MAX,
      DBL_MIN, 4.9e-324, FLT_MAX, -FLT_MAX, FLT_MIN, double(FLT_TRUE_MIN), 0.0078125, 0.0078,
      std::nextafter(0.0078125, 0.0), 1e7, 9999999.5, 16777216, 16777217, 8388607.5, 0.1, 0.2, 0.3,
      std::numeric_limits<double>::quiet_NaN(), inf, -inf,
  };
  // Integers, and values at each binary exponent of the fixed range and around it: the count
  // of decimals changes there.
  for (int e = -12; e <= 40; ++e) {
    const double p = std::ldexp(1.0, e);
    for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 2 * p), 1.5 * p, p * 1.1, -p * 1.7})
      values.push_back(v), values.push_back(double(float(v)));
  }
  // Values that round to a power of ten (a carry into a new digit) and exact halves.
  for (int e = -3; e <= 9; ++e) {
    const double t = std::pow(10.0, e);
    for (double v : {t, t - t * 1e-7, t + t * 1e-7, t * 0.99999, t * 9.99995, t + 0.5, t + 0.25})
      values.push_back(v), values.push_back(double(float(v))), values.push_back(-v);
  }
  for (double v : values) expectSameText(v);
}

// Floats are what the writers write most: a sweep over their bit patterns covers every
// exponent and a spread of significands, signs and the non-numbers included.
TEST(NumberChars, SameBytesAsPSstrForFloatsAcrossTheirBitPatterns) {
  uint32_t seed = 2463534242u;
  for (int i = 0; i < 200000; ++i) {
    seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
    const double x = double(floatOfBits(seed));
    char buf[kNumberCharsMax];
    for (int digits : {5, 7, 9, 12, 17}) {
      DigitsSetting d(digits);
      const std::string want = PSstr(x);
      const std::string got(buf, numberChars(buf, x, digits));
      ASSERT_EQ(got, want) << std::hexfloat << x << std::defaultfloat << " digits " << digits;
    }
  }
}
