#pragma once
// Compaction: every channel of a file seen as the means of consecutive groups of N samples,
// with each group's standard deviation (population form), for viewing and saving. The
// samples themselves are never changed.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "datafiles/text_data_format.h"

namespace qv {

// A row of compacted values holds this many groups.
constexpr int64_t kMaxCompactedGroups = 400000;

// Groups of cases start..nCases by N: the full groups, and a last partial group when at
// least two cases remain.
int64_t compactedGroups(int32_t nCases, int32_t factor, int32_t start = 1);
// The smallest factor whose groups fit in a row.
int32_t smallestFittingFactor(int32_t nCases, int32_t start = 1);

// Means and standard deviations of the groups of samples[start..nCases] (sums in double).
// `means` and `sds` hold compactedGroups() values.
void compactChannel(const float* samples, int32_t nCases, int32_t factor, int32_t start, float* means, float* sds);

// doPARSE on the file in use: fills its compacted rows from its factor (CompactedChannel)
// and keeps the data generation they were made from. False, with nothing changed, when the
// factor is below 2 or its groups do not fit.
bool doPARSE(int32_t start);
// The file's compacted rows were made from its present data.
bool compactionIsCurrent(int slot);

struct CompactedRows {
  int32_t factor = 0;
  double interval = 1;
  int16_t timeUnits = 0;
  std::vector<int16_t> channels;
  std::vector<std::string> labels;                    // per saved channel, 30 characters
  std::vector<std::span<const float>> means, sds;    // per saved channel
};
// The compacted file: "Time (sec) ", then per channel its label and "S.D.", TAB-separated,
// one row per group at the group's middle time; line-feed ends.
std::string writeCompactedFile(const CompactedRows& rows, const TextSink& sink, int digits);

}  // namespace qv

namespace qv {

// The time tool's arithmetic: a desired interval in a unit (1 days .. 5 milliseconds) on a
// file of the given interval and cases.
struct TimeCompaction {
  int32_t factor = 0;     // samples per group
  double achieved = 0;    // the interval the factor gives, in the unit
  int32_t intervals = 0;  // groups in the file; 0 when refused
  bool tooLong = false, tooShort = false;
};
TimeCompaction timeCompaction(double value, int unit, double interval, int32_t nCases);
// The unit the time tool starts with for a file of this interval and cases.
int initialTimeUnit(double interval, int32_t nCases);

}  // namespace qv
