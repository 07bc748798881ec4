#pragma once
// The runtime's number text: what PRINT-style output and every text writer of the
// program use. Independent of the C locale (a decimal point always).
#include <string>
#include <string_view>

namespace qv::rt {

// Significant-digits setting of printed floats (D in the rule below); 5 at start.
extern int gFBFloatMaxDigits;

// Number to text. A leading blank before a non-negative value. 0 and magnitudes from
// 2^-7 to below 2^32 are fixed notation with D - trunc((E - 1) * 12 / 39) decimals (at
// least 1), E the binary exponent, trailing zeros and a bare point dropped; other
// magnitudes are exponent notation with D significant digits ("1.5E-05", "-4.295E+09").
std::string PSstr(double x);
// The same with D given, not the setting; and appended to out (for long text written in one piece).
std::string PSstr(double x, int maxDigits);
void appendPSstr(std::string& out, double x, int maxDigits);

// Integer to text, with a leading blank when not negative; and appended to out.
std::string PSstrLong(long long n);
void appendPSstrLong(std::string& out, long long n);

// Picture formatting: '#' digit positions, one optional '.', optional ',' grouping
// ("#,###"). The number is right-aligned in the picture's width; a number too wide
// for the picture is written whole.
std::string PSusing(std::string_view picture, double x);

// Text to number: leading blanks skipped, then the leading decimal number (sign, digits,
// point, exponent E or D), or a prefixed integer "&H"/"0x" hexadecimal, "&O" octal,
// "&X" binary. Text that is not a number gives 0.
double PSval(std::string_view text);

// As PSval, but says whether the text held a number and nothing else but blanks.
bool PSvalStrict(std::string_view text, double& out);

}  // namespace qv::rt
