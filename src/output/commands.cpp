#include "output/commands.h"

namespace qv {

int16_t SignificantFigures = 5;

}  // namespace qv
