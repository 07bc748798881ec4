#include "core/warning.h"

#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "runtime/events.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// Handlers in force before a nested modal window, put back when it ends.
struct SavedHandlers {
  rt::Handler menu = rt::handler(rt::Vector::Menu), mouse = rt::handler(rt::Vector::Mouse),
              dialog = rt::handler(rt::Vector::Dialog), edit = rt::handler(rt::Vector::Edit);
  ~SavedHandlers() {
    rt::setHandler(rt::Vector::Menu, menu);
    rt::setHandler(rt::Vector::Mouse, mouse);
    rt::setHandler(rt::Vector::Dialog, dialog);
    rt::setHandler(rt::Vector::Edit, edit);
  }
};

constexpr int kButtonWidth = 110;

}  // namespace

int ShowWarning(const WarningSpec& spec) {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  const int n = int(spec.buttons.size());
  const int height = 118 + 20 * int(spec.lines.size());
  const int16_t w = int16_t(spec.window);
  BuildWINDOW(w, spec.title, int16_t(spec.left), int16_t(spec.top), int16_t(spec.left + spec.width),
              int16_t(spec.top + height), 6);
  WARNINGSTRIPES(1, 10, 33, 8);
  if (!spec.sound.empty()) rt::playSound(spec.sound);
  if (spec.icon) DrawIcon(int16_t(spec.icon), 20, 60);
  SetTextStyle(KestrixFont, 18, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(62, 44, spec.heading);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  int y = 68;
  for (const auto& line : spec.lines) {
    PrintAt(62, y, line);
    y += 20;
  }
  for (int i = 0; i < n; ++i) {
    const int right = spec.width - 20 - (n - 1 - i) * (kButtonWidth + 10);
    rt::FBButton(i + 1, 1, spec.buttons[size_t(i)], {right - kButtonWidth, height - 40, right, height - 18},
                 i + 1 == spec.defaultButton ? 4 : 1);
  }
  action = eventID = 0;
  installModalHandlers();
  int result = -1;
  while (result < 0) {
    waitForAction();
    if (action == 1 && eventID >= 1 && eventID <= n) result = eventID;
    else if (action == 16 && n > 0 && (eventID == 13 || eventID == 3)) result = std::clamp(spec.defaultButton, 1, std::max(1, n));
    else if (action == 4 && eventID == w) result = 0;
    else if (spec.endsOnWindowClick && action == 3 && eventID != w) result = 0;
    action = eventID = 0;
  }
  rt::closeWindow(w);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return result;
}

void Warn(int window, const std::string& heading, const std::vector<std::string>& lines) {
  WarningSpec s;
  s.window = window;
  s.heading = heading;
  s.lines = lines;
  ShowWarning(s);
}

}  // namespace qv
