#pragma once
// Bringing samples to another sample interval: each sample goes to the case its time falls
// on, the cases between two placed samples are interpolated, and where several samples fall
// on one case the last stays. One scheme serves "Adjust Time Scale..." and the adjustment
// of a merged file.
#include <cstdint>
#include <optional>
#include <span>

#include "datafiles/datafile.h"

namespace qv {

// An interval as the user and the files state it: the float taken to 7 significant digits,
// so that 0.1f means 0.1 and the positions below do not slip a case.
double statedInterval(float interval);

// Case positions of samples spaced `ratio` cases apart, counted from case `base` (where
// sample `first` lies): trunc(base + (i - first) x ratio), with a relative tolerance of
// 1e-9 so that a product meant to be whole is not truncated below it.
struct CaseMapping {
  double ratio = 1;
  int32_t first = 0;
  int32_t base = 0;
  int64_t operator()(int64_t i) const;
};

// Places src[i] (i = first .. last) at map(i) in dst and fills the gap from position
// `prev` (already holding its value) by linear interpolation. Positions past dst, and those
// at or below `keepThrough`, are not written. src and dst must not overlap.
void placeSamples(const float* src, int32_t first, int32_t last, const CaseMapping& map, std::span<float> dst,
                  int64_t prev, int64_t keepThrough = -1);

enum class TimeScaleRefusal { None, BadInterval, TooManyCases, NoCases, NoMemory };

// The case count a file of `cases` cases has at the new interval (the position of its last
// case); nothing when the intervals are no lengths of time.
std::optional<int64_t> timeScaledCount(int32_t cases, float oldInterval, float newInterval);

// Resamples every channel of the file to `newInterval`: count, samples, markers (by the
// same mapping, kept within 1..count) and interval. Every new array is allocated before any
// is used, so a refusal changes nothing.
TimeScaleRefusal adjustTimeScale(DataFile& f, float newInterval, SampleArray (*allocate)(int32_t) = allocateSamples);

}  // namespace qv
