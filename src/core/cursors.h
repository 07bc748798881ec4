#pragma once
// The pointer: a cursor made from one of our images, the plot tools' cross, and keeping the
// desktop from showing its busy pointer during long loops.
#include <string>

namespace qv {

// Makes the named image of "DUdoderi" the pointer, hot spot at (6, 6).
void ChangeCursor(const std::string& imageName);

// Lets the window system see that the program is responsive during a long loop; takes no
// event and runs no handler.
void KillSpinningCursor();

// The pointer of the plot tools: the cross-hair, or the light cross image on a dark plot
// background when prefsArray[68] is 1.
void SetCrossCursor();

}  // namespace qv
