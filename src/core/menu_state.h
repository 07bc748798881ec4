#pragma once
// Menu state that follows the file in use.
#include <cstdint>
#include <string>

namespace qv {

// Name of the file in use as the reports print it.
extern std::string ThisFileName;

// Enabled state of the menus and tool-bar buttons from the file in use; a non-zero mode
// also restores the tool bar.
void SETMENU(int16_t mode);
// Rebuilds the Window menu from the open files.
void FIxWINDOWSmenu();

}  // namespace qv
