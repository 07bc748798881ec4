#include "core/warning.h"

#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/warning_layout.h"
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

constexpr int kHeadingSize = 18, kLineSize = 14;

// The window at the asked place, grown (or its lines wrapped) so that every line fits.
// The red tail is laid out as the end of the last line, so it wraps and fits with it.
std::vector<std::string> linesWithTail(const WarningSpec& spec) {
  std::vector<std::string> lines = spec.lines;
  if (!spec.redTail.empty()) {
    if (lines.empty()) lines.push_back(spec.redTail);
    else lines.back() += " " + spec.redTail;
  }
  return lines;
}

WarningLayout buildWarningWindow(const WarningSpec& spec) {
  const int16_t w = int16_t(spec.window);
  const std::vector<std::string> lines = linesWithTail(spec);
  const auto build = [&](int width, int height) {
    BuildWINDOW(w, spec.title, int16_t(spec.left), int16_t(spec.top), int16_t(spec.left + width),
                int16_t(spec.top + height), 6);
  };
  build(spec.width, 118 + kWarningLineStep * int(lines.size()));
  SetTextStyle(KestrixFont, kHeadingSize, rt::kBold);
  const int headingWidth = rt::stringWidth(spec.heading);
  SetTextStyle(KestrixFont, kLineSize, 0);
  const MeasureText measure = [](std::string_view t) { return rt::stringWidth(t); };
  const WarningLayout l = layoutWarning(spec.width, rt::screenRect().width() - 40, headingWidth, lines,
                                        int(spec.buttons.size()), measure);
  if (l.width != spec.width || l.lines.size() != lines.size()) build(l.width, l.height);
  return l;
}

}  // namespace

int ShowWarning(const WarningSpec& spec) {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  const int n = int(spec.buttons.size());
  const int16_t w = int16_t(spec.window);
  const WarningLayout l = buildWarningWindow(spec);
  const int width = l.width, height = l.height;
  WARNINGSTRIPES(1, 10, 33, 8);
  if (!spec.sound.empty()) rt::playSound(spec.sound);
  if (spec.icon) DrawIcon(int16_t(spec.icon), 20, 60);
  SetTextStyle(KestrixFont, kHeadingSize, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(kWarningTextX, 44, spec.heading);
  SetTextStyle(KestrixFont, kLineSize, 0);
  rt::foreColor(RGBblack);
  int y = 68;
  for (size_t i = 0; i < l.lines.size(); ++i) {
    const std::string& line = l.lines[i];
    const bool tail = i + 1 == l.lines.size() && !spec.redTail.empty() && line.ends_with(spec.redTail);
    const std::string black = tail ? line.substr(0, line.size() - spec.redTail.size()) : line;
    PrintAt(kWarningTextX, y, black);
    if (tail) {
      rt::foreColor(RGBred);
      PrintAt(kWarningTextX + rt::stringWidth(black), y, spec.redTail);
      rt::foreColor(RGBblack);
    }
    y += kWarningLineStep;
  }
  // Right to left; a title longer than the usual button gets a wider one.
  int right = width - 2 * kWarningButtonGap;
  for (int i = n - 1; i >= 0; --i) {
    const int w = std::max(kWarningButtonWidth, rt::stringWidth(spec.buttons[size_t(i)]) + 24);
    rt::FBButton(i + 1, 1, spec.buttons[size_t(i)], {right - w, height - 40, right, height - 18},
                 i + 1 == spec.defaultButton ? 4 : 1);
    right -= w + kWarningButtonGap;
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
