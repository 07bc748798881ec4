#include "thermoreg/commands.h"

namespace qv {

int16_t variableConductance = 1, SunUseAllowed = 1, UseTorpor = 1, ComputeDawnAndDusk = 0;
float MaxAverageIntervalinDays = 1.0f;

}  // namespace qv
