#pragma once
// What the clicked-point tools leave for the report beside the shared statistics: the count
// of values held, and for pairs the statistics of their time differences (the pair tool's own,
// apart from the value the plot's drag readout keeps).
#include <cstdint>

namespace qv {

extern int16_t REnd;  // values (or pairs) held

struct PairTimeStats {
  float mean = 0.0f, sd = 0.0f, min = 0.0f, max = 0.0f;  // seconds
};
extern PairTimeStats LastPairTimes;

}  // namespace qv
