// The all-values display: a column of small fields on the plot that shows the values of the
// chosen channels at the pointer (the main loop fills them), where it goes, and which
// channels it shows (window 10).
#include "plot/all_values.h"

#include <algorithm>
#include <optional>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/screen_place.h"
#include "core/sounds.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t avbx = 223, avby = 7;

namespace {

constexpr int kPlaceWindow = 4, kStandard = 1, kWithMouse = 2;
constexpr int kChoiceWindow = 10, kAll = 48, kNone = 49, kDone = 50;
constexpr int kFirstValueField = 201;

int plotWindowOf(int f) { return plot::kPlotWindowBase + f; }

}  // namespace

ValueColumns valueColumns(int count, int left, int top, int windowWidth, int bottomOfPlot) {
  ValueColumns c;
  // Filled fields would hide the data bar's own value: they start under it.
  c.top = std::max(kDataBarBottom, top);
  c.rows = std::max(1, (bottomOfPlot - c.top) / kValueRowHeight);
  const int columns = std::max(1, (count + c.rows - 1) / c.rows);
  // Columns that would run past the window's right edge move left as a whole.
  c.left = std::max(0, std::min(left, windowWidth - kValueColumnStep * columns));
  return c;
}

namespace {

// The outline of the value column follows the pointer over the plot until a click.
void placeWithMouse(int f) {
  playIfSoundsOn("brrrp.mp3");
  const int w = plotWindowOf(f);
  const int n = nChannels[f];
  rt::setOutputWindow(w);
  rt::penMode(rt::kPatXor);
  std::optional<rt::Rect> shown;
  rt::Point p{};
  for (;;) {
    rt::FBHandleEvents();
    p = rt::pointerIn(w);
    const int width = rt::windowContentRect(w).width();
    const bool inside = p.x >= 1 && p.x <= width && p.y >= 20 && p.y <= BottomOfPlotArea - 16;
    const rt::Rect r{p.x - 56, p.y - 8, p.x + 57, p.y + 12 * n - 20};
    if (shown && (!inside || !(r == *shown))) {
      rt::frameRect(*shown);
      shown.reset();
    }
    if (inside && !shown) {
      rt::frameRect(r);
      shown = r;
    }
    if (rt::Button() && inside) break;
  }
  if (shown) rt::frameRect(*shown);
  rt::penNormal();
  avbx = int16_t(std::clamp(p.x - 56, -32000, 32000));
  avby = int16_t(std::clamp(p.y - 20, -32000, 32000));
}

}  // namespace

void PlaceALLVALUES() {
  const int f = TheFileInUse;
  avbx = 223;
  avby = 7;
  SavedHandlers savedHandlers;
  const rt::Rect plot = rt::windowContentRect(plotWindowOf(f));
  rt::openWindow(kPlaceWindow, "Channel Values", {plot.left + 40, plot.top + 60, plot.left + 300, plot.top + 160},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kPlaceWindow, LightGray);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kStandard, 1, "Standard Placement", {20, 20, 240, 42}, 4);
  rt::FBButton(kWithMouse, 1, "Place With Mouse", {20, 56, 240, 78}, 1);
  installModalHandlers();
  action = eventID = 0;
  int a = 0, id = 0;
  do {
    waitForAction();
    a = action;
    id = eventID;
    if (a == 16) a = 1, id = kStandard;
    action = eventID = 0;
  } while (!(a == 1 && (id == kStandard || id == kWithMouse)) && a != 3 && a != 4);
  rt::closeWindow(kPlaceWindow);
  // The caller reads the close box in action.
  if (a == 4) action = 4;
  else if (a == 1 && id == kWithMouse) placeWithMouse(f);
}

