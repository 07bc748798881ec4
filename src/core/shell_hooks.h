#pragma once
// Calls that a lower layer makes into a layer above it. The layer above installs each one at
// start-up (the shell's InstallShellHooks), so no folder includes a folder above its own; a
// hook left empty does nothing.
#include <cstdint>
#include <string_view>

namespace qv::hooks {

// The main loop's menu handler, the dispatcher as start-up's menu handler, and one pass of the
// main loop: what a tool window or a document hand-over gives back control to.
extern void (*mainMenuHandler)();
extern void (*startupMenuHandler)();
extern void (*mainLoopPass)();
// The last block analysis run again on a new block.
extern void (*repeatLastAnalysis)();
// A calculator of the Special menu by item; false when the item is none.
extern bool (*runCalculator)(uint16_t item);
// The script window's flash of the step just recorded.
extern void (*flashScriptStep)();
// Commands of the data files and the edits that the plot window's buttons start.
extern void (*fileInfo)(std::string_view name, std::string_view date, std::string_view time, int16_t mode);
extern void (*fixComments)(uint16_t fromDialog);
extern void (*cutBlock)(int16_t mode);
extern void (*removeMarkersFromBlock)();
// The smoothing tool (its dialog with 0, the block's 3 x 3 smoothing with -999), which the
// waveform analysis offers beside the edits' floor.
extern void (*smoothing)(int16_t how);
// The closed-chamber window of respirometry, which the interval scans' "C.V.R. Data..." opens.
extern void (*constantVolumeWindow)();

// Calls a hook when it is installed.
template <class... Args, class... Given>
void call(void (*hook)(Args...), Given&&... args) {
  if (hook) hook(static_cast<Given&&>(args)...);
}

}  // namespace qv::hooks
