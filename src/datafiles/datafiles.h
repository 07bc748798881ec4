#pragma once
// Entry points of the data-files subsystem that the rest of the program calls: the open
// road, saving, the unsaved-changes question, file information, compaction, imports and
// exports, and the comments window.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The outcome of a save, which the callers judge before they go on (Quit exits only after a
// save that went through). Saved: the whole file, every channel, in one of the program's own
// formats; its change mark is cleared. Partial: a file was written (a block, some channels,
// another format), but the file in memory still holds changes that no file keeps.
enum class SaveResult { Saved, Cancelled, Failed, Partial };

// The open road: every request to open a file (TypeOfFile says which kind).
int16_t FILELOADING();
// Opens a file into a slot of its own and sets up its window; 0 only when a file was loaded
// (it is then the file in use); after a refusal, a failure or a cancel every open file is as
// it was. TypeOfFile is 0 on return.
int16_t LOADFILE(int16_t fromFinder);
// The document in CLICKEDDataFileCFURL: loads it and sets up its window; 0 when loaded.
int16_t GetClickedFile();
// The handler of documents handed over by the desktop (installed at start-up). Documents
// that arrive while a tool window runs wait for the main loop (FileHasBeenClicked).
void MyFinderInfo();
// Opens the documents handed over and not opened yet.
void OpenHandedOverDocuments();
// Documents were handed over and wait to be opened.
bool DocumentsWaiting();
// The close chooser: 0 when files were closed, 1 when the user cancelled.
int16_t SelectWhichFileToClose();
// The warning after a Sable file without labels was opened.
void LABELwarn();

// Saves the file in use: (1, 0, 0) ask, (0, 1, 0) in place, (0, 0, 1) compacted data. In
// place writes the own binary format beside the file the slot came from; a file with no
// location of its own is asked about as by (1, 0, 0).
SaveResult SAVEDATAFILE(int16_t ask, int16_t inPlace, int16_t compacted);

// Window 444 for the file in use: mode 0 the colour legend (left open), 1 the acquisition
// data with its own loop, 2 the acquisition data over the comments window (left open), 3 the
// acquisition data over the Transformations window (left open, that window kept). The three
// strings are not used.
void FILEINFO(std::string_view name, std::string_view date, std::string_view time, int16_t mode);
// The acquisition columns of one channel into the output window, base line at y + 10.
void A_to_D_INFO(int16_t channel, int16_t y);
// Edit File Data on the file in use; a non-zero redraw first brings its plot forward.
void EditFileData(int16_t redraw);
void PARSEbySAMPLES();
void PARSEbyTIME();
void AdjustTimeScale();
void ExportBlockData();
void PrintMarkersToFile();
// Closes the analysis windows 4, 6 and 41.
void ClearWINDOW41();
// The comments window of the file in use.
void FixCOMMENTS(uint16_t fromDialog);

// Save As writes big-endian only once: the flag is cleared after every Save As.
extern int16_t SaveAsBigENDIAN;
// How a merge handles the second file's comment (2 append).
extern int16_t MergeFileCommentHandling;
extern int16_t ButtonsAreON;
// Stem of the names proposed for saved files ("data"; empty after a start-up choice that
// asks for none).
extern std::string DefaultNameStem;

}  // namespace qv
