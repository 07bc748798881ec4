#pragma once
// Entry points and shared state of the application core that the dispatcher, the main loop
// and start-up call and that are built apart from them: undo, the preferences file and
// dialog, the colour dialog, the channel selection dialog and the channel popup.
#include <cstdint>
#include <string_view>

namespace qv {

// Restores the last backup into channel LastChan of the file in use.
void UNDO();
// prefsArray[index] = 1 when it is 0, else 0.
void TogglePrefs(int16_t index);
// 1 when v is 0, else 0.
int16_t ToggleValue(uint16_t v);
// Reads the preferences record over the settings (chooser 0: the program's own record).
int16_t GetSettings(int16_t chooser);
// The preferences dialog.
void SETPREFERENCES();
// The colour dialog; non-zero when the colours changed.
int16_t SETCOLORS();
// The channel selection dialog in its own window.
int16_t SELECTCHANNELS(std::string_view title, int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode);
// Rebuilds the channel popup (control 333) of the plot window of the file in use.
void MakeChannelSelectionsPopUp();

// Channel selection flags: per slot 0-20 four rows of 42; channel c of row k is 42 k + c.
// Row 1 the overlay set, row 2 saving, row 3 the channels whose values follow the pointer.
extern int16_t OverlayArray[21][168];
// Set by the callers of the channel selection dialog (99 saving, -99 deleting and overlays,
// 1 display, printing and re-arranging).
extern int16_t ChannelSelectControlFlag;
// The channel that Undo restores.
extern int32_t LastChan;

}  // namespace qv
