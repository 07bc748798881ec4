// The two tools that fix the Y limits of the active channel: typed (window 9) and picked on
// the plot or widened (window 11). From the multi-channel view both work on the single view
// and go back to the strips afterwards.
#include <cmath>
#include <optional>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/warning.h"
#include "core/open_rules.h"
#include "plot/level_pick.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "plot/scale_limits.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kTypedWindow = 9, kScalingWindow = 11, kResults = 4;
constexpr int kMinField = 101, kMaxField = 102, kFinished = 3, kInteractive = 4;
enum ScalingButton { kUpper = 1, kLower, kExpand2, kExpand3, kDone, kCancel };

// The single view for the length of a tool, and the strips again afterwards.
class SingleViewWhile {
 public:
  explicit SingleViewWhile(int f) : f_(f), multi_(FileSHORTS[f][kViewModeWord] != 0) {
    if (!multi_) return;
    FileSHORTS[f][kViewModeWord] = 0;
    DrawPlot(0, 0, 0, 1);
  }
  ~SingleViewWhile() {
    if (!multi_ || !slotIsOpen(f_)) return;
    FileSHORTS[f_][kViewModeWord] = 1;
    ChangedChan = ActiveChannel;
    RefreshMULTICHAN();
  }
  SingleViewWhile(const SingleViewWhile&) = delete;
  SingleViewWhile& operator=(const SingleViewWhile&) = delete;

 private:
  int f_;
  bool multi_;
};

void storeFixed(float low, float high) {
  if (ActiveChannel < 1 || ActiveChannel > kMaxChannels) return;
  scalingFactorArray[ActiveChannel][4] = float(plot::kFixedLimits);
  scalingFactorArray[ActiveChannel][5] = low;
  scalingFactorArray[ActiveChannel][6] = high;
}

void applyFixed(const plot::Limits& l) {
  minimumValue = l.low;
  maximumValue = l.high;
  range = l.high - l.low;
  storeFixed(l.low, l.high);
  ScaleMode = DrawAllScaleMode = plot::kFixedLimits;
  ScaleChangeREDRAW(ActiveChannel);
}

rt::Rect plotRect() { return rt::windowContentRect(plot::kPlotWindowBase + TheFileInUse); }

void buildTypedWindow() {
  const rt::Rect p = plotRect();
  BuildWINDOW(kTypedWindow, "Y-Axis Scaling for Channel" + rt::PSstrLong(ActiveChannel), int16_t(p.left + 50),
              int16_t(p.top + 40), int16_t(p.left + 350), int16_t(p.top + 290), 6);
  rt::setWindowBackground(kTypedWindow, LightGray);
  SetTextStyle(KestrixFont, 14, 0);
  rt::FBButton(kInteractive, 1, "Set Interactively on Plot Window...", {20, 10, 280, 32}, 1);
  GrayBOX(0, 20, 44, 280, 160);
  PrintAt(40, 66, "Maximum Y:");
  rt::FBEditField(kMaxField, rt::PSstr(maximumValue), {40, 72, 260, 94}, 3);
  PrintAt(40, 120, "Minimum Y:");
  rt::FBEditField(kMinField, rt::PSstr(minimumValue), {40, 126, 260, 148}, 3);
  DrawIcon(129, 20, 200);  // beside the caution, below the fields' frame
  PrintAt(60, 184, "Careful:   ");
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(130, 184, "All screen segments");
  PrintAt(130, 200, "will use this scaling.");
  rt::FBButton(kFinished, 1, "Click When Finished", {80, 214, 280, 238}, 4);
  rt::selectEditField(kMaxField, 0, 999);
}

// Both fields as numbers, or nothing after saying which one is not a number; the fields are
// then set back to the limits shown.
std::optional<plot::Limits> readTypedFields() {
  double low = 0, high = 0;
  const std::string lowText = rt::editTextIn(kTypedWindow, kMinField);
  const std::string highText = rt::editTextIn(kTypedWindow, kMaxField);
  const bool lowOk = rt::PSvalStrict(lowText, low), highOk = rt::PSvalStrict(highText, high);
  if (lowOk && highOk) return plot::Limits{float(low), float(high)};
  Warn(1166, "Y-Axis Scaling: ",
       {"\"" + (highOk ? lowText : highText) + "\" is not a number.", "The limits stay as they were."});
  rt::setEditTextIn(kTypedWindow, kMaxField, rt::PSstr(maximumValue));
  rt::setEditTextIn(kTypedWindow, kMinField, rt::PSstr(minimumValue));
  return std::nullopt;
}

// Typed limits that are no scale (maximum not above minimum, not finite) fix the limits the
// channel's own mode gives.
void applyTyped(const plot::Limits& typed) {
  if (const auto l = plot::typedLimits(typed.low, typed.high)) {
    applyFixed(*l);
    return;
  }
  RefreshSCREEN();
  EndBeep();
  ScaleChangeREDRAW(ActiveChannel);
  storeFixed(minimumValue, maximumValue);
  ScaleMode = DrawAllScaleMode = plot::kFixedLimits;
}

