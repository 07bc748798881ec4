#include "datafiles/load_fixes.h"

#include <cfloat>
#include <cmath>

namespace qv {

namespace {

std::span<float> channelSpan(DataFile& f, int c) { return {f.channels[size_t(c)].get(), size_t(f.nCases) + 1}; }

bool aberrant(float x) { return x > kAberrantEndLimit || x < -kAberrantEndLimit; }

}  // namespace

void fixAberrantEnds(std::span<float> samples) {
  if (samples.size() < 2) return;
  const size_t last = samples.size() - 1;
  if (aberrant(samples[0])) samples[0] = samples[1];
  if (aberrant(samples[last])) samples[last] = samples[last - 1];
}

void fixStartOfArray(std::span<float> samples) {
  const size_t n = samples.size();
  for (size_t k : {size_t(2), size_t(1), size_t(0)})
    if (k + 1 < n && std::fabs(samples[k]) < kStartTinyLimit) samples[k] = samples[k + 1];
  for (size_t k : {size_t(2), size_t(1), size_t(0)})
    if (k + 1 < n && std::fabs(samples[k]) > kStartHugeLimit) samples[k] = samples[k + 1];
}

void spikeCheckChannel(std::span<float> samples) {
  if (samples.size() < 3) return;
  float* x = samples.data();
  const size_t last = samples.size() - 1;
  for (size_t i = 1; i < last; ++i) {
    // In double: two samples near the float limit have a finite mean but an infinite sum.
    const double a = x[i - 1], v = x[i], b = x[i + 1];
    const bool extreme = (a > v && b > v) || (v > a && v > b);
    if (extreme && std::fabs(v - a) >= kSpikeHeight && std::fabs(v - b) >= kSpikeHeight) x[i] = float((a + b) / 2);
  }
}

void fixAberrantEnds(DataFile& f) {
  for (int c = 1; c <= f.nChannels; ++c)
    if (f.channels[size_t(c)]) fixAberrantEnds(channelSpan(f, c));
}

void SPIKEcheck(DataFile& f) {
  for (int c = 1; c <= f.nChannels; ++c)
    if (f.channels[size_t(c)]) spikeCheckChannel(channelSpan(f, c));
}

bool sampleIntervalUsable(float interval) { return std::isfinite(interval) && interval > 0; }

SampleIntervalCheck sampleIntervalCheck(float interval) {
  if (sampleIntervalUsable(interval)) return {false, interval};
  return {true, kZeroIntervalReplacement};
}

float intervalAfterWarning(double typed) {
  // A typed value beyond the range of a float would become infinite.
  const float f = std::isfinite(typed) && std::fabs(typed) <= double(FLT_MAX) ? float(typed) : 0.0f;
  return sampleIntervalUsable(f) ? f : kZeroIntervalReplacement;
}

}  // namespace qv
