#include "rhythm/commands.h"

namespace qv {

int16_t FrequencyUnit = 6;

}  // namespace qv
