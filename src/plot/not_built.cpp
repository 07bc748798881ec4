// Plot-window entry points that this build does not have yet. Those a command reaches
// say so in a notice; those called on the program's own road (drawing) do nothing.
#include "core/stub_log.h"
#include "core/notices.h"
#include "plot/plot.h"

namespace qv {


}  // namespace qv
