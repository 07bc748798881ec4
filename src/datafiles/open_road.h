#pragma once
// The open road's own state and steps, shared by its files (the entry points the rest of the
// program calls are in datafiles.h).
#include <cstdint>
#include <optional>
#include <string>

#include "core/filetable.h"
#include "datafiles/datafile.h"

namespace qv {

// The document handed over by the desktop that the road opens next.
extern std::string CLICKEDDataFileCFURL;
// 1 after a load that failed or was cancelled, 0 after one that went through.
extern int16_t Cancel_Open;
// The requests the open road loads a file for (TypeOfFile): 5 and 7 the file panels, 3 a
// file then its data window, 4 a Sable file. The rest open nothing and record no step.
inline bool isOpeningType(int type) { return type == 3 || type == 4 || type == 5 || type == 7; }
// The sample interval of the file in use before the load.
extern float originalSinterval;
// The channel count of the file in front after the last load.
extern int16_t oldNchan;

// Slot, panel (or the handed-over document), detection, reader, fixes and commit. 0 when a
// file was loaded into a slot of its own (then the file in use); non-zero, with TypeOfFile
// 9, when the load was refused, failed or was cancelled, every open file being as it was.
int16_t GETDATAFILE(int16_t fromFinder);

// Window 15, the loading window of the file being read into `slot`.
void OpenLoadingWindow(int slot);
// The file at `path` read by the reader of its format (told from its first bytes) into a
// file object (the slot is the one being loaded; its interval words serve the loading
// window). Nothing when it was refused, could not be read, or the user cancelled; the user
// has been told why.
std::optional<DataFile> ReadChosenFile(int16_t slot, const std::string& path);

// Import > Text: window 14 on the delimited text at `path`, then its chosen columns read into
// a file object. Nothing when the user cancelled or the file was refused (the user was told).
std::optional<DataFile> ImportTextFile(const std::string& path);

// Undoes a load into `slot`: the slot's description back from slot 21, the previous file in
// use again, the file-error handler and the event state reset. Result 1 (nothing loaded).
int16_t FileLoadingError(int16_t previousSlot, int16_t slot);

// A load into a new slot and, when it went through, the new file's window; else the previous
// file in front again. 0 when a file was loaded.
int16_t LoadIntoNewSlot(int16_t fromFinder);
// The plot window, menus and drawing of the file just loaded (the file in use).
void SetUpLoadedFile();
// After a load that did not go through: the previous file back in front.
void ShowPreviousFileAgain();

// The open file in the highest slot, or -1.
int16_t highestOpenSlot();

// The close chooser. With `loadFollows`, a file is to be loaded into the room made: when
// every open file is checked, the last one is closed only once that load went through.
int16_t chooseFilesToClose(bool loadFollows);
// The file the chooser kept open until the load went through: closed once it did, kept (and
// no longer waiting) when it did not.
void closeFileKeptForLoad();
void keepFileKeptForLoad();

// Tests replace the allocation of sample arrays for the binary reader (nullptr restores it).
void setLoadAllocator(SampleArray (*allocate)(int32_t cases));

}  // namespace qv
