#pragma once
// The preferences window (window 6): its pages, the states its controls show, the sample of
// the window-label font, and the two warnings two of its choices open. SETPREFERENCES itself
// is declared in core/commands.h.
#include <cstdint>

namespace qv {

constexpr int16_t kPrefsWindow = 6;
constexpr int16_t kPrefsTabs = 500;

// Removes the controls of the page shown and builds those of `page` (1 to 4; any other
// number builds nothing).
void DRAWPREFERENCEBUTTONS(int16_t page);
// Every control of the page shown takes the state of its setting.
void SetThePreferenceButtons();
// The sample of the window-label font on page 2.
void PrintExampleWindowLabels();

void xlsFileWarning();
void QuartzWarning();

}  // namespace qv
