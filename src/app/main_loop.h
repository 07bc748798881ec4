#pragma once
// The main loop: one pass handles pending events once, then acts on what the handlers left
// (window management, the channel popup, pointer tracking, queued commands, keys).
namespace qv {

[[noreturn]] void MainProgramLoop();
// One pass of the main loop.
void MainLoopPass();
// Forgets the plot window last seen in front (a fresh start of the loop).
void ResetMainLoop();

// Parts of a pass, in the order the pass runs them.
void FollowFrontPlotWindow();  // a plot window brought to the front makes its file the one in use
void TrackPointer();           // the case under the pointer, the data bar, the block-width box
void MainLoopKeys();           // the keyboard commands

}  // namespace qv
