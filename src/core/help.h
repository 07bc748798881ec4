#pragma once
// The help pages by subject number, the web addresses the program opens, and the two menu
// handlers that tool windows install so that help and the calculators stay reachable.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The current help subject (1 to 287), set by tool windows as they open.
extern int16_t HelpSubject;

// The help window: our own pages in a text view.
constexpr int16_t kHelpWindow = 1300;

// The page of a subject, relative to the help folder; "" when the subject has none.
std::string HelpPagePath(int subject);
// Opens the page of HelpSubject in the help window; nothing for a subject without a page.
void OpenHelpBook();

// The addresses of this build (empty when it has none; the item that opens one is then off).
std::string_view MakerWebAddress();
std::string_view MakerMailAddress();
std::string_view SunrisePageAddress();
// 1 the one-day sunrise and sunset table, 2 the maker's web page, 3 a mail to the maker.
// Returns 1 when the desktop was asked to open it, 0 when nothing was opened.
int16_t LSLaunchURL(int16_t which);
// The address LSLaunchURL opens for `which` ("" for none).
std::string LaunchAddress(int16_t which);

// Menu handler of the calculators that keep help reachable (Special item 12 of menu 7 opens it).
void KILLSCRIPT_for_Help();
// Menu handler of tool windows that let the Special-menu calculators open over them.
void ShowSpecificHelpWindow();

}  // namespace qv
