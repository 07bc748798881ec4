#pragma once
// The help pages by subject number.
#include <cstdint>

namespace qv {

// The current help subject, set by tool windows as they open.
extern int16_t HelpSubject;

// Opens the page of HelpSubject in the help window; nothing for a subject without a page.
void OpenHelpBook();

}  // namespace qv
