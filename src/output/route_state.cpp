#include "output/route_state.h"

namespace qv {

int16_t PortForResultsOutput = 0;
std::string ResultsFileName;

}  // namespace qv
