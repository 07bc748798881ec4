#pragma once
// The shell's side of the hooks of core/shell_hooks.h and of the plot window's close roads.
#include <cstdint>

namespace qv {

// Installs every call the lower layers make upward; once at start-up, before the first
// file or command (tests call it too).
void InstallShellHooks();

// The last block analysis run again on a new block.
void RepeatLastAnalysis();
// A calculator opened over a tool window from the Special menu; false for another item.
bool RunCalculatorOverTool(uint16_t item);

}  // namespace qv
