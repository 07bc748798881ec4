// View > Overlay: which channels are drawn over the active one, and how.
#include "core/channel_selection.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/shell_hooks.h"
#include "core/sounds.h"
#include "core/open_rules.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

int16_t showcolorlegend = 0;

namespace {

constexpr int kOptionsWindow = 14, kChannelWindow = 10, kResults = 4;
enum OverlayOption { kThisPlotOnly = 1, kAllPlots, kDashed, kLegend, kSelectionOK };

void buildOptionsWindow() {
  const rt::Rect p = rt::windowContentRect(plot::kPlotWindowBase + TheFileInUse);
  BuildWINDOW(kOptionsWindow, "Overlay Lines and Persistance", int16_t(p.left + 80), int16_t(p.top + 80),
              int16_t(p.left + 380), int16_t(p.top + 250), 6);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kThisPlotOnly, prefsArray[25] ? 1 : 2, "Overlay on This Plot Only", {20, 14, 280, 34}, 3);
  rt::FBButton(kAllPlots, prefsArray[25] ? 2 : 1, "Overlay on All Subsequent Plots", {20, 40, 280, 60}, 3);
  rt::FBButton(kDashed, prefsArray[15] ? 2 : 1, "Use Dashed Overlay Lines", {20, 74, 280, 94}, 2);
  rt::FBButton(kLegend, showcolorlegend ? 2 : 1, "Display Color Legend", {20, 100, 280, 120}, 2);
  rt::FBButton(kSelectionOK, 1, "Selection OK", {150, 136, 280, 160}, 4);
}

void runOptionsWindow() {
  SavedHandlers handlers;
  installModalHandlers();
  action = eventID = 0;
  buildOptionsWindow();
  for (bool done = false; !done;) {
    const auto [a, id] = takeAction();
    if (a == 1 && (id == kThisPlotOnly || id == kAllPlots)) {
      prefsArray[25] = id == kAllPlots ? 1 : 0;
      rt::setButtonStateIn(kOptionsWindow, kThisPlotOnly, prefsArray[25] ? 1 : 2);
      rt::setButtonStateIn(kOptionsWindow, kAllPlots, prefsArray[25] ? 2 : 1);
    } else if (a == 1 && id == kDashed) {
      TogglePrefs(15);
    } else if (a == 1 && id == kLegend) {
      showcolorlegend = showcolorlegend ? 0 : 1;
    } else if ((a == 1 && id == kSelectionOK) || a == 16 || (a == 3 && id != kOptionsWindow) ||
               (a == 4 && id == kOptionsWindow)) {
      done = true;
    }
  }
  rt::closeWindow(kOptionsWindow);
}

}  // namespace

void OVERLAY() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  const int16_t savedMode = ScaleMode;
  ChannelSelectControlFlag = -99;
  HideTheToolBar();
  const int16_t result = SELECTCHANNELS("Overlay Channel Selection", ActiveChannel, kSelectNone, 0, kModeOverlay);
  RestoreTheToolBar();
  if (result == kSelectionCleared) {
    rt::closeWindow(kChannelWindow);
    rt::closeWindow(kResults);
    prefsArray[25] = 0;
    RefreshSCREEN();
  } else {
    rt::closeWindow(kOptionsWindow);
    if (!CustomOverlay) {
      prefsArray[15] = 1;
      showcolorlegend = 0;
      prefsArray[25] = 1;
    } else {
      runOptionsWindow();
      if (showcolorlegend) hooks::call(hooks::fileInfo, "", "", "", int16_t(0));
    }
    if (FileSHORTS[f][kViewModeWord] != 0) {
      RefreshSCREEN();
    } else {
    // A fresh picture first: channels taken out of the overlay must not stay drawn.
    DrawPlot(1, 0, 0, 1);
    DrawOVERLAY();
    }
  }
  ScaleMode = savedMode;
  FindMinMax();
  action = eventID = 0;
  rt::FlushEvents();
  rt::penNormal();
  rt::foreColor({0, 0, 0});
  EndBeep();
  PlotForward();
}

}  // namespace qv
