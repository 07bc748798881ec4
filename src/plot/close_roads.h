#pragma once
// The save and the open road that closing a plot window takes. The data-files subsystem
// provides them (SAVEDATAFILE(0, 1, 0) saving the file in use where it came from, and the
// file-type chooser followed by LOADFILE(0)); until the save is connected its stand-in in
// close_roads.cpp says that the command is not available and reports that nothing was
// saved. Tests put in roads of their own.
#include <functional>

namespace qv::plot {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Saves the file in use in place.
SaveOutcome saveFileInUse();
// Asks for a new file and loads it; true only when a file was loaded (it is then the file
// in use, in a slot of its own).
bool loadNewFile();

using SaveRoad = std::function<SaveOutcome()>;
using LoadRoad = std::function<bool()>;
// Replaces a road; an empty function puts the stand-in back.
void setSaveRoad(SaveRoad road);
void setLoadRoad(LoadRoad road);

}  // namespace qv::plot
