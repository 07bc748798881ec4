#pragma once
// Single-level undo of a channel edit. MAKEBACKUP copies a channel of the file in use into
// row 3 of the backup cache; UNDO copies it back. The copy remembers the slot, case count
// and channel it came from, and the channel's label as it was before the edit, so Undo is
// refused (with a message) once the copy no longer fits the file in use.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The channel Undo restores; set by the undoable operations (Undo itself keeps it equal to
// the channel of the copy).
extern int32_t LastChan;
// 1 after an edit that cannot be undone (crop, channel deletion).
extern int16_t NoUndoChange;
// The channel the last edit wrote (the multi-channel view redraws its strip).
extern int16_t ChangedChan;

// Sets the change mark of the file in use and saves entries 0 to nCases of the channel.
// A caller that relabels the channel before it backs up passes the label the channel had
// before (labelBefore); otherwise the current label is kept with the copy. False when there
// is no such channel or the backup store cannot be had (Undo then has nothing to restore).
bool MAKEBACKUP(int16_t channel);
bool MAKEBACKUP(int16_t channel, std::string_view labelBefore);

// Reading a file leaves its channel 1 as the undo copy (entry nCases + 1 of the row set to 0);
// the change mark is not touched.
void KeepLoadedChannelForUndo(int16_t slot);

// Restores the copy into its channel of the file in use: log line (when edits are recorded),
// change mark lowered by one (not below 0), samples, the channel's label, "droplet" sound.
// A copy that no longer fits is refused in a warning window; false then.
bool UNDO();

// Why a copy was given up.
enum class UndoLoss { None, NothingSaved, RowReused, FileClosed, FileReshaped, ByteOrderFixed };

// Whether UNDO would restore now (the copy is valid, of the file in use, with its case count,
// and its channel still exists).
bool UndoAvailable();
// The message UNDO gives when it refuses ("" when it would restore).
std::string UndoRefusalText();

// The copy no longer belongs to anything (row 3 used as scratch, or any other reason).
void InvalidateUndo(UndoLoss why);
// The copy is given up when it was taken from this slot. Call it when a file is closed,
// cropped, re-arranged or byte-order fixed, or a channel deleted (the file table calls it
// itself when it frees a slot's arrays or deletes a channel).
void InvalidateUndoOfSlot(int16_t slot);
// The same, for a reason the caller names.
void InvalidateUndoOfSlot(int16_t slot, UndoLoss why);

}  // namespace qv
