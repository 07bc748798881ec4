#include "core/line_values.h"

namespace qv {

float ValueOfA = 0.0f;
float ValueOfB = 0.0f;

}  // namespace qv
