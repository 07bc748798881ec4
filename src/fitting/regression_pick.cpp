// "Select Shannels to Regress": the X and Y channels from the two-column channel table, and
// "Regression Type": the model, offering a log only where every value to be logged is > 0.
#include <algorithm>
#include <span>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/fit_state.h"
#include "fitting/line_fit.h"
#include "fitting/regression.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow = 7, kSelectionsOK = 155, kDone = 6;

rt::Rect placeBesidePlot(int height) {
  const int plot = 1000 + TheFileInUse;
  const rt::Rect p = rt::windowExists(plot) ? rt::windowContentRect(plot) : rt::Rect{0, 40, 800, 500};
  const int top = std::max(45, std::min(p.top + 60, rt::screenRect().bottom - height - 10));
  return {p.left + 20, top, p.left + 360, top + height};
}

bool blockPositive(int c) {
  const float* p = gPointersToFileData[TheFileInUse][c].get();
  if (!p) return false;
  return allPositive(std::span<const float>(p, size_t(nCases[TheFileInUse]) + 1), BeginBlock.inUse(), EndBlock.inUse());
}

void showChoice(int n, int x, int y) {
  rt::setOutputWindow(kWindow);
  for (int c = 1; c <= n; ++c) {
    rt::setButtonState(c, c == y ? 0 : c == x ? 2 : 1);
    rt::setButtonState(n + c, c == x ? 0 : c == y ? 2 : 1);
  }
  rt::setButtonState(kSelectionsOK, x >= 1 && y >= 1 && x != y ? 1 : 0);
}

bool pickChannels(int n) {
  const int height = 80 + 18 * n;
  rt::openWindow(kWindow, "Select Shannels to Regress", placeBesidePlot(height), rt::kDocumentWindowClass, 0);
  rt::setWindowBackground(kWindow, LightGray);
  yChan = 1;
  TRANSCHAN(" ch. X", "  ch. Y", "Channel data", 4, 1, 0, 1);
  yChan = 0;
  rt::FBButton(kSelectionsOK, 0, "Selections OK", {200, height - 30, 330, height - 8}, 4);
  int x = 0, y = 0;
  for (;;) {
    showChoice(n, x, y);
    action = eventID = 0;
    waitForAction();
    const bool ready = x >= 1 && y >= 1 && x != y;
    if (action == 1 && eventID >= 1 && eventID <= n) x = eventID;
    else if (action == 1 && eventID > n && eventID <= 2 * n) y = eventID - n;
    else if (action == 1 && eventID == kSelectionsOK && ready) break;
    // Return and a click elsewhere end the choice only once it is complete.
    else if ((action == 16 || action == 3) && ready) break;
    else if (action == 4 && eventID == kWindow) return false;
  }
  RegressionXChannel = MainDataChannel = int16_t(x);
  RegressionYChannel = int16_t(y);
  SecondChannel = int16_t(y);
  return true;
}

void pickModel() {
  const bool logY = blockPositive(RegressionYChannel), logX = blockPositive(RegressionXChannel);
  if (!logY || !logX) UseLogY = 0;
  if (UseLogY < 0 || UseLogY > 3) UseLogY = 0;
  rt::openWindow(kWindow, "Regression Type", placeBesidePlot(150), rt::kDocumentWindowClass, 0);
  rt::setWindowBackground(kWindow, LightGray);
  const char* names[] = {"  Linear (least-squares) ", "   Linear X, Log Y", "   Log X, Linear Y", "   Log X, Log Y"};
  const bool offered[] = {true, logY, logX, logX && logY};
  for (int k = 0; k < 4; ++k)
    if (offered[k]) rt::FBButton(k + 1, UseLogY == k ? 2 : 1, names[k], {12, 10 + 25 * k, 300, 30 + 25 * k}, 3);
  rt::FBButton(kDone, 1, "Done", {240, 115, 320, 137}, 4);
  for (;;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && eventID >= 1 && eventID <= 4 && offered[eventID - 1]) {
      UseLogY = int16_t(eventID - 1);
      rt::setOutputWindow(kWindow);
      for (int k = 0; k < 4; ++k)
        if (offered[k]) rt::setButtonState(k + 1, UseLogY == k ? 2 : 1);
    } else if ((action == 1 && eventID == kDone) || action == 16 || action == 3 || action == 4) {
      break;
    }
  }
}

}  // namespace

bool PickRChans(int16_t askModel) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles) return false;
  const int n = std::min<int>(nChannels[f], kMaxChannels);
  if (n < 2) return false;
  SavedHandlers saved;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  HideTheToolBar();
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  const bool picked = pickChannels(n);
  if (picked && askModel) pickModel();
  rt::closeWindow(kWindow);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  RestoreTheToolBar();
  return picked;
}

}  // namespace qv
