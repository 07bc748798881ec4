#pragma once
// Lag correction's arithmetic: seconds to a lag in cases, whether the file can take it, and
// the shift itself.
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

// The lag in cases for a lag in seconds at a sample interval: the quotient rounded up, so
// that a part of an interval counts as one more case while whole multiples map to
// themselves (1.2 -> 2, 3.0 -> 3, -1.2 -> -1). Nothing when the interval is not a positive
// number or the quotient is not a number that fits 32 bits.
std::optional<int32_t> lagInCases(float seconds, float interval);

// Whether a lag of n cases can be applied to a channel of nCases cases: under half the file.
bool lagFitsFile(int32_t n, int32_t nCases);

// Shifts cases 1..N of x (x has N + 1 entries, entry 0 untouched): n > 0 moves later samples
// to earlier cases, n < 0 delays; the vacated cases become 0. The caller checks lagFitsFile.
void shiftChannel(std::span<float> x, int32_t n);

}  // namespace qv
