#pragma once
// The program's own text data format: a recording (or the cases being saved) as
// comma-separated text with carriage-return line ends, Mac Roman in the file.
//
//   count, interval, n              count data rows (last - first), n channels
//   "date","time"
//   "comment"                       at most 252 characters, line breaks written as blanks
//   c2, c3, c4, c5, c6, "label"     per channel: fileVariableArray words 2-6, 30-character label
//   flow, mass, pressure, flow temperature, effective volume   (FileInfoFLOATS 2, 6, 4, 3, 5)
//   m                               markers with first < case <= last
//   case - first, code              m lines
//   s1, s2, ... sn,                 one row per case first + 1 .. last, each value followed by a comma
//   w7                              FileInfoFLOATS word 7
//   t1, t2, t3, t4, t5, t6          fileVariableArray word 14 of channels 1 to 6
//
// Integers are written as PSstrLong, reals as PSstr with at least 5 digits (a lowered digits
// setting never thins the data); NaN and infinite samples as " NAN", " INF" and "-INF", which
// the reader reads back as those values. A double quote inside a text is written as a bullet
// so that the text cannot end early. The reader takes items as text_items.h describes.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/datafile.h"

namespace qv {

// The reader takes files of 5 to 6,100,000 cases; the writer writes nothing it could not read.
constexpr int32_t kTextMinCases = 5;
// From this many cases on, old versions of the program cannot read the file: the save road
// shows the "Large File Size" caution first (KestRixTextSizeWarning).
constexpr int32_t kTextSizeWarningCases = 32768;
constexpr size_t kTextCommentChars = 252;

// Long reads and writes report how far they are (rows done of rows in all).
using TextProgress = std::function<void(int32_t done, int32_t total)>;

constexpr size_t kTextChunkBytes = size_t(1) << 20;
constexpr std::string_view kTextSinkRefused = "the disk refused it.";

// Takes the text in order, a chunk at a time; false stops the writing (the disk refused).
using TextSink = std::function<bool(std::span<const uint8_t> chunk)>;

// Writes the file of cases first + 1 .. last (0 <= first <= last <= nCases; the whole file is
// first 0, last nCases) for the given channels (1..nChannels, written in the order given),
// with the markers first < case <= last renumbered case - first, through `sink` in chunks of
// at most kTextChunkBytes. Returns why the file could not be written (kTextSinkRefused when
// the sink said no, the memory message when memory ran short), or empty when it was.
std::string writeTextDataFile(const DataFileView& file, int32_t first, int32_t last,
                              std::span<const int16_t> channels, const TextSink& sink,
                              const TextProgress& progress = {});
// Tests make the next `count` text writes run out of memory, as they would when memory is short.
void injectTextWriteMemoryFailures(int count);

struct TextWriteResult {
  std::vector<uint8_t> bytes;
  std::string error;  // empty when bytes hold the file
  bool ok() const { return error.empty(); }
};

// The same file collected in memory.
TextWriteResult encodeTextDataFile(const DataFileView& file, int32_t first, int32_t last,
                                   std::span<const int16_t> channels, const TextProgress& progress = {});

inline bool textSizeWarningDue(int32_t first, int32_t last) {
  return int64_t(last) - int64_t(first) >= kTextSizeWarningCases;
}

// Kinds of the refusal window of loading (BADFILE).
constexpr int16_t kRefusedDamaged = 0;
constexpr int16_t kRefusedTooManyCases = 1;
constexpr int16_t kRefusedFormat = 3;
// Not a refusal window kind: the samples did not fit in memory.
constexpr int16_t kRefusedNoMemory = 4;

struct TextReadResult {
  std::optional<DataFile> file;
  int16_t refusal = kRefusedDamaged;  // kind of the refusal window when there is no file
  int32_t markersInFile = 0;          // above kMaxMarkers: only the first kMaxMarkers were kept
  bool ok() const { return file.has_value(); }
};

// Decodes a whole file. The case and channel counts (5..6,100,000 and 1..40) are refused
// with the format message; a header announcing more values than the rest of the file could
// hold, or a marker count a file cannot have, is refused as damaged before anything is
// allocated. A file that ends early reads 0 for the missing samples and keeps the trailer
// values it lacks at 0; markers that point at no case of the file are dropped. Entry 0 of
// each channel is a copy of case 1. When memory for the samples is short the file is refused
// with kRefusedNoMemory. The file's name, and the check of a zero sample interval, are the caller's.
//
// Merging a second file (adding its channels to the file in use or appending its cases)
// starts from the DataFile decoded here: it holds every item of the file.
TextReadResult decodeTextDataFile(std::span<const uint8_t> bytes, const TextProgress& progress = {});

}  // namespace qv
