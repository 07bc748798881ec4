#pragma once
// Spike removal, trimming and absolute value over a channel's samples (entry 0 holds no
// sample and is never read as one).
#include <cstdint>
#include <functional>
#include <span>

namespace qv::spikes {

// Which local extremes count: all, minima only, maxima only (the popup's values).
enum Direction : int { kAllSpikes = 1, kDownOnly = 2, kUpOnly = 3 };

struct Range {
  int32_t first = 2, last = 0;  // empty when first > last
};

// The cases a scan looks at: from..to without the file's first and last case, which have
// no neighbour on one side.
Range scanRange(int32_t from, int32_t to, int32_t nCases);

// Whether c, between p and n, is a spike: a local extreme of the direction that stands at
// least threshold from both neighbours (32-bit differences). A gap is never one, nor is a
// sample beside a gap.
bool isSpike(float p, float c, float n, float threshold, int direction);

// The first case a pass would change; r.last + 1 when none.
int32_t firstSpike(std::span<const float> x, Range r, float threshold, int direction);

// One pass in ascending order, each spike replaced by the mean of its neighbours as they
// stand (a replacement is seen by the next case). Returns the count replaced.
int64_t spikePass(std::span<float> x, Range r, float threshold, int direction);

// Passes until one finds no spike, with the pass loop's result bit for bit; after the first
// pass only the neighbourhoods of changed cases are looked at again. afterPass(passes, total,
// cases to look at next)
// may stop the sweep by returning false (the passes done stay). Returns the count replaced.
int64_t spikeSweep(std::span<float> x, Range r, float threshold, int direction,
                   const std::function<bool(int64_t, int64_t, size_t)>& afterPass = {});

struct TrimLimits {
  float upLimit = 1000, upValue = 1000, lowLimit = -1000, lowValue = 0;
};

// Cases first..last: above upLimit becomes upValue; below lowLimit (same sample) lowValue,
// which wins when the limits overlap. Returns the count changed.
int64_t trim(std::span<float> x, int32_t first, int32_t last, const TrimLimits& t);
// Whether trim would change a case.
bool trimWouldChange(std::span<const float> x, int32_t first, int32_t last, const TrimLimits& t);

// Cases first..last lose their sign bit (-0 becomes +0). Returns the count changed.
int64_t absoluteValue(std::span<float> x, int32_t first, int32_t last);
bool absoluteWouldChange(std::span<const float> x, int32_t first, int32_t last);

}  // namespace qv::spikes
