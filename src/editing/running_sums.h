#pragma once
// The sample-to-sample difference and the running sum of a channel, over cases 1..n of
// arrays of n + 1 floats (entry 0 holds no sample). Neither uses the sample interval: the
// difference is per sample and the sum a plain sum of samples.
#include <span>

namespace qv {

// destination[i] = source[i] - source[i - 1]; case 1 is its own predecessor (0). Entry 0 of
// the result is its case 1. The destination may be the source itself. A gap on either side
// gives a gap.
void sampleDifference(std::span<const float> source, std::span<float> destination);

// destination[i] = the sum of source[1..i], added up in double and stored as float, so that
// millions of cases keep their digits. A gap is no sample: it is left out of the sum and
// stays a gap in the result. Entry 0 of the result is its case 1. May work in place.
void runningSum(std::span<const float> source, std::span<float> destination);

}  // namespace qv
