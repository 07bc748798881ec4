#include "app/main_loop.h"

#include "core/colors.h"
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/menu_state.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatch_internal.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "datafiles/datafiles.h"
#include "editing/commands.h"
#include "output/commands.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_state.h"

namespace qv {

namespace {

constexpr int kFirstPlotWindow = 1000, kLastPlotWindow = 1019;

int gLastPlotWindowSeen = 0;

bool isPlotWindow(int w) { return w >= kFirstPlotWindow && w <= kLastPlotWindow; }
int plotWindowOf(int slot) { return kFirstPlotWindow + slot; }
bool blockSet(int f) { return FileSHORTS[f][2] == 2; }

// Plot windows show the menu bar, whoever built them.
void menuBarOnPlotWindows() {
  for (int w = kFirstPlotWindow; w <= kLastPlotWindow; ++w)
    if (rt::windowExists(w) && !rt::windowHasMenuBar(w)) rt::windowShowsMenuBar(w, true);
}

void clearOverlayFlags(int f) {
  for (int c = 1; c <= kMaxChannels; ++c) OverlayArray[f][42 + c] = 0;
}

void redrawToolBarIfLocked() {
  if (prefsArray[30] && prefsArray[33] > 0) ToolBar();
}

// Polls until the plot window of the file in use is clicked (or `alsoEnds` says to stop).
template <class F>
void pollUntilPlotClicked(int f, F alsoEnds) {
  action = eventID = 0;
  for (;;) {
    rt::FBHandleEvents();
    if (action == 3 && eventID == plotWindowOf(f)) break;
    if (!rt::windowExists(plotWindowOf(f)) || alsoEnds()) break;
    if (action != 0) action = eventID = 0;
  }
  action = eventID = 0;
}

void settleEvents() {
  while (rt::eventsPending()) rt::refreshPump();
}

void backToPlot(int f) {
  rt::FlushEvents();
  PlotForward();
  rt::setWindowMinSize(plotWindowOf(f), 640, 240);
}

void blockInstructionsClicked(int f) {
  settleEvents();
  rt::bringWindowForward(2002);
  rt::setWindowMinSize(2002, 300, 120);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  pollUntilPlotClicked(f, [] {
    if (action == 4 && eventID == 2002) {
      rt::closeWindow(2002);
      prefsArray[20] = 0;
      FBMenu(kCommentsBlocksMenu, 2, 1);
      return true;
    }
    return !rt::windowExists(2002);
  });
  backToPlot(f);
}

void blockWindowClicked(int f) {
  settleEvents();
  if (!blockSet(f)) {
    SWITCHtoWINDOW2();
    OPENBLOCKWINDOW();
    return;
  }
  rt::bringWindowForward(2);
  rt::setWindowMinSize(2, 300, 120);
  pollUntilPlotClicked(f, [] {
    if (ResizeBlockWIndow) {
      const rt::Rect r = rt::windowContentRect(2);
      const int saved = rt::outputWindow();
      rt::setOutputWindow(2);
      BlockWindowBottom = int16_t(r.height() - rt::windowFunction(11));
      BlockWindowRight = int16_t(r.width() - rt::windowFunction(10));
      rt::setOutputWindow(saved);
      ScreenHeight = int16_t(r.height() + BottomOfPlotArea + 20);
      DrawBLOCK();
      ResizeBlockWIndow = WindowHasBeenResized = 0;
    }
    if (action == 4 && eventID == 2) {
      rt::closeWindow(2);
      return true;
    }
    return !rt::windowExists(2);
  });
  backToPlot(f);
}

void plotWindowClicked(int w) {
  const int16_t slot = int16_t(w - kFirstPlotWindow);
  if (nCases[slot] <= 0 || nChannels[slot] <= 0) return;
  if (rt::windowExists(kChannelPickerWindow)) rt::hideWindow(kChannelPickerWindow);
  dispatch::switchFileInUse(slot);
  rt::bringWindowForward(w);
  ActiveChannel = dispatch::rememberedChannel(slot);
  MakeChannelSelectionsPopUp();
  if (blockSet(slot)) DrawBLOCK();
  redrawToolBarIfLocked();
  DRAWCOMMENTS();
  if (FileSHORTS[slot][7]) MultiChannelChanSelectWindow(1);
  SETMENU(1);
}

// Step 6: a window moved, or a click in one of the program's windows.
void windowEvents(int f) {
  if (WindowHasMoved) {
    redrawToolBarIfLocked();
    FixTheCommentsWindow();
    DRAWMARKERS(0, 1);
    if (blockSet(f)) {
      OPENBLOCKWINDOW();
      DrawBLOCK();
      rt::FlushEvents();
    }
    WindowHasMoved = action = eventID = 0;
    return;
  }
  if (action != 3) return;
  const int w = eventID;
  if (w == 4 || w == 6) {
    pollUntilPlotClicked(f, [w] {
      if (action == 4 && eventID == w) {
        rt::closeWindow(w);
        return true;
      }
      return !rt::windowExists(w);
    });
    PlotForward();
  } else if (w == 41) {
    OpenHelpBook();
  } else if (w == 2002) {
    blockInstructionsClicked(f);
  } else if (w == 2) {
    blockWindowClicked(f);
  } else if (w == 3) {
    FixCOMMENTS(0);
    rt::FlushEvents();
    action = eventID = 0;
  } else if (isPlotWindow(w)) {
    plotWindowClicked(w);
  }
}

// Step 4: a channel chosen in the plot window's popup.
void channelPopupPicked(int f) {
  const int w = plotWindowOf(f);
  old = ActiveChannel;
  const int n = rt::controlValueIn(w, 333);
  if (rt::controlExistsIn(w, 333)) {
    const int saved = rt::outputWindow();
    rt::setOutputWindow(w);
    rt::setControlTitle(333, (ScreenWidth >= 996 ? "Channel" : "Chan") + rt::PSstrLong(n));
    if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  }
  DoMENU(kChannelPopupMenu, uint16_t(n));
  action = eventID = 0;
  if (FileSHORTS[f][7]) MakeChannelSelectionsPopUp();
}

// Step 10: close boxes of the program's windows.
void closeBoxes() {
  if (action != 4) return;
  const int w = eventID;
  if (w == kToolBarWindow) {
    prefsArray[33] = int16_t(prefsArray[33] >= 2 ? 0 : prefsArray[33] + 1);
    ToolBar();
  } else if (w == 1202 || w == 515 || w == 4 || w == 6 || w == 444 || w == 2) {
    rt::closeWindow(w);
  } else if (isPlotWindow(w)) {
    CloseThisPlotWindow(int16_t(w - kFirstPlotWindow));
    if (TheFileInUse >= 0) ActiveChannel = dispatch::rememberedChannel(TheFileInUse);
  }
}

// Step 11: resizes, note buttons, the markers button and the overlay's remove button.
void resizesAndButtons(int f) {
  if (ResizeBlockWIndow || WindowHasBeenResized || ResizeMainWindow) {
    if (ResizeBlockWIndow == 1 && blockSet(f)) DrawBLOCK();
    if (WindowHasBeenResized && ResizeMainWindow) ResizeTheMainWindow(1);
    if (ToolBarHasBeenResized == 1) {
      RestoreTheToolBar();
      const rt::Rect r = rt::windowContentRect(kToolBarWindow);
      // A bar made taller than wide is the vertical bar; a wide one keeps its place below or above.
      if (r.height() > r.width()) prefsArray[33] = 0;
      else if (prefsArray[33] == 0) prefsArray[33] = 1;
      DRAWTOOLS();
    }
    ResizeBlockWIndow = WindowHasBeenResized = ResizeMainWindow = ToolBarHasBeenResized = 0;
    return;
  }
  if (action != 1) return;
  if (isNoteButton(eventID)) {
    ShowOnLineNOTE(int16_t(eventID - kFirstNoteButton + 1));
  } else if (eventID == 332) {
    DoMENU(kMarkersMenu, 1);
  } else if (eventID == 444) {
    const int w = plotWindowOf(f);
    if (rt::controlExistsIn(w, 444)) {
      const int saved = rt::outputWindow();
      rt::setOutputWindow(w);
      rt::removeControl(444);
      if (rt::windowExists(saved)) rt::setOutputWindow(saved);
    }
    clearOverlayFlags(f);
    RefreshSCREEN();
  }
}

// Step 13: a button of the multi-channel selector window.
void multiChannelSelector(int f) {
  const int c = MultiChanSelectorButtonClicked - 600;
  MultiChanSelectorButtonClicked = 0;
  if (c == ActiveChannel) {
    FileSHORTS[f][7] = 0;
    rt::closeWindow(kChannelPickerWindow);
    clearOverlayFlags(f);
    LastBottom = BottomOfPlotArea;
    RefreshSCREEN();
  } else if (c >= 1 && c <= nChannels[f]) {
    old = ActiveChannel;
    DoMENU(kChannelPopupMenu, uint16_t(c));
    ActiveChannel = int16_t(c);
    ActiveChannelArray[f] = int16_t(c);
    PlotForward();
    MakeChannelSelectionsPopUp();
  }
}

// Step 15: a document handed over by the desktop while the program runs.
// The documents waited while a tool window ran; the open road asks for room itself.
void documentClicked() {
  FileHasBeenClicked = 0;
  if (FileIconWasClicked > 0) {
    OpenHandedOverDocuments();
    FIxWINDOWSmenu();
  }
  FileIconWasClicked = 0;
}

// Step 18: keys that act whatever the event kind.
bool firstKeys(int f) {
  switch (eventID) {
    case 13:
    case 32:
      if (FileSHORTS[f][6]) DoMENU(kViewMenu, 7);
      popresult = 0;
      PlotDialogMode = 2;
      HandlePlotDIALOG();
      for (int i = 0; i < 5; ++i) rt::refreshPump();
      action = eventID = 0;
      return true;
    case 27:
      if (!popresult) CLEARBLOCK();
      break;
    case 28:
    case 29:
      PlotDialogMode = 2;
      HandlePlotDIALOG();
      break;
    case 83:
    case 115: SCREENIMAGE(1); break;
    default: break;
  }
  return false;
}

}  // namespace

void ResetMainLoop() { gLastPlotWindowSeen = 0; }

void FollowFrontPlotWindow() {
  const int front = rt::frontWindow();
  if (!isPlotWindow(front) || front == gLastPlotWindowSeen) return;
  const int16_t slot = int16_t(front - kFirstPlotWindow);
  if (nCases[slot] <= 0 || nChannels[slot] <= 0) return;
  dispatch::switchFileInUse(slot);
  WindowsMenuCheckmark(int16_t(front - 999));
  chanB = FileSHORTS[slot][14] >= 1 ? FileSHORTS[slot][14] : 1;
  ActiveChannel = dispatch::rememberedChannel(slot);
  ComputePlotFactors(0);
  if (blockSet(slot)) DrawBLOCK();
  else BlockInstructionsWindow();
  gLastPlotWindowSeen = front;
}

namespace {

void passSteps() {
  // 1. Events, once. A pick a tool window left behind is served first (step 8): a pass that
  // took the next event before it would hand that event to the main window, not to the
  // window the pick opens.
  if (MENU_or_ToolBar_PICKED) action = eventID = 0;
  else rt::FBHandleEvents();
  // Preferences chosen in a tool window is a request that only the file-type chooser acts on;
  // back here no chooser waits for it, and a later chooser must not find it.
  prefsArray[64] = 0;
  FBMenu(kSpecialMenu, 17, 1);
  // Quit chosen while a tool window was up takes the Quit road now that the tool returned.
  if (gQuitPending) DoMENU(kFileMenu, 21);
  menuBarOnPlotWindows();
  const int f = TheFileInUse;
  const bool plotBuilt = f >= 0 && f < 20 && FileSHORTS[f][3] != 0;
  if (plotBuilt) {
    // 3. Front-window follow.
    FollowFrontPlotWindow();
    const int g = TheFileInUse;
    // 4. Channel popup; 5. block window closed; 6. window events.
    if (action == 1 && eventID == 333) channelPopupPicked(g);
    if (action == 4 && eventID == 2) {
      prefsArray[20] = 1;
      FBMenu(kCommentsBlocksMenu, 2, 1);
      rt::closeWindow(2);
    }
    windowEvents(g);
    // 7. Page and pointer.
    TrackPointer();
  }
  // 8. Queued commands, the menu handler, a script waiting for a file just loaded.
  const int g = TheFileInUse;
  rt::backColor(gray);
  if (MENU_or_ToolBar_PICKED) DoMENU(menuidx, uint16_t(menuitemx));
  if (MenuIDENTIFIER >= 1 && MenuIDENTIFIER <= 20) eventID = MenuIDENTIFIER;
  rt::setHandler(rt::Vector::Menu, HANDLEMENU);
  if (FileJustLoaded == 1 && RunScript == 1 && !ScriptReplayRunning()) {
    if (ScriptRunOnce == 0 && g >= 0) InitialNumberOfScriptOperationChannels = nChannels[g];
    // The script runs once on the file just loaded; a file it opens raises the flag again.
    FileJustLoaded = 0;
    DOSCRIPT();
  }
  if (g >= 0 && g < 20 && FileSHORTS[g][7] != 2 && rt::windowExists(plotWindowOf(g))) rt::setOutputWindow(plotWindowOf(g));
  // 9. The dialog handler.
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  if (g < 0 || g >= 20) {
    action = eventID = 0;
    return;
  }
  // 10 to 16.
  closeBoxes();
  resizesAndButtons(TheFileInUse);
  if (ChangeBlockButtonClicked) {
    BLOCKSET();
    ChangeBlockButtonClicked = 0;
  }
  if (MultiChanSelectorButtonClicked) multiChannelSelector(TheFileInUse);
  if (action == 1) {
    PlotDialogMode = 0;
    HandlePlotDIALOG();
    action = eventID = 0;
    // A picker button is served in the pass that took it: the next click on the plot finds
    // the new channel drawn and the plot window in front.
    if (MultiChanSelectorButtonClicked) multiChannelSelector(TheFileInUse);
  } else if (action == 4 && eventID == kChannelPickerWindow) {
    MultiChanSelectorWindow = MultiChanSelectorWindow ? 0 : 1;
    MultiChannelChanSelectWindow(0);
  }
  if (FileHasBeenClicked) documentClicked();
  if (SliderEvent) {
    HandlePlotDIALOG();
    SliderEvent = 0;
  }
  // 17. A command queued by a button.
  if (MenuIDENTIFIER != 0) {
    DoMENU(MenuIDENTIFIER, uint16_t(MenuItem));
    LastHorizPosition = -2000;
  }
  // 18, 19. Keys.
  if (TheFileInUse < 0 || TheFileInUse >= 20) {
    action = eventID = 0;
    return;
  }
  if (firstKeys(TheFileInUse)) return;
  if (action == 16) MainLoopKeys();
  action = eventID = 0;
}

}  // namespace

void MainLoopPass() {
  passSteps();
  // A tool window run by a key, a button or a queued command later in the pass saw Quit:
  // it has returned, so the Quit road is taken now rather than after the user's next event.
  if (gQuitPending) DoMENU(kFileMenu, 21);
}

void MainProgramLoop() {
  for (;;) MainLoopPass();
}

}  // namespace qv
