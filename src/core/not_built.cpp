// Core entry points that this build does not have yet.
#include "core/chooser.h"
#include "core/notices.h"

namespace qv {

int16_t TypeOfFile = 0;

void SelectFileTYPE(uint16_t, int16_t, int16_t, uint16_t, uint16_t) {
  NotAvailable("Select the Type of File to Load");
  TypeOfFile = 9;
}

}  // namespace qv
