#pragma once
// What a save writes, worked out apart from its windows: the name proposed in the save
// panel for each format, the case range of a whole file or of its block, and whether a save
// keeps the whole file so that its change mark may be cleared.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/filetable.h"

namespace qv {

// Format codes of the save road.
enum SaveFormat : int16_t {
  kSaveOwnBinary = 0,   // chosen in the format window
  kSaveOwnText = 1,
  kSaveCsv = 3,
  kSaveSable = 4,
  kSaveStandard = 6,    // own binary without the format window: Save, or "Standard Kestrix Format"
};

inline bool isOwnFormat(int16_t format) {
  return format == kSaveOwnBinary || format == kSaveOwnText || format == kSaveStandard;
}

constexpr std::string_view kOwnBinaryExtension = ".KXdata";
constexpr std::string_view kSableExtension = ".RIVozar";
constexpr std::string_view kCsvEnding = " data.csv";
constexpr std::string_view kCompactEnding = " compact";

// The name the save panel proposes for a file called `fileName` saved in `format`: the
// file's own extension replaced by the format's (suffixes compared exactly, case included),
// or the format's added when the name does not end in it. The text format keeps the name.
std::string proposedSaveName(std::string_view fileName, int16_t format);
// After channels were re-arranged with " ReAr" asked for, the name the file had then (per
// slot; "" none): while the file still has that name, the save panel proposes it with
// " ReAr" before its extension, so the original is not written over by accident.
extern std::string RearrangedName[kSlots];
// "run.KXdata" becomes "run ReAr.KXdata"; a name without an extension gets " ReAr" at the end.
std::string withReArSuffix(std::string_view fileName);

// Compacted data: the file's name followed by " compact".
std::string compactedSaveName(std::string_view fileName);

// The cases a writer takes: entries first + 1 .. last of every saved channel.
struct SaveRange {
  int32_t first = 0;
  int32_t last = 0;
  bool wholeFile = true;
  int32_t count() const { return last - first; }
};

// "Block Only" writes the block BeginBlock..EndBlock (first = BeginBlock - 1, last =
// EndBlock) when the file has one that lies within its cases; otherwise, and without
// "Block Only", the whole file (first 0, last nCases). A block spanning every case is the
// whole file.
SaveRange saveRange(bool blockOnly, bool blockSet, int32_t nCases, int32_t beginBlock, int32_t endBlock);

// Only a save of every case and every channel in one of the program's own formats holds
// all of the file: it alone clears the change mark and counts as saved when a changed file
// is closed or the program quits.
inline bool keepsWholeFile(int16_t format, const SaveRange& range, int channelsSaved, int channelsInFile) {
  return isOwnFormat(format) && range.wholeFile && channelsSaved == channelsInFile && channelsInFile > 0;
}

}  // namespace qv
