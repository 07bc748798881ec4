#include "core/route_state.h"

namespace qv {

std::string ResultsFileName;

}  // namespace qv
