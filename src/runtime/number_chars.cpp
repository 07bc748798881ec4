#include "runtime/number_chars.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace qv::rt {

namespace {

constexpr uint64_t kPow10[] = {1ull,
                               10ull,
                               100ull,
                               1000ull,
                               10000ull,
                               100000ull,
                               1000000ull,
                               10000000ull,
                               100000000ull,
                               1000000000ull,
                               10000000000ull,
                               100000000000ull};
// With 24 significant bits, m * 10^d stays below 2^64 up to this many decimals.
constexpr int kExactDecimals = 11;

// The fixed range of the rule: 0, and magnitudes from 2^-7 to below 2^32.
bool inFixedRange(double a) { return a == 0.0 || (a >= 0.0078125 && a < 4294967296.0); }

int decimalsFor(int binaryExponent, int digits) {
  const int d = digits - ((binaryExponent - 1) * 12) / 39;  // division truncates toward zero
  return d < 1 ? 1 : d;
}

char* dropTrailingZeros(char* begin, char* end) {
  if (!std::memchr(begin, '.', size_t(end - begin))) return end;
  while (end > begin && end[-1] == '0') --end;
  if (end > begin && end[-1] == '.') --end;
  return end;
}

// The digits of v, `width` of them with leading zeros.
char* paddedDigits(char* p, uint64_t v, int width) {
  for (int i = width - 1; i >= 0; --i) {
    p[i] = char('0' + v % 10);
    v /= 10;
  }
  return p + width;
}

// A float of the fixed range (not 0) rounded to `decimals` places, exactly, ties to the even
// digit, as the runtime's conversion rounds: the float is m * 2^e with 24-bit m, so the
// rounded value is an integer division of m * 10^decimals by a power of two.
char* fixedFromFloatBits(char* p, float a, int decimals) {
  uint32_t bits = 0;
  std::memcpy(&bits, &a, sizeof bits);
  const uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
  const int e = int((bits >> 23) & 0xFFu) - 150;
  if (e >= 0) return std::to_chars(p, p + 16, m << e).ptr;  // an integer: no decimals survive
  const int shift = -e;                                     // 1..30 in the fixed range
  const uint64_t scaled = m * kPow10[decimals];
  uint64_t q = scaled >> shift;
  const uint64_t rest = scaled & ((uint64_t(1) << shift) - 1), half = uint64_t(1) << (shift - 1);
  if (rest > half || (rest == half && (q & 1))) ++q;
  const uint64_t whole = q / kPow10[decimals];
  uint64_t frac = q % kPow10[decimals];
  p = std::to_chars(p, p + 16, whole).ptr;
  if (frac == 0) return p;
  int width = decimals;
  while (frac % 10 == 0) frac /= 10, --width;
  *p++ = '.';
  return paddedDigits(p, frac, width);
}

char* fixedBody(char* p, double a, int digits) {
  if (a == 0.0) {
    *p = '0';
    return p + 1;
  }
  int e2 = 0;
  std::frexp(a, &e2);
  const int decimals = decimalsFor(e2 - 1, digits);
  const float f = float(a);
  if (double(f) == a && decimals <= kExactDecimals) return fixedFromFloatBits(p, f, decimals);
  char* end = std::to_chars(p, p + kNumberCharsMax - 1, a, std::chars_format::fixed, decimals).ptr;
  return dropTrailingZeros(p, end);
}

// "1.5E-05": the significant digits without trailing zeros, then a signed exponent of at
// least two digits.
char* exponentBody(char* p, double a, int digits) {
  char buf[kNumberCharsMax];
  const std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, digits - 1);
  char* ePos = static_cast<char*>(std::memchr(buf, 'e', size_t(r.ptr - buf)));
  char* mantEnd = dropTrailingZeros(buf, ePos);
  const size_t mant = size_t(mantEnd - buf);
  std::memcpy(p, buf, mant);
  p += mant;
  int ex = 0;
  std::from_chars(ePos + 1 + (ePos[1] == '+'), r.ptr, ex);
  *p++ = 'E';
  *p++ = ex < 0 ? '-' : '+';
  const int magnitude = ex < 0 ? -ex : ex;
  return magnitude < 10 ? paddedDigits(p, uint64_t(magnitude), 2) : std::to_chars(p, p + 4, magnitude).ptr;
}

}  // namespace

char* numberChars(char* out, double x, int digits) {
  if (std::isnan(x)) return static_cast<char*>(std::memcpy(out, " NAN", 4)) + 4;
  if (std::isinf(x)) return static_cast<char*>(std::memcpy(out, x > 0 ? " INF" : "-INF", 4)) + 4;
  digits = digits < 1 ? 1 : (digits > 17 ? 17 : digits);
  const double a = std::fabs(x);
  char* body = out + 1;
  char* end = inFixedRange(a) ? fixedBody(body, a, digits) : exponentBody(body, a, digits);
  // Zero has no sign, whatever the sign bit says.
  out[0] = x < 0 && !(end - body == 1 && body[0] == '0') ? '-' : ' ';
  return end;
}

}  // namespace qv::rt
