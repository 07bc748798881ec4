#pragma once
// Repairs applied to the samples of a file just read: implausible values at the ends of the
// arrays (left there by acquisition start-up and old writers), and isolated spikes.
#include <cstdint>
#include <span>

#include "datafiles/datafile.h"

namespace qv {

// A value beyond this magnitude at case 0 or the last case is taken as garbage.
constexpr float kAberrantEndLimit = 2e20f;
// A spike must stand this far from both neighbours.
constexpr float kSpikeHeight = 400.0f;
// The reader's start-of-array fix: magnitudes below the first or above the second.
constexpr float kStartTinyLimit = 1e-6f;
constexpr float kStartHugeLimit = 1e7f;
// An interval of zero is replaced by this (seconds) until the user gives the right one.
constexpr float kZeroIntervalReplacement = 9.999f;

// `samples` is a channel's whole array, entries 0..nCases (nCases >= 1).
// Case 0 beyond +-2e20 takes case 1; then the last case beyond +-2e20 takes the one before.
void fixAberrantEnds(std::span<float> samples);
// Cases 2, 1, then 0 whose magnitude is below 1e-6 take the value of the case after them;
// then the same for magnitudes above 1e7. Only cases whose successor exists are touched.
void fixStartOfArray(std::span<float> samples);
// A strict local extreme at least 400 from both neighbours becomes their mean. Cases 1 to
// nCases - 1 in order, case 0 serving as the left neighbour of case 1; a replaced value is
// the left neighbour of the next case.
void spikeCheckChannel(std::span<float> samples);

// The same over channels 1..nChannels of a file.
void fixAberrantEnds(DataFile& f);
void SPIKEcheck(DataFile& f);

// The logic of the sample-interval check (CheckSampleInterval) every reader runs: an
// interval of zero needs the user's word, and so does one that is no length of time at all
// (negative, infinite or not a number).
bool sampleIntervalUsable(float interval);
struct SampleIntervalCheck {
  bool needsWarning = false;  // the interval was not usable: the warning window asks
  float interval = 0;         // the interval to use until then
};
SampleIntervalCheck sampleIntervalCheck(float interval);
// The interval after the warning: the typed value when it is a usable interval, else 9.999 s.
float intervalAfterWarning(double typed);

}  // namespace qv
