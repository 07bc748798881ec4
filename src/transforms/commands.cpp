#include "transforms/commands.h"

namespace qv {

int16_t PolyDegree = 2;

}  // namespace qv
