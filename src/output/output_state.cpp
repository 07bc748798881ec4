#include "output/output_state.h"

namespace qv {

int16_t AnalysisCode = 0;
int16_t PortForResultsOutput = kRouteNone;

}  // namespace qv
