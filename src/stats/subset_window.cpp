// "Cross-channel Subset Selection": per channel a greater, a less and an equal condition.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/screen_place.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "output/subset.h"
#include "stats/subset_layout.h"

namespace qv {

namespace {

constexpr int kSubsetWindow = 200;
constexpr int kSetIndex = 118, kClearAll = 119, kDone = 120;
constexpr int kSubsetHelp = 233;

enum Condition { kGreater = 0, kLess = 1, kEqual = 2 };

// Box ids: greater c, less 40 + c, equal 80 + c; the equal boxes of channels 38 to 40 would
// take the buttons' numbers and get 121 to 123 instead. Fields: 200 + c, 240 + c, 280 + c.
int boxId(int c, Condition k) {
  if (k == kEqual && c >= 38) return 121 + (c - 38);
  return 40 * k + c;
}
int fieldId(int c, Condition k) { return 200 + 40 * k + c; }

struct BoxOf {
  int channel;
  Condition condition;
};
std::optional<BoxOf> boxOf(int id) {
  if (id >= 1 && id <= 40) return BoxOf{id, kGreater};
  if (id >= 41 && id <= 80) return BoxOf{id - 40, kLess};
  if (id >= 81 && id <= 117) return BoxOf{id - 80, kEqual};
  if (id >= 121 && id <= 123) return BoxOf{id - 121 + 38, kEqual};
  return std::nullopt;
}

const char* conditionName(Condition k) { return k == kGreater ? "\">\"" : k == kLess ? "\"<\"" : "\"=\""; }

int channelsOfFileInUse() {
  const int f = TheFileInUse;
  return f >= 0 && f < kMaxOpenFiles ? std::min<int>(nChannels[f], kMaxChannels) : 0;
}

void buildWindow(int n) {
  const int f = TheFileInUse;
  int left = 40, top = 80;
  if (f >= 0 && rt::windowExists(1000 + f)) {
    rt::bringWindowForward(1000 + f);
    const rt::Rect plot = rt::windowContentRect(1000 + f);
    left = plot.left + 40;
    top = plot.top + BottomOfPlotArea / 2;
  }
  const rt::Rect screen = rt::screenRect();
  const SubsetLayout l = subsetWindowLayout(n, screen.height() - kTitleBarHeight - 20);
  top = std::max(30, std::min(top, screen.bottom - l.height - 10));
  BuildWINDOW(kSubsetWindow, "Cross-channel Subset Selection", int16_t(left), int16_t(top), int16_t(left + l.width),
              int16_t(top + l.height), 6);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(l.heading.x, l.heading.y, "use when these channel values are:");
  for (const auto& t : l.titles) {
    PrintAt(t[0].x, t[0].y, " > ");
    PrintAt(t[1].x, t[1].y, "< ");
    PrintAt(t[2].x, t[2].y, " = ");
  }
  SetTextStyle(KestrixFont, 12, 0);
  for (int c = 1; c <= n; ++c) {
    const SubsetRowPlace& row = l.rows[size_t(c - 1)];
    rt::FBEditField(500 + c, std::to_string(c) + ":  " + RetrieveLabel(c), row.label, 7);
    for (Condition k : {kGreater, kLess, kEqual}) {
      const CrossChanRecord& r = CrossChanSelectionArray[c];
      rt::FBButton(boxId(c, k), r[1 + k] != 0.0f ? 2 : 1, "", row.box[size_t(k)], 2);
      const float limit = r[4 + k];
      rt::FBEditField(fieldId(c, k), limit != 0.0f ? rt::PSstr(limit) : "", row.field[size_t(k)], 3);
    }
  }
  rt::FBButton(kSetIndex, 1, "Set Index", l.setIndex, 1);
  rt::FBButton(kClearAll, 1, "Clear All", l.clearAll, 1);
  rt::FBButton(kDone, 1, "Done", l.done, 4);
}

// Reads every limit. A field that holds something other than a number keeps its limit (shown
// again) and is named in a message; false then.
bool readLimits(int n) {
  std::string refused;
  for (int c = 1; c <= n; ++c)
    for (Condition k : {kGreater, kLess, kEqual}) {
      const std::string text = rt::editText(fieldId(c, k));
      const bool blank = text.find_first_not_of(" \t") == std::string::npos;
      const auto v = blank ? std::optional<double>(0.0) : typedNumber(text);
      if (v) {
        CrossChanSelectionArray[c][size_t(4 + k)] = float(*v);
        continue;
      }
      const float kept = CrossChanSelectionArray[c][size_t(4 + k)];
      rt::setEditText(fieldId(c, k), kept != 0.0f ? rt::PSstr(kept) : "");
      if (refused.empty())
        refused = "The " + std::string(conditionName(k)) + " limit of channel " + std::to_string(c) + " is not a number: \"" +
                  text + "\"";
    }
  if (refused.empty()) return true;
  Warn(1166, "Caution: ", {refused, "Limits that are not numbers stay as they were."});
  return false;
}

void clearAll(int n) {
  for (int c = 1; c <= kMaxChannels; ++c)
    for (int w = 1; w <= 3; ++w) CrossChanSelectionArray[c][size_t(w)] = 0.0f;
  for (int c = 1; c <= n; ++c)
    for (Condition k : {kGreater, kLess, kEqual}) rt::setButtonState(boxId(c, k), 1);
}

// "/" and "?" typed in a field open the help page rather than going into the field.
void subsetEditKey() {
  const int key = rt::editKeyCode();
  if (key == '/' || key == '?') {
    action = 16;
    eventID = int16_t(key);
    rt::rejectEditKey();
    return;
  }
  CHECKRETURN();
}

}  // namespace

void SelectSubset() {
  SavedHandlers savedHandlers;
  const int savedOutput = rt::outputWindow();
  const int f = TheFileInUse;
  const int n = channelsOfFileInUse();
  HideTheToolBar();
  HelpSubject = kSubsetHelp;
  printblock = 0;
  if (f >= 0 && f < kMaxOpenFiles)
    for (int c = 1; c <= n; ++c) overlayFlag(f, 1, c) = 0;
  buildWindow(n);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, subsetEditKey);
  action = eventID = 0;

  bool done = false;
  while (!done) {
    waitForAction();
    const int id = eventID;
    if (action == 1) {
      if (id == kDone) {
        done = true;
      } else if (id == kSetIndex) {
        if (readLimits(n)) CrossChanIndex();
        rt::setOutputWindow(kSubsetWindow);
      } else if (id == kClearAll) {
        clearAll(n);
      } else if (const auto box = boxOf(id); box && box->channel <= n) {
        // A ticked box stays ticked: only "Clear All" switches conditions off.
        rt::setButtonState(id, 2);
        CrossChanSelectionArray[box->channel][size_t(1 + box->condition)] = 1.0f;
      }
    } else if (action == 16 && (id == '/' || id == '?')) {
      OpenHelpBook();
    } else if ((action == 3 && id != kSubsetWindow) || action == 4) {
      done = true;
    }
    action = eventID = 0;
  }
  readLimits(n);
  rt::closeWindow(kSubsetWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  RestoreTheToolBar();
}

}  // namespace qv
