// Edit > Respirometry > Compute VO2 / VCO2: the flow-system configuration windows.
#include "respirometry/flow_system.h"

#include <algorithm>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "respirometry/flow_modes.h"
#include "respirometry/gas_settings.h"
#include "respirometry/stand_ins.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kWindow = 6, kEquationWindow = 14;
constexpr int kNext = 6, kOtherSet = 7, kHelp = 8;
constexpr int kPictureWidth = 460, kButtonColumn = 130, kButtonRow = 40;
constexpr int16_t kFlowHelp = 250;

struct Kind {
  int16_t id;
  const char* title;
  const char* picture;
  int height;
  int modes;
};

constexpr Kind kKinds[] = {
    {kO2Chambers, "Flow Configuration  (Chambers) ", "O2configurations.png", 442, 5},
    {kCO2Chambers, "Flow Configuration  (Chambers) ", "CO2configurations.png", 403, 4},
    {kO2Masks, "Flow Configuration  (Masks) ", "O2masks.png", 441, 5},
    {kCO2Masks, "Flow Configuration  (Masks) ", "CO2masks.png", 346, 3},
};

const Kind* kindOf(int16_t id) {
  for (const Kind& k : kKinds)
    if (k.id == id) return &k;
  return nullptr;
}

}  // namespace

rt::Rect besidePlotWindow(int width, int height) {
  const rt::Rect screen = rt::screenRect();
  const int plot = 1000 + TheFileInUse;
  const rt::Rect p = rt::windowExists(plot) ? rt::windowContentRect(plot) : rt::Rect{0, 60, 600, 400};
  int left = std::min(p.right, screen.right - width - 4);
  int top = p.top - (prefsArray[33] != 0 ? 20 : 0);
  top = std::clamp(top, screen.top + 24, std::max(screen.top + 24, screen.bottom - height - 4));
  left = std::max(left, screen.left);
  return {left, top, left + width, top + height};
}

namespace {

// One configuration window's run: true when accepted, false for the other set (or, in the
// chambers, the close box: `closed` tells which).
bool runWindow(bool masks, bool& closed) {
  const bool o2 = GasType != 2;
  const int16_t kind = masks ? (o2 ? kO2Masks : kCO2Masks) : (o2 ? kO2Chambers : kCO2Chambers);
  const Kind& k = *kindOf(kind);
  const int base = masks ? 5 : 0;
  FlowMode = flowModeShown(GasType, masks ? FlowWindow::Masks : FlowWindow::Chambers, FlowMode);
  const rt::Rect r = besidePlotWindow(kPictureWidth + kButtonColumn, k.height + kButtonRow);
  buildFlowSystemWindow(kind, int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom));
  const int x = kPictureWidth + 10, w = kButtonColumn - 20;
  const int panel = (k.height - 40) / k.modes;
  for (int b = 1; b <= k.modes; ++b) {
    const int y = 20 + panel * (b - 1) + panel / 2 - 11;
    const std::string title = (masks ? "Mask Mode " : "Mode ") + std::to_string(b);
    rt::FBButton(b, FlowMode - base == b ? 2 : 1, title, {x, y, x + w, y + 22}, 3);
  }
  // "?", the other set and "Next..." in a row under the picture.
  const int y = k.height + 9;
  rt::FBButton(kHelp, 1, "?", {10, y, 40, y + 22}, 1);
  rt::FBButton(kOtherSet, 1, masks ? "Chambers" : "Masks", {x - 120, y, x - 10, y + 22}, 1);
  rt::FBButton(kNext, 1, "Next...", {x, y, x + w, y + 22}, 4);
  installModalHandlers();
  action = eventID = 0;
  closed = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) {
      closed = !masks;
      return false;
    }
    if (a == 16) return true;
    // A click into another window accepts the chambers but goes back from the masks.
    if (a == 3 && id != kWindow) return !masks;
    if (a != 1) continue;
    if (id >= 1 && id <= k.modes) {
      FlowMode = int16_t(base + id);
      for (int b = 1; b <= k.modes; ++b) rt::setButtonState(b, b == id ? 2 : 1);
    } else if (id == kNext) {
      return true;
    } else if (id == kOtherSet) {
      return false;
    } else if (id == kHelp) {
      HelpSubject = kFlowHelp;
      OpenHelpBook();
      HelpSubject = 199;
      rt::bringWindowForward(kWindow);
      rt::setOutputWindow(kWindow);
    }
  }
}

}  // namespace

void buildFlowSystemWindow(int16_t kind, int16_t left, int16_t top, int16_t right, int16_t bottom) {
  rt::closeWindow(kWindow);
  const Kind* k = kindOf(kind);
  BuildWINDOW(kWindow, k ? k->title : "Flow Configuration", left, top, right, bottom, 262);
  rt::setWindowBackground(kWindow, rt::RGB{0xE4E4, 0xE4E4, 0xE4E4});
  if (!k) return;
  const rt::Image img = rt::loadImage("DUdoderi", k->picture);
  rt::drawImage(img, {0, 0, kPictureWidth, k->height});
  rt::releaseImage(img);
}

int16_t MASKSYSTEMS() {
  bool closed = false;
  const bool accepted = runWindow(true, closed);
  rt::closeWindow(kEquationWindow);
  rt::closeWindow(kWindow);
  return accepted ? 3 : 2;
}

int16_t FLOWSYSTEM() {
  HelpSubject = 199;
  SavedHandlers saved;
  bool accepted = false;
  if (FlowMode > 5) {
    accepted = MASKSYSTEMS() == 3;
    if (!accepted) FlowMode = 1;
  }
  while (!accepted) {
    bool closed = false;
    if (runWindow(false, closed)) break;
    rt::closeWindow(kWindow);
    if (closed) return 1;
    accepted = MASKSYSTEMS() == 3;
  }
  rt::closeWindow(kWindow);
  rt::closeWindow(kEquationWindow);
  if (flowNeedsHumidity(GasType, FlowMode)) WaterComp(0);
  return 0;
}

}  // namespace qv