void DoALLVALUES(int16_t askPlacement) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plotWindowOf(f))) return;
  if (askPlacement) {
    PlaceALLVALUES();
    if (action == 4) {
      action = 0;
      AllValues = 0;
      return;
    }
  }
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plotWindowOf(f));
  rt::textFont(1);
  rt::textSize(9);
  int count = 0;
  for (int k = 1; k <= nChannels[f]; ++k)
    if (k != ActiveChannel && overlayFlag(f, 3, k)) ++count;
  const ValueColumns cols = valueColumns(count, avbx, avby, rt::windowContentRect(plotWindowOf(f)).width(),
                                         BottomOfPlotArea);
  int i = 0;
  for (int k = 1; k <= nChannels[f]; ++k) {
    // The active channel's value is the data bar's; it never shows twice.
    if (k == ActiveChannel || !overlayFlag(f, 3, k)) continue;
    const int id = kFirstValueField + i;
    const int left = cols.left + kValueColumnStep * (i / cols.rows);
    const int top = cols.top + kValueRowHeight * (i % cols.rows);
    rt::FBEditField(id, "", {left, top, left + kValueFieldWidth, top + kValueRowHeight}, 7);
    rt::setEditFont(id, 1, 9, 0);
    rt::setEditColors(id, {0, 0, 0}, rgbyellow);
    rt::fillStaticField(id, rgbyellow);
    ++i;
  }
  rt::textSize(12);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

void CloseValFields() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plotWindowOf(f))) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plotWindowOf(f));
  for (int id = kFirstValueField; id <= 200 + nChannels[f]; ++id) rt::removeControl(id);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

namespace {

void setAllFlags(int f, int16_t on) {
  for (int k = 1; k <= nChannels[f]; ++k) {
    overlayFlag(f, 3, k) = on;
    rt::setButtonState(k, on ? 2 : 1);
  }
  if (ActiveChannel >= 1 && ActiveChannel <= nChannels[f]) rt::setButtonState(ActiveChannel, 0);
}

// Up to 20 channels one column of buttons; more in two columns, so that 40 fit a 900-pixel
// screen with room for the title bar.
void buildChoiceWindow(int f) {
  const int n = nChannels[f];
  const int columns = n > 20 ? 2 : 1;
  const int rows = (n + columns - 1) / columns;
  const int height = rows >= 17 ? 18 * rows + 100 : 465;
  const int width = columns == 1 ? 520 : 1000;
  const rt::Rect screen = rt::screenRect();
  const rt::Rect at = placeOnScreen({200, 60, 200 + width, 60 + height}, screen);
  rt::openWindow(kChoiceWindow, "Channel values to display", at, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  SetTextStyle(KestrixFont, 20, 0);
  rt::moveTo(20, 34);
  rt::drawString("Select channel values to display");
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 1; k <= n; ++k) {
    const int x = 20 + 480 * ((k - 1) / rows);
    const int y = 50 + 18 * ((k - 1) % rows);
    const int state = k == ActiveChannel ? 0 : overlayFlag(f, 3, k) ? 2 : 1;
    rt::FBButton(k, state, "Channel" + rt::PSstrLong(k) + ":  " + RetrieveLabelOf(f, k), {x, y, x + 460, y + 17}, 2);
  }
  rt::FBButton(kAll, 1, "All", {20, height - 40, 100, height - 18}, 1);
  rt::FBButton(kNone, 1, "None", {120, height - 40, 200, height - 18}, 1);
  rt::FBButton(kDone, 1, "Done", {width - 120, height - 40, width - 20, height - 18}, 4);
}

}  // namespace

void SetUpAllValuesDisplay() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers savedHandlers;
  HideTheToolBar();
  buildChoiceWindow(f);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= nChannels[f]) {
      overlayFlag(f, 3, id) = overlayFlag(f, 3, id) ? 0 : 1;
      rt::setButtonState(id, overlayFlag(f, 3, id) ? 2 : 1);
    } else if (a == 1 && (id == kAll || id == kNone)) {
      setAllFlags(f, id == kAll ? 1 : 0);
    } else if ((a == 1 && id == kDone) || (a == 4 && id == kChoiceWindow) || a == 16) {
      break;
    }
  }
  rt::closeWindow(kChoiceWindow);
  RestoreTheToolBar();
  PlotForward();
}

}  // namespace qv
