#pragma once
// A complete data file in memory, as the readers make it and the writers take it. Readers
// are pure codecs (bytes in, a DataFile or an error out); a DataFile reaches the file table
// only through commitDataFile, after the read succeeded.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/filetable.h"
#include "plot/notes_table.h"

namespace qv {

struct Marker {
  int32_t kase = 0;
  int32_t code = 0;
};

// Everything of a file but its samples.
struct FileMeta {
  float info[10] = {};  // as FileInfoFLOATS
  std::string name, startDate, startTime;
  std::array<std::string, kMaxChannels + 1> labels;  // 1..40, 30 characters each (UTF-8)
  float variables[kMaxChannels + 1][41] = {};        // as fileVariableArray
  std::vector<Marker> markers;
  std::string comment;  // UTF-8, carriage-return line ends
  std::vector<OnlineNote> notes;
};

struct DataFile {
  int32_t nCases = 0;
  int16_t nChannels = 0;
  std::vector<SampleArray> channels = std::vector<SampleArray>(kMaxChannels + 1);  // 1..nChannels
  FileMeta meta;
};

// A read-only look at samples and metadata, from a DataFile or from a slot of the table.
struct DataFileView {
  int32_t nCases = 0;
  int16_t nChannels = 0;
  std::array<const float*, kMaxChannels + 1> channels{};
  const FileMeta* meta = nullptr;
};

DataFileView viewOf(const DataFile& f);
// Metadata of a slot copied into `meta` (small), samples by reference.
DataFileView viewOfSlot(int slot, FileMeta& meta);
FileMeta metaOfSlot(int slot);

// Moves the file into a slot of the table: counts, samples (no copy), name, date, time,
// labels, variables, markers, comment and notes. The slot's old arrays are freed.
void commitDataFile(DataFile&& f, int slot);

// Copies a slot's description into another slot (slot 21 keeps the previous description
// while a load is under way) without touching sample arrays.
void copySlotDescription(int from, int to);

}  // namespace qv
