#include "editing/commands.h"

namespace qv {

int16_t derive = 0;
float blockvalue = 0;
int16_t FirstRefRemovalVal = 10, SecondRefRemovalVal = 10;

}  // namespace qv
