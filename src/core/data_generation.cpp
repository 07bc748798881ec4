#include "core/data_generation.h"

namespace qv {

uint32_t DataGeneration[kSlots] = {};

}  // namespace qv
