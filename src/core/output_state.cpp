#include "core/output_state.h"

namespace qv {

int16_t AnalysisCode = 0;
int16_t PortForResultsOutput = kRouteNone;
int16_t Nresults = 0;
int16_t NMultipleResults = 2;
int16_t NResultsPrinted = 0;
std::string note1 = " ", note2 = " ";
int16_t minutes = 0;
int16_t SignificantFigures = 5;

}  // namespace qv