void buildScalingWindow() {
  const rt::Rect p = plotRect();
  const int height = 112;
  const int top = std::min(p.top + BottomOfPlotArea + 10, rt::screenRect().bottom - height - 10);
  BuildWINDOW(kScalingWindow, "scaling", int16_t(p.left + 60), int16_t(top), int16_t(p.left + 230),
              int16_t(top + height), 5);
  rt::setWindowBackground(kScalingWindow, darkGray);
  SetTextStyle(1, 10, 0);
  const char* titles[] = {"Upper Limit", "Lower Limit", "Expand 2X", "Expand 3X", "Done", "Cancel"};
  for (int i = 0; i < 6; ++i) {
    const int x = 4 + (i % 2) * 83, y = 34 + (i / 2) * 25;
    rt::FBButton(i + 1, 1, titles[i], {x, y, x + 79, y + 22}, 1);
  }
}

// The picked level as a line across the plot, where the user clicked it.
void markLevel(float value) {
  const int win = plot::kPlotWindowBase + TheFileInUse;
  const double perRow = double(maximumValue - minimumValue) / std::max<int>(PlotHeight, 1);
  if (!(perRow > 0) || !std::isfinite(perRow)) return;
  const double y = BottomOfPlotArea - 8 - (double(value) - minimumValue) / perRow;
  if (!std::isfinite(y)) return;
  rt::setOutputWindow(win);
  rt::foreColor(green);
  rt::moveTo(1, int(y));
  rt::lineTo(ScreenWidth, int(y));
  rt::penNormal();
  rt::foreColor({0, 0, 0});
}

}  // namespace

void MANUALSCALING() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  SingleViewWhile single(f);
  HideTheToolBar();
  bool interactive = false;
  std::optional<plot::Limits> typed;
  {
    SavedHandlers handlers;
    installModalHandlers();
    action = eventID = 0;
    buildTypedWindow();
    for (bool done = false; !done;) {
      const auto [a, id] = takeAction();
      if (a == 1 && id == kInteractive) {
        interactive = true;
        done = true;
      } else if ((a == 1 && id == kFinished) || a == 16 || (a == 4 && id == kTypedWindow) ||
                 (a == 3 && id != kTypedWindow)) {
        typed = readTypedFields();
        done = typed.has_value();
      }
    }
  }
  // The interactive tool sets the limits itself; the fields, still showing the old ones,
  // are not read after it.
  rt::closeWindow(kTypedWindow);
  if (interactive) ScaleGRAPHIC();
  else applyTyped(*typed);
  rt::closeWindow(kResults);
  PlotForward();
  RestoreTheToolBar();
  action = eventID = 0;
}

void ScaleGRAPHIC() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  SingleViewWhile single(f);
  const float oldLow = minimumValue, oldHigh = maximumValue;
  float newLow = oldLow, newHigh = oldHigh;
  SavedHandlers handlers;
  installModalHandlers();
  action = eventID = 0;
  buildScalingWindow();
  bool apply = false;
  for (bool done = false; !done;) {
    const auto [a, id] = takeAction();
    if (a == 1 && (id == kUpper || id == kLower)) {
      const float v = GetGscale(0);
      (id == kUpper ? newHigh : newLow) = v;
      id == kUpper ? upvip() : downvip();
      markLevel(v);
      if (rt::windowExists(kScalingWindow)) rt::bringWindowForward(kScalingWindow);
    } else if (a == 1 && (id == kExpand2 || id == kExpand3)) {
      const plot::Limits e = plot::expanded(minimumValue, maximumValue, id == kExpand2 ? 0.5f : 1.0f);
      if (plot::typedLimits(e.low, e.high)) {
        storeFixed(e.low, e.high);
        DrawPlot(0, 0, 0, 1);
        newLow = minimumValue;
        newHigh = maximumValue;
      } else {
        bzot();
      }
    } else if ((a == 1 && id == kDone) || (a == 4 && id == kScalingWindow) || (a == 3 && id == 1)) {
      apply = done = true;
    } else if (a == 1 && id == kCancel) {
      done = true;
    }
  }
  rt::closeWindow(kScalingWindow);
  if (apply) {
    if (const auto l = plot::orderedLimits(newLow, newHigh)) applyFixed(*l);
    else bzot();
  } else {
    minimumValue = oldLow;
    maximumValue = oldHigh;
    range = oldHigh - oldLow;
    if (ActiveChannel >= 1 && ActiveChannel <= kMaxChannels) {
      scalingFactorArray[ActiveChannel][5] = oldLow;
      scalingFactorArray[ActiveChannel][6] = oldHigh;
    }
    DrawPlot(0, 0, 0, 1);
  }
  PlotForward();
}

}  // namespace qv
