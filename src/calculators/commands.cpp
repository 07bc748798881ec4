#include "calculators/commands.h"

namespace qv {

float TemperatureForKPA = 20.0f;

}  // namespace qv
