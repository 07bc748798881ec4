#pragma once
// The program's own binary data format (".KXdata"). Layout, all numbers big-endian:
//
//   signature line  "-999" + CR for fewer than 32,761 cases (16-bit case count and marker
//                   pairs), else "-9999" + CR (32-bit). "-99999" (32-bit, arrays stored
//                   little-endian) and "-999" followed by 32-bit counts are read too.
//   case count N    i16 or i32
//   interval        f32, seconds (info[1])
//   channel count C i16
//   start date      10 bytes, blank-padded; start time 8 bytes
//   comment head    f32 holding a whole number L (0..254), then L bytes
//   C records       5 f32 (variables words 2..6), then the 30-byte label
//   file values     5 f32: info[2] flow, [6] body mass, [4] pressure, [3] flow temp, [5] volume
//   marker count M  i16 in every variant
//   M markers       (case, code), i16 pairs or i32 pairs by the case count
//   C arrays        N + 1 f32: entry 0 in little-endian order (it holds no sample), cases
//                   1..N big-endian
//   trailer         7 f32: info[7], then variables word 14 of channels 1..6 (a file may
//                   end before it)
//   comment         Mac Roman text, CR, byte 27
//   notes           only when the file has notes: byte 240, CR, the count as text, CR, then
//                   three CR-ended lines a note (sample number, time, text)
//   read only       byte 255, then C + 1 numbers as text: variables word 1 of channels 0..C
//
// Text fields are Mac Roman in the file and UTF-8 in memory.
#include <functional>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafiles/byte_source.h"
#include "datafiles/datafile.h"

namespace qv {

// Files with fewer cases than this are written with 16-bit counts and marker pairs.
constexpr int32_t kSixteenBitCaseLimit = 32761;
// On-line notes kept when a file is read.
constexpr int kNotesKeptOnLoad = 150;

constexpr std::string_view kDamagedFileMessage = "This file seems to be damaged.";
constexpr std::string_view kLoadMemoryMessage = "Not enough memory to load this file.";
constexpr std::string_view kSaveMemoryMessage = "Not enough memory to save this file.";

// What the loading window calls a file of this format.
constexpr std::string_view kBinaryFileKind = "(Kestrix FP binary file) ";

enum class LoadFailure { None, Damaged, OutOfMemory };

// What a read found worth telling besides the file itself.
struct BinaryLoadReport {
  int32_t signature = 0;            // -999, -9999 or -99999
  bool thirtyTwoBitCounts = false;  // the case count was read as 32-bit
  bool hasTrailer = false;
  int32_t markersInFile = 0;    // the count the file gives
  bool tooManyMarkers = false;  // more than 32,500: only the first 32,500 are kept
  int32_t markersDropped = 0;   // cases outside 1..N
  int32_t notesInFile = 0;
  int32_t notesDropped = 0;   // sample numbers outside 1..N
  int32_t notesSkipped = 0;   // beyond the 150 kept
  bool notesCut = false;      // the notes end early or their count is no count
  bool zeroInterval = false;  // the interval was 0: 9.999 s until the user says otherwise
  // Lines for the loading window about what was dropped or cut.
  std::vector<std::string> warnings;
};

struct BinaryLoadResult {
  LoadFailure failure = LoadFailure::None;
  std::string error;  // the refusal's message; empty when the file was read
  DataFile file;      // complete when the read succeeded
  BinaryLoadReport report;
  bool ok() const { return failure == LoadFailure::None; }
};

struct BinaryDecodeOptions {
  // Allocates a sample array of cases + 1 floats, or returns null when memory is short.
  SampleArray (*allocate)(int32_t cases) = allocateSamples;
};

// Reads a whole file. Every count, length and offset is checked against the bytes before
// anything is allocated; a file that cannot be read whole is refused as damaged, nothing
// of it kept. Markers and notes outside the file's cases are dropped and reported. The
// arrays come back in host order with the start-of-array fix applied; the interval is
// 9.999 s when the file says 0 (report.zeroInterval). The file's name is the caller's.
// The open road reads from the file itself: the header and markers first, then each array
// straight into the file's own memory, so nothing of the file's size is held twice.
BinaryLoadResult decodeBinaryFile(const ByteSource& source, const BinaryDecodeOptions& options = {});
BinaryLoadResult decodeBinaryFile(std::span<const uint8_t> bytes, const BinaryDecodeOptions& options = {});

struct BinarySaveResult {
  std::vector<uint8_t> bytes;
  std::string error;  // empty on success
  bool ok() const { return error.empty(); }
};

// Writes the cases first + 1 .. last of the listed channels (1..nChannels, in file order)
// as a file of last - first cases: file entry k holds entry first + k of each array (so a
// whole file is first 0, last nCases, and a block is first BeginBlock - 1, last EndBlock).
// Only markers and notes with first < case <= last are written, renumbered by - first;
// the counts' width follows the count written. `date` and `time` fill the header's fields.
BinarySaveResult saveFPBinary(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                              std::string_view date, std::string_view time);

// The same bytes as saveFPBinary handed to `sink` in order, at most kBinaryChunkBytes of
// samples at a time, so a file on its way to the disk is never held whole in memory.
// Returns why it could not be written (kBinarySinkRefused when the sink said no), or empty.
constexpr size_t kBinaryChunkBytes = size_t(1) << 20;
constexpr std::string_view kBinarySinkRefused = "the disk refused it.";
using BinarySink = std::function<bool(std::span<const uint8_t>)>;
std::string writeFPBinary(const DataFileView& file, int32_t first, int32_t last, std::span<const int16_t> channels,
                          std::string_view date, std::string_view time, const BinarySink& sink);

// Byte order of sample arrays in bulk: cases 1..nCases of every channel of the file in use
// are reversed in place (the same call converts back), advancing the progress bar once a
// channel. Result 0.
int BigENDIANtoLittleEndian();
// Edit "fix Endian Byte Order": the samples of the file in use reversed as above, and the
// file treated as changed: change mark set, data generation raised, undo copy given up.
void FixEndianByteOrder();
// The single whose four bytes are those of `bits` in reverse order.
float SwapSingleBigToHost(uint32_t bits);

// Bulk conversions from host floats to file bytes (n values); the big-endian one may write
// over its own source.
void storeSamplesBigEndian(uint8_t* dst, const float* src, size_t n);
void storeSamplesLittleEndian(uint8_t* dst, const float* src, size_t n);
// n samples read as they lie in the file (big- or little-endian) turned to host order in place.
void samplesToHostInPlace(float* samples, size_t n, bool bigEndianInFile);

}  // namespace qv
