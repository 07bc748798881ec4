#pragma once
// Which cases of a block an analysis may use. Two per-case flag rows decide it: the cases of
// interpolated spans (from the markers that open and close them) and the cross-channel
// subset (cases where chosen channels meet typed conditions). The rows themselves live in
// the backup cache; here they are read through spans indexed by case.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/filetable.h"

namespace qv {

// Non-zero while analyses keep only the cases the subset selected (check box 99).
extern int16_t UseCrossChanIndex;

// Subset conditions, record c for channel c (1..40), for the whole run and every file:
// [1] greater on, [2] less on, [3] equal on (1.0 or 0.0); the case is kept when the value is
// >= [4], <= [5], == [6] exactly.
using CrossChanRecord = std::array<float, 7>;
extern CrossChanRecord CrossChanSelectionArray[kMaxChannels + 1];

// The subset can be switched on only while it selects at least this many cases.
constexpr int32_t kMinSubsetCases = 3;

struct CaseFilters {
  bool useSubset = false;
  std::span<const float> subset;  // 1.0 = selected; entry 0 holds the count
  bool avoidInterpolation = false;
  std::span<const float> interpolated;  // 1.0 = interpolated

  bool includes(int32_t k) const {
    return (!useSubset || subset[size_t(k)] == 1.0f) &&
           (!avoidInterpolation || interpolated[size_t(k)] != 1.0f);
  }
  bool active() const { return useSubset || avoidInterpolation; }
  // The last case every row in use has a flag for (INT32_MAX when none is in use).
  int32_t lastCase() const;
};

struct SubsetBuild {
  int32_t selected = 0;
  // Nothing met the conditions: the subset is to be switched off (UseCrossChanIndex = 0)
  // and the "No Valid Cases Warning" shown.
  bool noValidCases = false;
};

// Builds the subset row of a file: row[k] = 1.0 when case k (1..cases) meets every condition
// that is on for channels 1..n (channels[c], c = 1..n, each read by case), else 0.0; row[0] =
// the count selected. Conditions on channels the file lacks are not tested. A case that a
// short channel array has no value for is not selected.
SubsetBuild buildSubsetFlags(std::span<const CrossChanRecord> conditions,
                             std::span<const std::span<const float>> channels, int32_t cases,
                             std::span<float> row);

// Which data the subset row was built from. A row is used only for the slot and data
// generation it was built for; any other asks for a rebuild.
struct SubsetRowStamp {
  int16_t slot = -1;
  uint32_t generation = 0;
};
extern SubsetRowStamp SubsetRowBuiltFor;

bool subsetRowIsCurrent(const SubsetRowStamp& stamp, int slot, uint32_t generation);

// Builds the row for a slot's data and stamps it ("Set Index": the conditions changed).
SubsetBuild rebuildSubsetRow(SubsetRowStamp& stamp, int slot, uint32_t generation,
                             std::span<const CrossChanRecord> conditions,
                             std::span<const std::span<const float>> channels, int32_t cases,
                             std::span<float> row);

// Before an analysis that honours the subset: rebuilds the row when it was made for another
// slot or generation. Nothing (no value) when the row was current.
std::optional<SubsetBuild> refreshSubsetRow(SubsetRowStamp& stamp, int slot, uint32_t generation,
                                            std::span<const CrossChanRecord> conditions,
                                            std::span<const std::span<const float>> channels,
                                            int32_t cases, std::span<float> row);

}  // namespace qv
