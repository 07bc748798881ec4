#pragma once
// The windows of a merge: how the second file joins the file in use (18), its channels or
// labels (17), too many channels (212), differing sample intervals (200), and of the time
// scale: adjustment (20) and too many cases (21). They take what they show of the second
// file from the decoded file; the file in use is not touched by any of them.
#include <cstdint>
#include <optional>

#include "datafiles/datafile.h"
#include "datafiles/merge.h"

namespace qv {

constexpr int16_t kMergeChoiceWindow = 18, kMergeDetailWindow = 17, kTooManyChannelsWindow = 212;
constexpr int16_t kMergeIntervalWindow = 200, kTimeScaleWindow = 20, kTooManyCasesWindow = 21;

// What the windows need of the second file beyond its data.
struct SecondFile {
  const DataFile* file = nullptr;
  // Sable or BCD: the stack window states what the merged file uses instead of asking.
  bool fixedFormat = false;
  bool sable = false;
};

// Window 18 (or the append or stack window straight away after the tool bar's buttons):
// the choices, or nothing when the user cancelled.
std::optional<MergeChoices> AddSecondFile(const SecondFile& second);
// Window 17, channel selection of a stack. False when cancelled.
bool STACKstatus(const SecondFile& second, MergeChoices& choices);
// Window 17, label selection of an append (or the shortcut of preference 62). False when
// cancelled.
bool APPENDstatus(const SecondFile& second, MergeChoices& choices);
// Window 212.
void TooManyChannelsWarning(int allowed);
// Window 200, shown only when the intervals differ: which interval the joint file takes.
IntervalChoice MERGEFileTimeScaleAdjust(float originalInterval, float newInterval);
// Window 21; mode 1 adds the advice to pick a lower sample rate.
void TimeScaleWarning(int16_t mode);

// "Adjust Time Scale..." on a slot, without its window: resamples the slot's channels and
// markers to the new interval, logs it when edits are logged. Refused (nothing changed)
// as adjustTimeScale refuses.
enum class TimeScaleRefusal;
TimeScaleRefusal adjustSlotTimeScale(int slot, float newInterval);

}  // namespace qv
