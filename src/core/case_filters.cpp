#include "core/case_filters.h"

#include <algorithm>
#include <limits>

namespace qv {

int16_t UseCrossChanIndex = 0;
CrossChanRecord CrossChanSelectionArray[kMaxChannels + 1] = {};
SubsetRowStamp SubsetRowBuiltFor;

int32_t CaseFilters::lastCase() const {
  size_t last = size_t(std::numeric_limits<int32_t>::max());
  if (useSubset) last = std::min(last, subset.empty() ? 0 : subset.size() - 1);
  if (avoidInterpolation) last = std::min(last, interpolated.empty() ? 0 : interpolated.size() - 1);
  return int32_t(last);
}

namespace {

enum class Test { AtLeast, AtMost, Equal };

// Clears the flag of every case whose value fails one condition. Cases past the end of the
// channel's array have no value and fail.
void applyCondition(std::span<const float> values, Test test, float limit, std::span<float> row,
                    int32_t cases) {
  const int32_t known = int32_t(std::min<size_t>(size_t(cases), values.empty() ? 0 : values.size() - 1));
  for (int32_t k = 1; k <= known; ++k) {
    const float v = values[size_t(k)];
    // Written as the condition that keeps the case, so a missing value (NaN) never meets it.
    bool keep = false;
    switch (test) {
      case Test::AtLeast: keep = v >= limit; break;
      case Test::AtMost: keep = v <= limit; break;
      case Test::Equal: keep = v == limit; break;
    }
    if (!keep) row[size_t(k)] = 0.0f;
  }
  for (int32_t k = known + 1; k <= cases; ++k) row[size_t(k)] = 0.0f;
}

}  // namespace

SubsetBuild buildSubsetFlags(std::span<const CrossChanRecord> conditions,
                             std::span<const std::span<const float>> channels, int32_t cases,
                             std::span<float> row) {
  SubsetBuild b;
  if (row.empty()) return b;
  cases = int32_t(std::clamp<int64_t>(cases, 0, int64_t(row.size()) - 1));
  std::fill(row.begin() + 1, row.begin() + 1 + cases, 1.0f);

  const size_t lastChannel =
      std::min({channels.empty() ? size_t(0) : channels.size() - 1,
                conditions.empty() ? size_t(0) : conditions.size() - 1, size_t(kMaxChannels)});
  for (size_t c = 1; c <= lastChannel; ++c) {
    const CrossChanRecord& r = conditions[c];
    if (r[1] != 0.0f) applyCondition(channels[c], Test::AtLeast, r[4], row, cases);
    if (r[2] != 0.0f) applyCondition(channels[c], Test::AtMost, r[5], row, cases);
    if (r[3] != 0.0f) applyCondition(channels[c], Test::Equal, r[6], row, cases);
  }

  b.selected = int32_t(std::count(row.begin() + 1, row.begin() + 1 + cases, 1.0f));
  b.noValidCases = b.selected < 1;
  row[0] = float(b.selected);
  return b;
}

bool subsetRowIsCurrent(const SubsetRowStamp& stamp, int slot, uint32_t generation) {
  return stamp.slot >= 0 && stamp.slot == slot && stamp.generation == generation;
}

SubsetBuild rebuildSubsetRow(SubsetRowStamp& stamp, int slot, uint32_t generation,
                             std::span<const CrossChanRecord> conditions,
                             std::span<const std::span<const float>> channels, int32_t cases,
                             std::span<float> row) {
  SubsetBuild b = buildSubsetFlags(conditions, channels, cases, row);
  stamp.slot = int16_t(slot);
  stamp.generation = generation;
  return b;
}

std::optional<SubsetBuild> refreshSubsetRow(SubsetRowStamp& stamp, int slot, uint32_t generation,
                                            std::span<const CrossChanRecord> conditions,
                                            std::span<const std::span<const float>> channels,
                                            int32_t cases, std::span<float> row) {
  if (subsetRowIsCurrent(stamp, slot, generation)) return std::nullopt;
  return rebuildSubsetRow(stamp, slot, generation, conditions, channels, cases, row);
}

}  // namespace qv
