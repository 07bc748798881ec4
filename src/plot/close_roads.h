#pragma once
// The save and the open road that closing a plot window takes. The data-files subsystem
// provides them (SAVEDATAFILE(0, 1, 0) saving the file in use where it came from, and the
// file-type chooser followed by LOADFILE(0)); the shell installs them at start-up as the
// standard roads. Tests put in roads of their own.
#include <cstdint>
#include <functional>

namespace qv::plot {

enum class SaveOutcome { Saved, Cancelled, Failed };

// Saves the file in use in place.
SaveOutcome saveFileInUse();
// Asks for a new file and loads it; true only when a file was loaded (it is then the file
// in use, in a slot of its own).
bool loadNewFile();

// The channel a file shows when it comes back into use (ActiveChannelArray, its one store;
// channel 1 when that no longer fits the file), and its block-window channel.
int16_t rememberedChannel(int f);
int16_t blockChannel(int f);
// Saves slot f as the File menu's Save would: for the save it is the file in use, with its
// own channels; the file in use and its channels are put back afterwards.
SaveOutcome saveSlot(int16_t f);
// The unsaved-changes question for slot f; true when the file may go: nothing to save,
// "Do Not Save", or a save that went through.
bool mayCloseSlot(int16_t f);
// Closes the slot's window and releases everything it holds for the file (samples, block,
// zoom, compacted data, overlay flags), so a file loaded into it later starts clean.
void releaseSlot(int16_t f);

using SaveRoad = std::function<SaveOutcome()>;
using LoadRoad = std::function<bool()>;
// Replaces a road; an empty function puts the standard road back.
void setSaveRoad(SaveRoad road);
void setLoadRoad(LoadRoad road);
// The standard roads, installed once at start-up. Without them a save is cancelled and no
// file is loaded.
void setStandardRoads(SaveRoad save, LoadRoad load);

}  // namespace qv::plot
