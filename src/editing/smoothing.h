#pragma once
// Nearest-neighbour smoothing: a centred running mean of w samples over a range of cases,
// with means of the cases that exist near the file's ends.
#include <cstdint>
#include <functional>
#include <span>

namespace qv {

// Samples of size button b (1..10): 3, 5, 7, 9, 11, 15, 19, 25, 35, 51; 0 outside.
int smoothingWidth(int button);

// The cases a smoothing writes: from..to clipped to 1..N (empty when first > last).
struct CaseRange {
  int32_t first = 1;
  int32_t last = 0;
};
CaseRange smoothingRange(int32_t from, int32_t to, int32_t nCases);

// One pass of w samples (odd, k = w / 2) from s into x over cases range.first..range.last;
// s and x hold entries 0..N, entry 0 is neither read nor written. Case p <= k gets the mean
// of cases 1..min(2p, N); p > N - k (and > k) the mean of cases 2p - N - 1..N; every other
// case the centred mean of p - k..p + k: the sum in double of the 32-bit samples divided by
// their count, rounded to 32 bits.
void smoothPass(std::span<const float> s, std::span<float> x, CaseRange range, int w);

// The centred sums of w samples for centres first..last, into sums[0..]: one add and one
// subtract a case where every partial sum is exact, so each equals the direct sum bit for bit;
// summed directly over stretches whose magnitudes are too far apart for that.
void slidingSums(std::span<const float> s, int32_t first, int32_t last, int w, std::span<double> sums);

// `cycles` passes over x (entries 0..N) in place; progress(c) after cycle c.
void smoothCycles(std::span<float> x, CaseRange range, int w, int cycles, const std::function<void(int)>& progress = {});

// Conditional smoothing: a case of the range whose value before smoothing was above upper or
// below lower takes that value back.
void keepOutsideLimits(std::span<const float> before, std::span<float> x, CaseRange range, float upper,
                       float lower);

}  // namespace qv
