// Core entry points and state that this build does not have yet.
#include "core/chooser.h"
#include "core/help.h"
#include "core/menu_state.h"
#include "core/notices.h"

namespace qv {

int16_t TypeOfFile = 0;
int16_t HelpSubject = 0;
std::string ThisFileName;

void SelectFileTYPE(uint16_t, int16_t, int16_t, uint16_t, uint16_t) {
  NotAvailable("Select the Type of File to Load");
  TypeOfFile = 9;
}

void OpenHelpBook() {}

}  // namespace qv
