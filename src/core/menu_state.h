#pragma once
// Menu state shared by every layer: the Window menu of open files, the tool bar's number, and
// the pointer and cue helpers of the plot.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The tool bar (window 1999) and the buttons SETMENU shows, hides, enables and disables.
constexpr int16_t kToolBarWindow = 1999;
// The paging slider of the plot window (its scroll events report as -1010).
constexpr int16_t kPlotSlider = 1010;
// The channel picker of the multi-channel view.
constexpr int16_t kChannelPickerWindow = 1200;

// The name of the file being opened or listed last.
extern std::string ThisFileName;
// Multi-channel pictures (picture-field numbers, 0 none), 1 to 40.
extern int16_t MultiChannelImages[41];

// Rebuilds the Window menu from the open files and recounts NumberOfOpenFiles.
void FIxWINDOWSmenu();
// Checks the Window-menu item of the file in slot position - 1.
void WindowsMenuCheckmark(int16_t position);
// The slot of the n-th open file in slot order (the Window menu's item n), or -1.
int16_t SlotOfOpenFile(int n);
// A cue flashed in a red box.
void MOVE_CURSOR_CUE(int16_t left, int16_t top, int16_t right, int16_t bottom, std::string_view text, uint16_t y);
void KillMCHpictures(int16_t index);

}  // namespace qv
