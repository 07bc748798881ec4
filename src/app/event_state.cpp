#include "core/event_state.h"

#include "app/chooser.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

void bringForwardIfOpen(int w) {
  if (rt::windowExists(w)) rt::bringWindowForward(w);
}

// A plot window of the file in use exists and is in front.
bool plotWindowInFront() { return TheFileInUse >= 0 && rt::frontWindow() == 1000 + TheFileInUse; }

}  // namespace

void DoDIALOG() {
  const int kind = rt::dialogKind();
  const int id = rt::dialogId();
  action = int16_t(kind);
  eventID = int16_t(id);
  if (!(kind == 19 && id == 1)) EditFieldWasSelected = 0;

  switch (kind) {
    case 1:
      if (id != 150 && id != kPlotSlider) Click();
      if (id == 333 && TheFileInUse >= 0)
        for (int i = 1; i <= nChannels[TheFileInUse]; ++i) rt::menuSetItemState(333, i, 1);
      if (id == kPlotSlider && plotWindowInFront()) SliderEvent = 1;
      break;
    case 3:
    case 18:
      action = 3;
      BlockWindowWasMoved = id == 2 ? 1 : 0;
      if (id >= 50 && id <= 66) {
        rt::closeWindow(id);
        action = 55;
        eventID = 0;
      }
      break;
    case 4:
      // The help window is closed wherever its close box is clicked; no loop waits for it.
      if (id == kHelpWindow) {
        rt::closeWindow(id);
        action = eventID = 0;
        break;
      }
      if (id >= 50 && id <= 66) {
        rt::closeWindow(id);
        action = 55;
        eventID = 0;
      }
      break;
    case 5:
      EditFieldWasSelected = 0;
      action = eventID = 0;
      break;
    case 6:
    case 7:
    case 16:
      break;
    case 19:
      if (id == 1) {
        QV_ProcessSelected = 1;
        bringForwardIfOpen(3);
        bringForwardIfOpen(2);
        if (TheFileInUse >= 0) bringForwardIfOpen(1000 + TheFileInUse);
        bringForwardIfOpen(4);
        bringForwardIfOpen(CurrentlyActiveWindow);
      } else if (rt::windowExists(776)) {
        rt::hideWindow(776);
      }
      action = eventID = 0;
      return;
    case 20:
      if (id >= 51 && id <= 66) action = eventID = 0;
      break;
    case 21:
      prefsArray[79] = int16_t(id);
      action = eventID = 0;
      break;
    case 22:
      if (id == 3) WindowHasMoved = 1;
      action = eventID = 0;
      break;
    case 29:
      prefsArray[79] = -99;
      action = eventID = 0;
      break;
    case 30:
      ResizeBlockWIndow = ResizeMainWindow = ToolBarHasBeenResized = 0;
      if (TheFileInUse < 0) TheFileInUse = 0;
      if (id == 1000 + TheFileInUse) ResizeMainWindow = WindowHasBeenResized = 1;
      if (id == 2 && FileSHORTS[TheFileInUse][2] == 2) WindowHasBeenResized = ResizeBlockWIndow = 1;
      if (id == kToolBarWindow) WindowHasBeenResized = ToolBarHasBeenResized = 1;
      action = eventID = 0;
      WindowHasMoved = 0;
      break;
    default:
      action = eventID = 0;
      break;
  }
  if (WindowHasMoved && BlockWindowWasMoved == 1) WindowHasMoved = 0;
}

void CHECKRETURN() {
  switch (rt::editKeyCode()) {
    case 13:
    case 3:
      action = 16;
      rt::rejectEditKey();
      break;
    case 9:
      action = 7;
      rt::rejectEditKey();
      break;
    case 30:
    case 31: rt::rejectEditKey(); break;
    case 32: action = -990; break;
    default: break;
  }
}

void CALCCHECKRETURN() {
  MathOperation = 0;
  switch (rt::editKeyCode()) {
    case 13:
    case 3:
      action = 16;
      rt::rejectEditKey();
      break;
    case '+': MathOperation = 1, rt::rejectEditKey(); break;
    case '_': MathOperation = 2, rt::rejectEditKey(); break;
    case '*': MathOperation = 3, rt::rejectEditKey(); break;
    case '/': MathOperation = 4, rt::rejectEditKey(); break;
    case '^': MathOperation = 5, rt::rejectEditKey(); break;
    default: break;
  }
}

void noMENU() {
  const int menu = rt::menuNumber(), item = rt::menuItemNumber();
  MenuIDENTIFIER = int16_t(menu);
  MenuItem = int16_t(item);
  if (menu == 1 || menu == 2) {
    if (menu == 1 && item == 6) {
      action = 1;
      eventID = -99;
    } else if ((menu == 1 && item == 21)) {
      // Quitting from inside a tool would skip the unsaved-changes check: remember the
      // request; the main loop takes the Quit road once the tool has returned.
      gQuitPending = true;
    } else if (menu == 2 && item == 37) {
      prefsArray[64] = 3;
      rt::FlushEvents();
    }
    return;
  }
  if (menu == 0 && item == 11) {
    gQuitPending = true;
    return;
  }
  rt::FlushEvents();
}

