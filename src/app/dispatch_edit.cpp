// The Edit menu with its submenus Respirometry, Compact & Average and Change or Remove.
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatch_internal.h"
#include "app/dispatcher.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafiles.h"
#include "editing/commands.h"
#include "output/commands.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "runtime/windows.h"
#include "transforms/commands.h"

namespace qv::dispatch {

namespace {

void showBlockDuration(int32_t cases) {
  const int f = TheFileInUse;
  const int w = 1000 + f;
  if (rt::controlExistsIn(w, 17)) rt::setEditTextIn(w, 17, DurationText(double(cases) * FileInfoFLOATS[f][1]));
}

void selectAll() {
  const int f = TheFileInUse;
  if (rt::frontWindow() == 15) return;
  PlotForward();
  RefreshPLOTBLOCK(0);
  const int32_t n = nCases[f];
  BeginBlock.inUse() = 1;
  EndBlock.inUse() = n;
  FileSHORTS[f][2] = 2;
  const int W = ScreenWidth > 0 ? ScreenWidth : 1;
  if (FileSHORTS[f][4]) {
    FileSHORTS[f][11] = int16_t(double(W) / n + 1);
    FileSHORTS[f][12] = int16_t(W + 1);
  } else {
    const int page = FileSHORTS[f][1] >= 1 ? FileSHORTS[f][1] : 1;
    const int64_t p = int64_t(page - 1) * W;
    // Pixel edges far outside the window are kept inside the 16-bit words.
    auto clampPixel = [](int64_t v) { return int16_t(v < -32000 ? -32000 : v > 32000 ? 32000 : v); };
    FileSHORTS[f][12] = clampPixel((n - p) * Xstep);
    FileSHORTS[f][11] = clampPixel((1 - p) * Xstep);
  }
  RefreshPLOTBLOCK(0);
  if (rt::windowExists(2)) rt::setOutputWindow(2);
  rt::penNormal();
  DrawBLOCK();
  SETMENU(1);
  PlotForward();
  if (rt::windowFunction(2) >= 832) showBlockDuration(n);
}

void autoRepeatAfterEdit() {
  if (prefsArray[14] && AutoSS && hasBlock()) AUTO_REPEAT();
}

bool gasExchange(int16_t gas) {
  GasType = gas;
  if (DoSMOOTH) SMOOTHING(0);
  if (prefsArray[5]) FixTheBASELINE(0);
  if (prefsArray[4]) LAGTIME(0.0f, 0);
  GASEXCHANGE(0);
  RestoreTheToolBar();
  return true;
}

}  // namespace

bool editMenu(uint16_t item) {
  const int f = TheFileInUse;
  switch (item) {
    case 1:
      if (FileSHORTS[f][10] == 0) return false;
      UNDO();
      if (multiChannelView()) {
        DrawALLCHANNELS(0);
        RefreshPLOTBLOCK(0);
        MultiChannelIndicator();
        if (ActiveChannel == LastChan && hasBlock()) DrawBLOCK();
      } else if (ActiveChannel == LastChan) {
        if (hasBlock()) DrawBLOCK();
        DrawPlot(0, 0, 0, 1);
      }
      return true;
    case 2: ResetLastBlock(); return false;
    case 7: CLEARBLOCK(); return false;
    case 8: selectAll(); return false;
    case 9:
      EditFileData(1);
      rt::closeWindow(3);
      DRAWCOMMENTS();
      return true;
    case 11: FixTheBASELINE(0); return false;
    case 12: LAGTIME(0.0f, 0); return false;
    case 13:
    case 14:
      derive = item == 14 ? 1 : 0;
      INTEGRATE(0);
      return false;
    case 16:
      SMOOTHING(0);
      PlotForward();
      autoRepeatAfterEdit();
      return true;
    case 17:
      REMOVESPIKE(0);
      rt::closeWindow(4);
      bup();
      if (hasBlock()) DrawBLOCK();
      PlotForward();
      autoRepeatAfterEdit();
      return false;
    case 18: REMOVEREFS(0); return false;
    case 22: TRANSFORMATIONS(0); return true;
    case 23:
      HideTheToolBar();
      GetCustomTransformation(0);
      RestoreTheToolBar();
      return false;
    case 24: ExpressionEvaluator(1); return false;
    case 25: BLOCKSCALE(0, 0); return false;
    case 26: BLOCKSCALE(1, 0); return false;
    case 30: CROPFILE(); return false;
    case 31:
      // The tool-bar button queues this too: a full file gets no 41st channel.
      if (nChannels[f] >= kMaxChannels) return false;
      COPYCHAN(1);
      if (prefsArray[23] && FileSHORTS[f][7] == 1) {
        MultiChannelDisplay(0);
        FileSHORTS[f][7] = 1;
      }
      return false;
    case 32: REARRANGE(); return false;
    case 34:
      TogglePrefs(44);
      FBMenu(kEditMenu, 34, prefsArray[44] ? 2 : 1);
      return false;
    case 36:
      FixEndianByteOrder();
      RefreshSCREEN();
      return false;
    case 37: SETPREFERENCES(); return false;
    case 38: IntREMOVESPIKE(0); return false;
    default: return false;
  }
}

bool respirometryMenu(uint16_t item) {
  switch (item) {
    case 1: return gasExchange(1);
    case 2: return gasExchange(2);
    case 3: ANALYZER_HUMIDITY(0); return false;
    case 5: return gasExchange(3);
    case 7:
      WATERVO2(0);
      RestoreTheToolBar();
      return true;
    case 9:
    case 10:
      GasType = item == 9 ? 1 : 2;
      SelectHeatEquivalence("xx", 50, 70);
      return false;
    case 12:
      AnalysisCode = 10;
      EFFECTIVEVOLUME();
      return false;
    default: return false;
  }
}

bool compactMenu(uint16_t item) {
  if (item == 1) PARSEbySAMPLES();
  else if (item == 2) PARSEbyTIME();
  return false;
}

bool changeRemoveMenu(uint16_t item) {
  switch (item) {
    case 1: BLOCKSET(); return false;
    case 2: CUTBLOCK(0); return false;
    case 3: CUTBLOCK(1); return false;
    case 4: CUTCHANNEL(); return true;
    default: return false;
  }
}

}  // namespace qv::dispatch
