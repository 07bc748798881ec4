#pragma once
// The runtime's number text (numtext.h, PSstr) written straight into a caller's buffer, for
// writers that put out millions of numbers: the same bytes as PSstr, with no string made
// for each number.
#include <cstddef>

namespace qv::rt {

// Room a number's text may take, at any digits setting.
constexpr size_t kNumberCharsMax = 48;

// Writes x as PSstr writes it under a digits setting of `digits` (taken as 1..17 as PSstr
// takes gFBFloatMaxDigits) at `out`, which has room for kNumberCharsMax characters.
// Returns the end of the text.
char* numberChars(char* out, double x, int digits);

}  // namespace qv::rt
