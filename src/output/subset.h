#pragma once
// The cross-channel subset and the interpolated-data filter as the analysis windows meet
// them: the "Cross-channel Subset Selection" window, the building of the subset flags for
// the file in use, and the filters an analysis takes at its start.
#include <cstdint>
#include <optional>

#include "core/case_filters.h"

namespace qv {

// Analyze "Cross-channel Subset Selection" (window 200).
void SelectSubset();

// Builds the subset flags (backup-cache row 4) of the file in use from the conditions. When
// no case is selected: the "No Valid Cases Warning", and the subset is switched off.
void CrossChanIndex();

// The flags were built for another file or before the data changed: builds them again for the
// file in use (with the warning when nothing is left). Nothing when they are current or have
// never been built.
std::optional<SubsetBuild> RefreshSubsetForFileInUse();

// Cases in the subset of the file in use (0 when it has never been built).
int32_t SubsetCountOfFileInUse();

// The filters of an analysis that honours the subset and/or the interpolated-data switch,
// for the file in use: the subset flags made current, the interpolation flags rebuilt from
// the markers and the data-filter notice shown.
CaseFilters PrepareCaseFilters(bool honourSubset, bool honourInterpolation);

}  // namespace qv
