#include "output/output_state.h"

namespace qv {

int16_t AnalysisCode = 0;
int16_t PortForResultsOutput = kRouteNone;
int16_t SignificantFigures = 5;
int16_t minutes = 0;

}  // namespace qv
