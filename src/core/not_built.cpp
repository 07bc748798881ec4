// Core entry points that this build does not have yet.
#include "core/chooser.h"
#include "core/menu_state.h"
#include "core/notices.h"

namespace qv {

int16_t TypeOfFile = 0;
std::string ThisFileName;

void SETMENU(int16_t) {}
void FIxWINDOWSmenu() {}

void SelectFileTYPE(uint16_t, int16_t, int16_t, uint16_t, uint16_t) {
  NotAvailable("Select the Type of File to Load");
  TypeOfFile = 9;
}

}  // namespace qv
