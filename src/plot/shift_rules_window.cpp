// Block Shift Rules (window 14): whether a shifted block shares a case with the old one.
#include "core/help.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "plot/plot.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kRulesWindow = 14, kOverlap = 1, kNoOverlap = 2, kDone = 3;
constexpr int kWidth = 330, kHeight = 170;
constexpr rt::RGB kBlack{0, 0, 0}, kGrey{0xA000, 0xA000, 0xA000}, kLightBlue{0xB000, 0xD800, 0xFFFF};

void square(int left, int top, int size, rt::RGB fill) {
  rt::foreColor(fill);
  rt::paintRect({left, top, left + size, top + size});
  rt::foreColor(kBlack);
  rt::frameRect({left, top, left + size, top + size});
}

// Two consecutive blocks: sharing an edge, or one pixel apart.
void diagram(int left, int top, int gap) {
  constexpr int kSize = 28;
  square(left, top, kSize, kGrey);
  square(left + kSize - 1 + gap, top, kSize, kLightBlue);
}

void setRadios() {
  rt::setButtonState(kOverlap, prefsArray[39] == 1 ? 2 : 1);
  rt::setButtonState(kNoOverlap, prefsArray[39] == 1 ? 1 : 2);
}

void buildRulesWindow() {
  const rt::Rect screen = rt::screenRect();
  const int left = (screen.width() - kWidth) / 2, top = 160;
  rt::openWindow(kRulesWindow, "Rules Ror Shifting Blocks", {left, top, left + kWidth, top + kHeight},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kRulesWindow, {0xEEEE, 0xEEEE, 0xEEEE});
  rt::textFont(KestrixFont);
  rt::textSize(12);
  rt::FBButton(kOverlap, 1, "Overlap 1 Case", {20, 24, 200, 44}, 3);
  rt::FBButton(kNoOverlap, 1, "Do Not Overlap", {20, 74, 200, 94}, 3);
  rt::FBButton(kDone, 1, "Done", {kWidth - 100, kHeight - 36, kWidth - 20, kHeight - 14}, 4);
  setRadios();
  diagram(220, 20, 0);
  diagram(220, 70, 2);
}

}  // namespace

void ShiftBlockRules() {
  SavedHandlers savedHandlers;
  HideTheToolBar();
  buildRulesWindow();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && (id == kOverlap || id == kNoOverlap)) {
      prefsArray[39] = id == kOverlap ? 1 : 0;
      setRadios();
      continue;
    }
    if ((a == 1 && id == kDone) || a == 16 || (a == 4 && id == kRulesWindow) || (a == 3 && id != kRulesWindow)) break;
  }
  rt::closeWindow(kRulesWindow);
  RestoreTheToolBar();
  PlotForward();
}

}  // namespace qv