void noMOUSE() {
  rt::FlushEvents();
  action = eventID = 0;
}

void DoMouse() {
  action = -999;
  eventID = int16_t(rt::mouseClickCount());
}

void HandleFileError() { rt::setFileError(0); }

namespace {

bool fileHasBlock() { return TheFileInUse >= 0 && FileSHORTS[TheFileInUse][2] == 2; }

void set(int16_t menu, int16_t item) {
  MenuIDENTIFIER = menu;
  MenuItem = item;
}

void blockOnly(int16_t menu, int16_t item) {
  if (fileHasBlock()) set(menu, item);
}

// The open, append and stack buttons ask for the file type first.
void chooseAndOpen(int16_t id) {
  MergeThisFile = id == 563 ? 0 : 1;
  if (id != 563) appendONLY = 1;
  if (id == 596) stackONLY = 1;
  SelectFileTYPE(0, 120, int16_t(BottomOfPlotArea - 90), 0, 0);
  const int t = TypeOfFile;
  if (id == 563) {
    if (t == 1 || t == 5) set(1, 1);
    else if (t == 3) set(74, 2);
    else if (t == 4) set(74, 3);
    else if (t == 7) set(74, 1);
    else set(0, 0);
    return;
  }
  if (t == 1 || t == 5) MenuIDENTIFIER = 1;
  else if (t == 4) set(75, 2);
  else if (id == 596 && t == 7) set(75, 3);
  else MergeThisFile = 0;
}

void toggleCompressedView() {
  const int f = TheFileInUse;
  if (f < 0) return;
  if (FileSHORTS[f][6]) {
    FileSHORTS[f][6] = 0;
    FileSHORTS[f][4] = 0;
    DrawPlot(0, 0, 0, 0);
    return;
  }
  if (nCases[f] <= ScreenWidth) return;
  if (FileSHORTS[f][4]) {
    FileSHORTS[f][4] = 0;
    DrawPlot(0, 0, 0, 0);
    BaseLineButton = 1;
  } else {
    FileSHORTS[f][4] = 1;
    if (FileSHORTS[f][7]) DrawALLCHANNELS(0);
    else DrawPlot(0, 0, 0, 0);
  }
}

}  // namespace

void SetMenuButton(int16_t id) {
  if (prefsArray[7]) rt::playSound("click.mp3");
  switch (id) {
    case 551: set(2, 11); break;
    case 552: set(2, 18); break;
    case 553: set(2, 12); break;
    case 554: set(2, 13); break;
    case 555: set(2, 14); break;
    case 556: set(2, 16); break;
    case 557: set(2, 17); break;
    case 558: set(2, 38); break;
    case 559: set(76, 1); break;
    case 560: set(76, 2); break;
    case 561: set(76, 5); break;
    case 562: set(2, 22); break;
    case 563:
    case 564:
    case 596: chooseAndOpen(id); break;
    case 565: blockOnly(3, 1); break;
    case 566: blockOnly(3, 2); break;
    case 567: blockOnly(3, 3); break;
    case 568: blockOnly(3, 6); break;
    case 569: blockOnly(3, 15); break;
    case 570: blockOnly(3, 17); break;
    case 571: blockOnly(3, 18); break;
    case 572: blockOnly(3, 11); break;
    case 573: blockOnly(103, 1); break;
    case 574: blockOnly(3, 16); break;
    case 575: blockOnly(3, 20); break;
    case 576: blockOnly(3, 21); break;
    case 577: set(71, 3); break;
    case 578: set(71, 2); break;
    case 579: set(71, 6); break;
    case 580: set(4, 8); break;
    case 581: set(4, 9); break;
    case 582: set(4, 12); break;
    case 583: set(81, 1); break;
    case 584: set(77, 2); break;
    case 585: set(1, 7); break;
    case 586: set(1, 6); break;
    case 587: set(2, 31); break;
    case 588: toggleCompressedView(); return;
    case 589: set(4, 6); break;
    case 135: break;
    default: break;
  }
  menuidx = MenuIDENTIFIER;
  menuitemx = MenuItem;
}

void installModalHandlers() {
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Edit, CHECKRETURN);
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
}

void waitForAction() {
  do {
    rt::FBHandleEvents();
  } while (action == 0);
}

TakenAction takeAction() {
  waitForAction();
  const TakenAction taken{action, eventID};
  action = eventID = 0;
  return taken;
}

bool waitForActionOrQuit() {
  do {
    rt::FBHandleEvents();
  } while (action == 0 && !gQuitPending);
  return !gQuitPending;
}

}  // namespace qv
