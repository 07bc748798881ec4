#include "calculators/commands.h"

namespace qv {

float TemperatureForKPA = 20.0f;
float LastCalculatorResult = 0.0f;
int16_t currentEF = 0;

}  // namespace qv
