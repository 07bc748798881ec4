// Script menu "View Script...": window 200, "Script Sequence", the steps of the script in
// memory with a "Change..." button each, the automatic-run switch and printing.
#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/menus.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"
#include "scripts/script_view.h"

namespace qv {

namespace {

constexpr int kClose = 246, kAutomaticRun = 247, kPrint = 248;
constexpr int kViewLeft = 20, kViewTop = 47, kViewWidth = 730;

// The run items become available; a run mode already checked stays checked.
void enableRunItems() {
  for (int16_t item : {8, 9})
    if (rt::menuExists(kScriptMenu) && rt::menuItemState(kScriptMenu, item) == 0) FBMenu(kScriptMenu, item, 1);
}

int lastListedStep() {
  for (int k = kMostScriptSteps; k >= 1; --k)
    if (stepIsListed(k)) return k;
  return 0;
}

void headings() {
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  PrintAt(67, 13, "step    operation");
  PrintAt(248, 13, "channel");
  PrintAt(315, 13, "transform");
  PrintAt(410, 13, "'a' value");
  PrintAt(510, 13, "'b' value");
  PrintAt(610, 13, "exponent");
  rt::penNormal();
  rt::moveTo(64, 16);
  rt::lineTo(721, 16);
}

void rowFurniture(int16_t k) {
  rt::FBButton(k, 1, "Change...", {5, 12 * k + 4, 63, 12 * k + 16}, 1);
  rt::setEditFont(k, KestrixFont, 9, 0);
  rt::foreColor(RGBblack);
  rt::moveTo(64, 12 * k + 16);
  rt::lineTo(304, 12 * k + 16);
  rt::foreColor(darkGray);
  rt::lineTo(715, 12 * k + 16);
  rt::foreColor(RGBblack);
}

void showDeleted(int16_t k) {
  for (int id : {kMainValueField, kValueAField, kValueBField, kExponentField}) rt::removeControl(id + k);
  rt::eraseRect({90, 12 * k + 4, 715, 12 * k + 16});
  EFForeColor = 2;
  EFBackColor = 7;
  buildef(0, int16_t(kDeletedNoticeField + k), "  **  THIS STEP HAS BEEN DELETED  **", 95, int16_t(12 * k + 4), 304,
          int16_t(12 * k + 16), 7, 0);
  rt::setEditFont(kDeletedNoticeField + k, KestrixFont, 9, 1);
}

void redrawRow(int16_t k) {
  if (stepCode(k) == kStepDeleted) {
    showDeleted(k);
    return;
  }
  rt::eraseRect({90, 12 * k + 4, 715, 12 * k + 16});
  WriteTheScriptData(k, int16_t(12 * k), 7, RowUse::List);
}

void buildViewWindow() {
  const int height = std::max(200, 60 + 12 * lastListedStep());
  BuildWINDOW(kScriptViewWindow, "Script Sequence", kViewLeft, kViewTop, kViewLeft + kViewWidth, int16_t(kViewTop + height),
              6);
  wssst();
  DisplayScript();
  for (int16_t k = 1; k <= kMostScriptSteps; ++k)
    if (stepIsListed(k)) rowFurniture(k);
  rt::FBButton(kAutomaticRun, autoscript == 1 ? 2 : 1, "Automatic Run", {20, height - 32, 160, height - 12}, 2);
  rt::FBButton(kPrint, 1, "Print", {kViewWidth - 220, height - 32, kViewWidth - 130, height - 12}, 1);
  rt::FBButton(kClose, 1, "Close", {kViewWidth - 110, height - 32, kViewWidth - 20, height - 12}, 4);
}

}  // namespace

void DisplayScript() {
  rt::setCursor(rt::Cursor::Wait);
  headings();
  for (int16_t k = 1; k <= kMostScriptSteps; ++k) WriteTheScriptData(k, int16_t(12 * k), 7, RowUse::List);
  enableRunItems();
  rt::setCursor(rt::Cursor::Arrow);
}

void VIEWSCRIPT() {
  SavedHandlers saved;
  rt::closeWindow(kScriptViewWindow);
  const int f = TheFileInUse;
  if (slotIsOpen(f) && rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  HideTheToolBar();
  buildViewWindow();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kClose) || a == 16 || (a == 4 && id == kScriptViewWindow) ||
        (a == 3 && id != kScriptViewWindow))
      break;
    if (a != 1) continue;
    if (id >= 1 && id <= kMostScriptSteps) {
      const bool changed = EditScriptStep(int16_t(id));
      rt::setOutputWindow(kScriptViewWindow);
      installModalHandlers();
      if (changed) redrawRow(int16_t(id));
    } else if (id == kAutomaticRun) {
      autoscript = autoscript == 1 ? 0 : 1;
      rt::setControlValue(kAutomaticRun, autoscript);
    } else if (id == kPrint) {
      PrintScript();
      rt::setOutputWindow(kScriptViewWindow);
    }
  }
  EndBeep();
  rt::closeWindow(kScriptViewWindow);
  RestoreTheToolBar();
}

}  // namespace qv
