#pragma once
// Sable Systems' ExpeData binary files (".RIVozar", ".exp", ".sabl"). Layout, all numbers
// little-endian, singles IEEE:
//
//   header      5 singles: mark 1003.0, version (written 1.1), channel count C, case count
//               N, sample interval in seconds
//   data        N + 1 rows of C singles; row r is entry r of every channel (entry 0 holds
//               no sample)
//   trailer     only when the version is above 1.0: 9 singles a channel, the end date
//               (month, day, year) and end time (hour, minute, second) as singles, a
//               240-byte comment, the marker count K (i32) and K words code x 1,000,000 +
//               position
//   records     when bytes follow: the note count M (i32; M notes of 256 bytes follow
//               when M is 1 to 299), a reserved i32, then one 268-byte record a channel:
//               label 24, blanks 16 + 32, transform name 32, blanks 32, two i32, 31
//               coefficient singles (slot 2 and 3 are words 2 and 3 of the channel)
//
// Text is Mac Roman in the file, UTF-8 in memory. Dates in memory are "mm-dd-yyyy", times
// "hh:mm:ss"; the file holds the end of the recording, memory its start.
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/binary_format.h"
#include "datafiles/byte_source.h"
#include "datafiles/datafile.h"

namespace qv {

constexpr uint32_t kSableVersionBits = 0x3F8CCCCC;  // 1.1 as the writer has always stored it
constexpr int32_t kSableHeaderBytes = 20;
constexpr int32_t kSableRecordBytes = 268;
constexpr int32_t kSableNoteBytes = 256;
constexpr int32_t kSableCommentBytes = 240;
constexpr int32_t kSableMostNotes = 299;
constexpr int32_t kSableMarkerScale = 1000000;
// A case count that makes the load-time warning worth showing, and the save-time one.
constexpr int32_t kSableLongLoad = 200001;
constexpr int32_t kSableLongSave = 80001;
constexpr std::string_view kSableNoLabel = "[ NO LABELS ]";

// A data value as the format reads it: the all-ones exponent and magnitudes above 9e10
// are no measurement and read as 0. Inline: the reader calls it for every value.
inline float sableSample(uint32_t bits) {
  if (((bits >> 23) & 0xFF) == 0xFF) return 0.0f;
  const float v = std::bit_cast<float>(bits);
  return std::fabs(v) > 9e10f ? 0.0f : v;
}

// The transform code of word 5 and the name the format gives it (empty: none).
std::string_view sableTransformName(float code);
// The code a name read from a record sets; nothing when it leaves word 5 as it was.
std::optional<float> sableTransformCode(std::string_view field);

// End of a recording from its start and its length, and back, in whole seconds. A start
// whose date is no calendar date keeps its date numbers and moves only its time of day.
struct SableClock {
  int month = 0, day = 0, year = 0;
  int hours = 0, minutes = 0, seconds = 0;
};
SableClock sableEndFromStart(std::string_view startDate, std::string_view startTime, double durationSeconds);
// The start texts ("mm-dd-yyyy", "hh:mm:ss") of a recording that ended at the six numbers
// of the file (a year below 100 is of this century); a fractional start is rounded up.
struct SableStart {
  std::string date, time;
};
SableStart sableStartFromEnd(const double endNumbers[6], double durationSeconds);

struct SableLoadReport {
  float version = 0;
  int32_t channelsInFile = 0;  // C, of which the first 40 are kept
  bool tooManyCases = false;   // refused as "Too many cases to fit!"
  bool zeroInterval = false;   // the interval was no length of time: the warning window asks
  int32_t markersInFile = 0;
  int32_t markersDropped = 0;  // positions outside 1..N
  bool hasLabels = false;
  std::vector<std::string> warnings;
};

struct SableLoadResult {
  LoadFailure failure = LoadFailure::None;
  DataFile file;
  SableLoadReport report;
  bool ok() const { return failure == LoadFailure::None; }
};

// Reads a whole file. Every count is checked against the bytes before anything is
// allocated; the data rows are decoded straight from the source into the file's arrays.
// The file values of a new file (flow 100, pressure 760, volume and mass 1, device 8) are
// set; the file's name is the caller's.
SableLoadResult decodeSableFile(const ByteSource& source, SampleArray (*allocate)(int32_t) = allocateSamples);

struct SableSaveReport {
  int32_t markersLeftOut = 0;  // positions above 999,999 have no room in a marker word
};

// Writes entries first .. last of the listed channels (row k is entry first + k; the case
// count is last - first) in pieces to `sink`, which returns false when it cannot take
// them; `progress` hears of the values written. An error text, empty on success.
using ChunkSink = std::function<bool(std::span<const uint8_t>)>;
std::string writeSableFile(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                           const ChunkSink& sink, const std::function<void(int64_t done, int64_t total)>& progress,
                           SableSaveReport* report = nullptr);
std::vector<uint8_t> encodeSableFile(const DataFileView& file, int32_t first, int32_t last,
                                     std::span<const int16_t> channels, SableSaveReport* report = nullptr);

}  // namespace qv
