// The quick-choice duration buttons in the window that holds duration field 101.
#include "core/event_state.h"
#include "core/filetable.h"
#include "runtime/windows.h"
#include "stats/commands.h"
#include "stats/interval_choice.h"

namespace qv {

namespace {
constexpr int kDurationField = 101;
}

void INTERVALCHOICE(int32_t caseCount) {
  const double interval = FileInfoFLOATS[TheFileInUse][1];
  const std::vector<IntervalButton> presets = intervalPresets(interval, caseCount);
  // Presets in two rows of seven at most, the adjusters in a third row.
  for (size_t n = 0; n < presets.size(); ++n) {
    const int left = 10 + int(n % 7) * 52, top = n < 7 ? 72 : 95;
    rt::FBButton(presets[n].id, 1, presets[n].label, {left, top, left + 50, top + 20}, 1);
  }
  const std::vector<IntervalButton> adjusters = intervalAdjusters(interval);
  for (size_t n = 0; n < adjusters.size(); ++n) {
    const int left = 10 + int(n) * 52;
    rt::FBButton(adjusters[n].id, 1, adjusters[n].label, {left, 122, left + 50, 142}, 1);
  }
}

void SETimeIntVlCHOICE() {
  const int id = eventID;
  action = eventID = 0;
  const std::optional<std::string> text =
      intervalChoiceText(id, FileInfoFLOATS[TheFileInUse][1], rt::editText(kDurationField));
  if (text) rt::setEditText(kDurationField, *text);
}

}  // namespace qv
