#pragma once
// The channel selection dialog: one check box per channel of the file in use, for every
// command that needs a set of channels (display, print, save and export, delete, overlay).
// The ticks live in the slot's channel selection flags.
#include <cstdint>
#include <string_view>

namespace qv {

// Per slot 0..20, four rows of 42 flags (1 selected, 0 not); channel c (1..40) of row k
// (0..3) is element 42 * k + c. Row 1: display, print, delete and overlay choices; row 2:
// the channels to save or export; row 3: the channels of the all-values display.
constexpr int kOverlayRowLength = 42;
extern int16_t OverlayArray[21][4 * kOverlayRowLength];
inline int16_t& overlayFlag(int slot, int row, int channel) {
  return OverlayArray[slot][kOverlayRowLength * row + channel];
}

// Set by the caller: 99 saving and exporting, -99 deleting channels and overlays (and the
// menus), 1 display, printing and re-arranging.
extern int16_t ChannelSelectControlFlag;
// Left by the dialog: the caller should work on the block only.
extern int16_t printblock;
// The "Standard Kestrix Format" shortcut of the save dialog was taken (both cleared on entry).
extern int16_t DefaultSave, DefaultSaveAs;
// The overlay caller's "Custom..." choice.
extern int16_t CustomOverlay;
// Scaling of all channels in the multi-channel view: 2 normal, 1 include zero, 0 maximum
// resolution, -1 fixed limits.
extern int16_t DrawAllScaleMode;

// Selection kinds (which row, and how it starts).
constexpr int16_t kSelectKeepFlags = 99;  // row 1 as it stands: channels to display after loading
constexpr int16_t kSelectRearrange = 0;   // row 1, all set
constexpr int16_t kSelectPrint = 1;       // row 1, all set
constexpr int16_t kSelectSave = 2;        // row 2, all set
constexpr int16_t kSelectNone = 3;        // row 1, all cleared: deleting, overlays
constexpr int16_t kSelectMultiView = 4;   // row 1, all set

// Modes.
constexpr int16_t kModePrint = 1, kModeDelete = 2, kModeDisplay = 3, kModeOverlay = 4, kModeSave = 5;

// Results besides the last event kind of the scaling window.
constexpr int16_t kSelectionDone = 0;
constexpr int16_t kSelectionCleared = 4;   // "Clear" of the overlay mode: no overlay wanted
constexpr int16_t kSelectionClosed = -1;   // the close box in the delete mode: delete nothing

// Opens window 10 with the title under (or beside) the plot window of the file in use and
// runs the dialog in it. `excluded` is a channel the user may not select (0 for none);
// a non-zero `blockOffer` offers "Block Only" when the file has a block.
int16_t SELECTCHANNELS(std::string_view title, int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode);

// Builds the dialog in the current output window and runs it (the save road calls it in its
// own window); `compacted` shows the note about compacted files.
int16_t ChannelSelectionDialog(int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode, int16_t compacted);

// Extra height of the dialog for files of more than 16 channels.
inline int channelSelectionExtraHeight(int channels) { return channels <= 16 ? 0 : 18 * channels - 266; }

}  // namespace qv
