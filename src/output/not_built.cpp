// Results-output entry points that this build does not have yet.
#include "core/stub_log.h"
#include "output/commands.h"

namespace qv {


}  // namespace qv
