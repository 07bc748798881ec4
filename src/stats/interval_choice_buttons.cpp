// The quick-choice duration buttons in the window that holds duration field 101.
#include <algorithm>

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
  // Six buttons a row keep every label whole in the narrowest dialog (322 pixels); presets
  // from the row at 72, adjusters below them from 122, each set wrapping to a further row.
  auto place = [](const std::vector<IntervalButton>& buttons, int top) {
    for (size_t n = 0; n < buttons.size(); ++n) {
      const int left = 10 + int(n % 6) * 52, y = top + int(n / 6) * 23;
      rt::FBButton(buttons[n].id, 1, buttons[n].label, {left, y, left + 50, y + 20}, 1);
    }
  };
  const std::vector<IntervalButton> presets = intervalPresets(interval, caseCount);
  place(presets, 72);
  const int presetRows = int((presets.size() + 5) / 6);
  place(intervalAdjusters(interval), 122 + 23 * std::max(0, presetRows - 2));
}

void SETimeIntVlCHOICE() {
  const int id = eventID;
  action = eventID = 0;
  const std::optional<std::string> text =
      intervalChoiceText(id, FileInfoFLOATS[TheFileInUse][1], rt::editText(kDurationField));
  if (text) rt::setEditText(kDurationField, *text);
}

}  // namespace qv
