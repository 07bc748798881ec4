// The View menu with its submenus, and the plot window's channel popup (menu 5).
#include <algorithm>

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
#include "core/kit.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "runtime/sound.h"
#include "datafiles/datafiles.h"
#include "output/commands.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "scripts/commands.h"
#include "core/script_state.h"

namespace qv::dispatch {

namespace {

void redrawView() {
  if (multiChannelView()) DrawALLCHANNELS(0);
  else DrawPlot(0, 0, 0, 1);
}

// Tool-bar buttons of the zoom.
void zoomButtons(bool zoomed) {
  if (!rt::windowExists(kToolBarWindow)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(kToolBarWindow);
  if (rt::controlExists(589)) rt::setControlShown(589, false);
  if (rt::controlExists(590)) {
    rt::setControlShown(590, zoomed);
    if (zoomed) rt::setButtonState(590, 1);
  }
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

void zoomIn() {
  const int f = TheFileInUse;
  // Without a block there is nothing to zoom to (the "+" key and the tool bar queue this too).
  if (!hasBlock() || EndBlock.inUse() < 1) return;
  FBMenu(kViewMenu, 7, 1);
  FBMenu(kViewMenu, 6, 0);
  FileSHORTS[f][6] = 1;
  zoomleft[f] = std::max<int32_t>(BeginBlock.inUse(), 1);
  zoomright[f] = std::min<int32_t>(EndBlock.inUse(), nCases[f]);
  if (zoomright[f] <= zoomleft[f]) zoomright[f] = std::min<int32_t>(zoomleft[f] + 1, nCases[f]);
  ZoomEffect();
  BeginBlock.inUse() = EndBlock.inUse() = 0;
  FileSHORTS[f][2] = 0;
  CLEARBLOCK();
  redrawView();
  RestoreTheToolBar();
  zoomButtons(true);
  PlotForward();
}

void zoomOut() {
  FBMenu(kViewMenu, 7, 0);
  FBMenu(kViewMenu, 6, 1);
  FileSHORTS[TheFileInUse][6] = 0;
  redrawView();
  RestoreTheToolBar();
  zoomButtons(false);
  PlotForward();
}

void markersButton(const char* title, bool enabled) {
  const int w = 1000 + TheFileInUse;
  if (!rt::controlExistsIn(w, 332)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(w);
  rt::setControlTitle(332, title);
  rt::setButtonState(332, enabled ? 1 : 0);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

// "Interpolation Marker Removal": asks before the markers of interpolated spans go.
void removeInterpolationMarkers() {
  const int f = TheFileInUse;
  WarningSpec s;
  s.window = 21;
  s.title = "Interpolation Marker Removal";
  s.heading = "Warning:  ";
  s.lines = {"this can't be undone."};
  s.buttons = {"Proceed Anyway", "Cancel"};
  s.defaultButton = 2;
  s.icon = 128;
  s.sound = "bzot.mp3";
  s.left = 100;
  s.top = 150;
  s.width = 376;
  if (ShowWarning(s) != 1) return;
  const int count = std::clamp<int>(FileSHORTS[f][5], 0, kMaxMarkers);
  for (int k = 1; k <= count; ++k) {
    if (MarkersArray[f][k][2] == 199 || MarkersArray[f][k][2] == 200) MarkersArray[f][k][1] = MarkersArray[f][k][2] = 0;
  }
  if (prefsArray[10] == 1) {
    RefreshSCREEN();
    DRAWMARKERS(0, 1);
  }
}

void toggleShowMarkers() {
  const int f = TheFileInUse;
  TogglePrefs(10);
  if (prefsArray[10] == 1) {
    PlotForward();
    FBMenu(kMarkersMenu, 1, 2);
    if (FileSHORTS[f][5] > 0) DRAWMARKERS(0, 1);
    markersButton("Hide Markers", true);
  } else {
    rt::closeWindow(3000 + f);
    RefreshSCREEN();
    FBMenu(kMarkersMenu, 1, 1);
    if (multiChannelView()) RefreshPLOTBLOCK(0);
    markersButton("Show Markers", true);
  }
}

void setScaleMode(int channel, int mode) {
  if (channel >= 1 && channel <= kMaxChannels) scalingFactorArray[channel][4] = float(mode);
}

}  // namespace

bool viewMenu(uint16_t item) {
  const int f = TheFileInUse;
  switch (item) {
    case 6: zoomIn(); return false;
    case 7: zoomOut(); return false;
    case 8:
      RefreshSCREEN();
      if (multiChannelView()) RefreshPLOTBLOCK(0);
      return false;
    case 9: OVERLAY(); return false;
    case 10:
      prefsArray[25] = 0;
      RefreshSCREEN();
      return false;
    case 12:
      MultiChannelDisplay(0);
      if (printblock && rt::controlExists(1)) rt::setButtonState(1, 1);
      return false;
    case 13:
      MultiChannelDisplay(1);
      if (nChannels[f] >= 2) FBMenu(kViewMenu, 9, 1);
      return false;
    case 15: {
      const int16_t changed = SETCOLORS();
      if (hasBlock()) DrawBLOCK();
      PlotForward();
      if (changed) {
        if (multiChannelView()) {
          DrawALLCHANNELS(0);
          RefreshPLOTBLOCK(0);
        } else {
          DrawPlot(0, 0, 0, 1);
        }
      }
      ClearWINDOW41();
      return false;
    }
    case 16:
      PlotAsHistogram = PlotAsHistogram ? 0 : 1;
      FBMenu(kViewMenu, 16, PlotAsHistogram ? 2 : 1);
      redrawView();
      return false;
    case 18:
      AllValues = AllValues ? 0 : 1;
      if (AllValues) {
        if (nCases[f] > 0) {
          SetUpAllValuesDisplay();
          DoALLVALUES(1);
        }
      } else {
        CloseValFields();
        RefreshSCREEN();
      }
      FBMenu(kViewMenu, 18, AllValues ? 2 : 1);
      return false;
    default: return false;
  }
}

bool markersMenu(uint16_t item) {
  switch (item) {
    case 1: toggleShowMarkers(); break;
    case 2: InsertMarker(); break;
    case 3: RemoveMarkersFromBlock(); break;
    case 4: removeInterpolationMarkers(); break;
    case 5: PrintMarkersToFile(); break;
    case 7: ShowNotes(); break;
    default: break;
  }
  if (FileSHORTS[TheFileInUse][5] == 0) markersButton("Show Markers", false);
  return false;
}

bool gridsMenu(uint16_t item) {
  playIfSoundsOn("longclick.mp3");
  switch (item) {
    case 1:
    case 2: {
      const int index = item == 1 ? 11 : 13;
      TogglePrefs(int16_t(index));
      RefreshSCREEN();
      FBMenu(kGridsMenu, int16_t(item), prefsArray[index] ? 2 : 1);
      break;
    }
    case 4:
      TogglePrefs(12);
      FBMenu(kGridsMenu, 4, prefsArray[12] ? 2 : 1);
      if (prefsArray[12]) FBMenu(kGridsMenu, 5, 1);
      RefreshSCREEN();
      break;
    case 5:
      TogglePrefs(19);
      FBMenu(kGridsMenu, 5, prefsArray[19] ? 2 : 1);
      if (prefsArray[19]) FBMenu(kGridsMenu, 4, 1);
      RefreshSCREEN();
      break;
    default: break;
  }
  return false;
}

bool scalingActiveMenu(uint16_t item) {
  if (item < 1 || item > 6) return false;
  for (int16_t i = 1; i <= 6; ++i) FBMenu(kScalingActiveMenu, i, 1);
  FBMenu(kScalingActiveMenu, int16_t(item), 2);
  if (item <= 3) {
    setScaleMode(ActiveChannel, item - 1);
    DrawAllScaleMode = int16_t(item - 1);
    ScaleChangeREDRAW(ActiveChannel);
  } else if (item == 5) {
    MANUALSCALING();
  } else if (item == 6) {
    ScaleGRAPHIC();
  }
  return false;
}

bool scalingAllMenu(uint16_t item) {
  if (item < 1 || item > 3) return false;
  for (int16_t i = 1; i <= 3; ++i) FBMenu(kScalingAllMenu, i, 1);
  FBMenu(kScalingAllMenu, int16_t(item), 2);
  for (int c = 1; c <= nChannels[TheFileInUse]; ++c) setScaleMode(c, item - 1);
  DrawAllScaleMode = int16_t(item - 1);
  ScaleChangeREDRAW(0);
  return false;
}

bool commentsBlocksMenu(uint16_t item) {
  playIfSoundsOn("longclick.mp3");
  if (item == 1) {
    TogglePrefs(2);
    if (prefsArray[2]) {
      FBMenu(kCommentsBlocksMenu, 1, 1);
      upvip();
    } else {
      FBMenu(kCommentsBlocksMenu, 1, 2);
      downvip();
    }
  } else if (item == 2) {
    TogglePrefs(20);
    if (prefsArray[20]) {
      FBMenu(kCommentsBlocksMenu, 2, 2);
      upvip();
    } else {
      FBMenu(kCommentsBlocksMenu, 2, 1);
      downvip();
      rt::closeWindow(2002);
    }
  } else {
    return false;
  }
  OPENBLOCKWINDOW();
  if (hasBlock()) DrawBLOCK();
  DRAWCOMMENTS();
  if (item == 1 && prefsArray[2]) rt::closeWindow(3);
  PlotForward();
  return false;
}

bool significantDigitsMenu(uint16_t item) {
  if (item < 1 || item > 5) return false;
  rt::playSound("click.mp3");
  SignificantFigures = int16_t(item + 3);
  for (int16_t i = 1; i <= 5; ++i) FBMenu(kSignificantDigitsMenu, i, 1);
  FBMenu(kSignificantDigitsMenu, int16_t(item), 2);
  return false;
}

bool channelPopup(uint16_t item) {
  const int f = TheFileInUse;
  old = ActiveChannel;
  const bool overlayPick = rt::optionKeyDown() || OverlayColor[0].red == 1;
  const int n = nChannels[f];
  if (!overlayPick) {
    if (item >= 1 && int(item) <= n) {
      ActiveChannel = int16_t(item);
      RecordScriptStep(1, {float(item)});
      if (multiChannelView()) wssst();
    }
    if (multiChannelView()) MultiChannelIndicator();
    if (ActiveChannel != old) DrawNewChan(1);
    return false;
  }
  for (int c = 1; c <= n; ++c) OverlayArray[f][42 + c] = 0;
  if (item >= 1 && int(item) <= n) OverlayArray[f][42 + item] = 1;
  ChannelSelectControlFlag = -99;
  const int16_t savedMode = DrawAllScaleMode;
  DrawAllScaleMode = 0;
  DrawOVERLAY();
  DrawAllScaleMode = savedMode;
  FindMinMax();
  rt::colorNumber(7);
  EndBeep();
  PlotForward();
  return false;
}

}  // namespace qv::dispatch
