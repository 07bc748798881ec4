#pragma once
// The command dispatcher: runs the command of every menu item, of the (menu, item) pairs
// that tool-bar and tool-window buttons queue, and of the plot window's channel popup
// (menu 5, item = channel).
#include <cstdint>
#include <string>

namespace qv {

// Always 0. Commands run to completion inside it; Quit may end the process.
int16_t DoMENU(int16_t menu, uint16_t item);
// The main loop's menu handler: the command of the pick, then the event state cleared.
void HANDLEMENU();
// The dispatcher as the menu handler of start-up (picks with no file open).
void StartupMenuHandler();

// The calculators of the Special menu (they need no file); false for another item.
bool RunCalculator(uint16_t item);

// A duration as the block readouts show it: " sec", " min", " hr" or " days".
std::string DurationText(double seconds);

}  // namespace qv
