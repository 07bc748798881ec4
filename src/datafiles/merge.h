#pragma once
// Merging a second file into the file in use, as plain functions over decoded files: its
// cases after the existing ones (append) or its channels beside them (stack). The joint file
// is built whole and apart; the caller commits it to the slot only when it is complete.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "datafiles/datafile.h"

namespace qv {

// The sample interval of the joint file: the file in use's, the second file's (neither
// resamples), or the file in use's with the second file's data brought to it.
enum class IntervalChoice { Original, New, Adjust };

struct MergeChoices {
  // Add the second file's channels (stack); else append its cases.
  bool addChannels = false;
  // Per channel 1..40. Stack: the second file's channel k is added. Append: channel k takes
  // the second file's label.
  std::array<int16_t, kMaxChannels + 1> picker{};
  // 0 keep the comments of the file in use, 1 take the second file's, 2 keep both.
  int16_t commentMode = 2;
  // Append: the second file's start time and date.
  bool newStartTime = false, newStartDate = false;
  // Stack: start time, date and file values of the file in use (else of the second file).
  bool keepOldFileData = true;
  // Stack: markers from the file in use (1), the second file (2) or both (0).
  int16_t markers = 0;
  IntervalChoice interval = IntervalChoice::Original;
};

enum class MergeRefusal { None, TooManyCases, TooManyChannels, NoMemory, NoData };

struct MergeResult {
  std::optional<DataFile> file;
  MergeRefusal refusal = MergeRefusal::None;
};

// The cases of `b` after those of `a`, channel k continuing channel k; a channel only one
// file has is 0 over the other file's stretch. Entry 0 is the file in use's.
MergeResult appendFiles(const DataFileView& a, const DataFile& b, const MergeChoices& choices,
                        SampleArray (*allocate)(int32_t) = allocateSamples);

// The picked channels of `b` after those of `a`; channels are 0 past their own length.
MergeResult stackFiles(const DataFileView& a, const DataFile& b, const MergeChoices& choices,
                       SampleArray (*allocate)(int32_t) = allocateSamples);

// How many channels can still be added to a file of `channels` channels.
int channelsThatFit(int channels);
// Whether appending keeps the joint file within the table's capacity.
bool appendFits(int32_t casesA, int32_t casesB);

// The comments of the joint file: `comment` (the file in use's) with the merge lines, then
// by mode: 0 nothing more, 1 only the merge lines and `newComment`, 2 both comments.
std::string MergeComments(const std::string& comment, int mode, const std::string& originalName,
                          const std::string& newName, const std::string& newComment);

}  // namespace qv
