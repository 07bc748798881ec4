#include "output/commands.h"

namespace qv {

int16_t AnalysisCode = 0;
int16_t PortForResultsOutput = 0;
int16_t SignificantFigures = 5;
float scalingFactorArray[41][8];
std::string note1 = " ", note2 = " ";

}  // namespace qv
