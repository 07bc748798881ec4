#pragma once
// The parts of the regression between channels that its window calls.
#include <cstdint>

#include "core/case_filters.h"

namespace qv {

// Ranges of the raw X (minx1, maxx1) and Y (BlockMinY, BlockMaxY) over the block cases the
// filters keep.
void REGMINMAX(const CaseFilters& filters);
// Window 997 when the block has more than 40,001 cases; closed when the scatter is drawn.
void RegressionTimeWarning();
// The scatter of the raw values in the block window.
void DrawREGRESSION(const CaseFilters& filters);
// The fitted curve of the model over the scatter.
void drawRegressionCurve();
// "Select Shannels to Regress" (window 7) and, with askModel, "Regression Type". False when
// the file has fewer than 2 channels.
bool PickRChans(int16_t askModel);

}  // namespace qv
