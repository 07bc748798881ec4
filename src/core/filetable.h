#pragma once
// The in-memory file table: 22 numbered slots, each a row of parallel tables, owning one
// sample array per channel. Slots 0-19 hold open files, 20 holds none, 21 keeps the
// previous description of a slot while a load or merge is under way.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace qv {

constexpr int kSlots = 22;
constexpr int kBackupSlot = 21;
constexpr int kMaxOpenFiles = 20;
constexpr int kMaxChannels = 40;
constexpr int32_t kMaxCases = 6100000;
constexpr int kMaxMarkers = 32500;
constexpr int kLabelWidth = 30;

// One channel's samples: nCases + 1 floats, entry 0 holds no sample.
using SampleArray = std::unique_ptr<float[]>;

extern int16_t TheFileInUse;
extern int16_t NumberOfOpenFiles;

// Whether a slot holds an open file: one of the 20 file slots, with cases and channels.
bool slotIsOpen(int slot);
// How many of the 20 file slots hold an open file.
int openFileCount();

extern int32_t nCases[kSlots];
extern int16_t nChannels[kSlots];
// Channel 0 is the scratch channel; 1..nChannels hold the data.
extern SampleArray gPointersToFileData[kSlots][kMaxChannels + 1];
extern int16_t FileSHORTS[kSlots][15];
// Words of FileSHORTS.
enum FileShortWord : int {
  kPageWord = 1,          // current page of the paged plot view
  kBlockStateWord = 2,    // 0 none, 1 empty or picking, 2 block set, 3 first edge placed
  kPlotWindowWord = 3,    // 1 once the slot's plot window exists
  kCompressedWord = 4,    // 1 = whole file compressed into the plot width
  kMarkerCountWord = 5,   // markers in MarkersArray (at most 32,500)
  kZoomedWord = 6,        // 1 = zoomed
  kViewModeWord = 7,      // 0 single channel, 2 or 3 multi-channel (3 while printing)
  kInUseWord = 8,         // 1 while the slot holds a file
  // word 9 is unused: a file's remembered active channel is kept in ActiveChannelArray alone
  kChangeMarkWord = 10,   // 1 while the file has unsaved changes
  kBlockLeftWord = 11,    // block edges in plot pixels
  kBlockRightWord = 12,
  kPageCountWord = 13,    // pages of the paged plot view
  kBlockChannelWord = 14, // the slot's remembered block-window channel
};
// [1] sample interval s, [2] flow ml/min, [3] flow temperature °C, [4] barometric pressure
// torr, [5] effective volume ml, [6] body mass g, [7] acquisition device code, [8] start
// time of day in minutes.
extern float FileInfoFLOATS[kSlots][10];
extern std::string FileName[kSlots];
extern std::string StartDate[kSlots];
extern std::string StartTime[kSlots];
// Strings 1..5 hold eight 30-character labels each; string 0 is unused.
extern std::string LabelStrings[kSlots][6];
extern std::string OldLabelStrings[kSlots][6];
extern std::string SableLabelStrings[kSlots][6];
extern float fileVariableArray[kSlots][kMaxChannels + 1][41];
// Record k (1..32,500): [1] case, [2] marker code. Count in FileSHORTS[slot][5].
extern int32_t MarkersArray[kSlots][kMaxMarkers + 1][3];
extern std::string CommentContainer[kSlots];
extern std::string CFURLarrayMain[kSlots], CFURLarrayOutput[kSlots], CFURLarrayLast[kSlots];
extern int16_t NumberOfNotes[21];

// Shared log line of channel operations (GetChanLABEL composes its start).
extern std::string EditRecord;

inline float GetDatum(int file, int channel, int32_t kase) { return gPointersToFileData[file][channel][kase]; }
inline void PutDatum(int file, int channel, int32_t kase, float value) {
  gPointersToFileData[file][channel][kase] = value;
}
// The whole array of a channel (hot loops take the pointer).
inline float* channelData(int file, int channel) { return gPointersToFileData[file][channel].get(); }

// Allocates nCases + 1 floats (contents undefined); nullptr when memory is short.
SampleArray allocateSamples(int32_t cases);

// Appends a channel to the file in use. Refuses (returns false, nothing changed) at 40
// channels or when memory is short; callers warn. The new channel's samples and label
// are the caller's to write.
bool MakeOneNewChannel();

// Frees every sample array of a slot (the slot's other words are left to the caller). The
// undo copy of a channel of the slot no longer applies.
void freeSlotArrays(int slot);

// Closing a file: frees its arrays, sets nCases to 0 and clears the in-use and plot-window
// words ([8], [3]), and counts the closing.
void FreeFileSlot(int slot);
// How often each slot's file has been closed: a run bound to a file tells by it that its
// file is gone, even when the slot has taken another file since.
extern uint32_t SlotClosings[kSlots];

// Deletes one channel of a slot: its array is freed and the channels above it move down one
// place with their labels and acquisition values (words 0 to 40 of fileVariableArray).
// Refuses (false) a channel outside 1..nChannels and the only channel of a file.
bool DeleteChannel(int slot, int channel);
// Removes the ticked channels (ticked[1..n]) in one pass, the rest moving down in order; at
// least one channel stays (nothing is done otherwise). The count removed.
int DeleteChannels(int slot, std::span<const bool> ticked);

// The 30-character label of a channel (1..40) of the file in use; "" outside.
std::string RetrieveLabel(int channel);
std::string RetrieveLabelOf(int slot, int channel);
// Writes a channel's label in place (cut or blank-padded to 30 characters).
void SetChannelLabel(int slot, int channel, const std::string& label);

// Starts a comment log line in EditRecord: CR, three blanks, the mark by mode (1 "<+ > ",
// 2 "<del > ", else "∆"), "  Channel", the number, ", ", the trimmed label, ":  ".
void GetChanLABEL(int mode, int channel);

}  // namespace qv
