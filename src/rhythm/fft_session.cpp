// The FFT window's loop: entry, choosing a length and placing the interval, the dispatch of
// its buttons, and the one way out that puts the file's view back.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "datafiles/datafiles.h"
#include "plot/block_support.h"
#include "core/channel_selection.h"
#include "plot/data_bar_texts.h"
#include "plot/menu_rules.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/fft_session.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv::fftwin {

namespace {

int plotWindow(const FftSession& s) { return plot::kPlotWindowBase + s.f; }

// The whole file on the plot, one channel, drawn as bars.
void enter(FftSession& s) {
  const int f = s.f;
  if (s.entryView != 0) ScaleMode = DrawAllScaleMode;
  FileSHORTS[f][kViewModeWord] = 0;
  if (nCases[f] > ScreenWidth &&
      (FileSHORTS[f][kCompressedWord] == 0 || FileSHORTS[f][kZoomedWord] != 0 || s.entryView != 0)) {
    FileSHORTS[f][kZoomedWord] = 0;
    PlotAsHistogram = 0;
    FileSHORTS[f][kCompressedWord] = 1;
    DrawPlot(0, 0, 0, 1);
  } else if (s.entryView != 0) {
    DrawPlot(0, 0, 0, 1);
  }
  PlotAsHistogram = 1;
  buildWindow(s);
  HelpSubject = kHelpSubject;
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  action = eventID = 0;
}

// The interval's half-width in the plot window's header, when the header has room for it.
void showIntervalInHeader(const FftSession& s) {
  const int win = plotWindow(s);
  if (ScreenWidth < 641 || rt::windowContentRect(win).width() < 832 || !rt::controlExistsIn(win, kHeaderField)) return;
  const double seconds = double(s.n / 2) * FileInfoFLOATS[s.f][1];
  const std::string text =
      seconds < 120 ? rt::PSstr(seconds) + " sec" : rt::PSstr(seconds * 0.0166667) + " min";
  rt::setEditTextIn(win, kHeaderField, text);
}

void chooseSize(FftSession& s, int k) {
  if (s.k && rt::controlExistsIn(kWindow, s.k)) setButton(s.k, 1);
  s.k = k;
  s.n = int32_t(1) << k;
  setButton(k, 2);
  showIntervalInHeader(s);
  status("FFT setup...");
  if (placeInterval(s)) return;
  // Left while placing: the loop takes the close box or Exit next.
}

// Where the pointer's case is, when and what: the placing readout of window 4.
std::string placingText(const FftSession& s, int32_t centre) {
  const float dt = FileInfoFLOATS[s.f][1];
  const double seconds = double(centre) * dt;
  const int32_t kase = std::clamp<int32_t>(centre, 1, nCases[s.f]);
  return plot::dataBarCaseText(seconds, centre) + ";  " +
         plot::clockText(seconds / 60.0 + FileInfoFLOATS[s.f][8]) + "  " +
         plot::dataBarValueText(GetDatum(s.f, ActiveChannel, kase));
}

void invertBox(int left, int right) {
  rt::penNormal();
  rt::invertRect({left, 19, right, BottomOfPlotArea - 3});
}

bool handleEvent(FftSession& s) {
  const int a = action, id = eventID;
  action = eventID = 0;
  if (a == 4 && (id == kWindow || id == 0)) return false;
  if (a == 1 && id == kExit) return false;
  if (a == 16 && (id == 47 || id == 63)) {
    HelpSubject = kHelpSubject;
    OpenHelpBook();
    return true;
  }
  const bool go = (a == 1 && id == kDoFft) || a == 16 || (a == 3 && id != plotWindow(s));
  if (go) {
    // After a transform the block is gone: only a newly placed interval is transformed.
    if (s.intervalChosen && !s.spectrumShown) doTransform(s);
    return true;
  }
  if (a != 1) return true;
  if (id >= kFftFirstPower && id <= LastFFTbutton && !s.spectrumShown) {
    chooseSize(s, id);
    return true;
  }
  if (id == kUnitPopup) {
    const int item = rt::controlValueIn(kWindow, kUnitPopup);
    if (item >= 1 && item <= 9) s.unit = item;
    s.lastX = -32768;
    return true;
  }
  if (!s.spectrumShown && id != kHistogram) return true;
  switch (id) {
    case kSmooth: toggleSmooth(s); break;
    case kZoomOut: zoom(s, true); break;
    case kZoomIn: zoom(s, false); break;
    case kHistogram: toggleHistogram(s); break;
    case kCopyChannel: copySpectrum(s); break;
    case kSave: saveSpectrum(s); break;
    case kNewInterval: backToChoosing(s); break;
    default: break;
  }
  return true;
}

}  // namespace

bool placeInterval(FftSession& s) {
  const int win = plotWindow(s);
  const int f = s.f;
  const FftPlotView v = plotView(f);
  ABu = fftBoxHalfWidth(v, s.n);
  removeSizeButtons();
  rt::setOutputWindow(kWindow);
  rt::eraseRect({4, 36, 318, 118});
  MOVE_CURSOR_CUE(4, 36, 318, 118, "select block in plot window", 82);
  rt::FlushEvents();
  rt::setHandler(rt::Vector::Mouse, FFTmouse);
  LastHorizPosition = 0;
  int boxLeft = 0, boxRight = -1;
  FftPlacement at;
  bool placed = false, left = false;
  while (!placed && !left) {
    action = eventID = 0;
    rt::FBHandleEvents();
    if (boxRight >= boxLeft) {
      rt::setOutputWindow(win);
      invertBox(boxLeft, boxRight);
      boxRight = boxLeft - 1;
    }
    if ((action == 4 && (eventID == kWindow || eventID == 0)) || (action == 1 && eventID == kExit)) {
      left = true;
      break;
    }
    if (!rt::windowExists(win)) return false;
    const rt::Point p = LastHorizPosition ? rt::mousePoint() : rt::pointerIn(win);
    const int width = rt::windowContentRect(win).width();
    const bool inside = p.x >= 1 && p.x <= width && p.y >= 20 && p.y < BottomOfPlotArea;
    if (!inside) {
      LastHorizPosition = 0;
      rt::setCursor(rt::Cursor::Arrow);
      continue;
    }
    SetCrossCursor();
    at = fftPlacement(v, p.x, s.n);
    if (LastHorizPosition) {
      placed = true;
      break;
    }
    rt::setOutputWindow(win);
    boxLeft = at.boxX - ABu;
    boxRight = at.boxX + ABu;
    invertBox(boxLeft, boxRight);
    rt::flushWindow(win);
    if (rt::controlExistsIn(kWindow, kPlacingField)) rt::setEditTextIn(kWindow, kPlacingField, placingText(s, at.centre));
  }
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  rt::setCursor(rt::Cursor::Arrow);
  if (left) {
    action = 4;
    eventID = kWindow;
    return false;
  }
  if (FileSHORTS[f][kBlockStateWord] == 2) RefreshPLOTBLOCK(0);
  BeginBlock[f] = at.begin;
  EndBlock[f] = at.begin + s.n;
  FileSHORTS[f][kBlockStateWord] = 2;
  RefreshPLOTBLOCK(0);
  EndBeep();
  chanB = ActiveChannel;
  DrawBLOCK();
  rt::setOutputWindow(kWindow);
  rt::eraseRect({4, 36, 318, 118});
  GrayBOX(1, 4, 36, 318, 118);
  separators();
  sizeButtons(f, s.k);
  setButton(kDoFft, 1);
  setButton(kHistogram, PlotAsHistogram ? 2 : 1);
  if (rt::controlExistsIn(kWindow, kPlacingField)) rt::setEditTextIn(kWindow, kPlacingField, placingText(s, at.centre));
  status("interval placed");
  s.intervalChosen = true;
  rt::bringWindowForward(kWindow);
  action = eventID = 0;
  return true;
}

void runFftSession(FftSession& s) {
  enter(s);
  for (;;) {
    if (action == 0) rt::FBHandleEvents();
    if (s.spectrumShown) followPointer(s);
    if (action == 0) continue;
    if (!handleEvent(s)) break;
    if (!slotIsOpen(s.f)) break;
  }
  action = eventID = 0;
}

void leaveFft(FftSession& s) {
  const int f = s.f;
  if (!slotIsOpen(f)) return;
  PlotAsHistogram = s.entryHistogram;
  nCases[f] = s.fileCases;
  ActiveChannel = s.entryChannel;
  if (nCases[f] > ScreenWidth) FileSHORTS[f][kCompressedWord] = 1;
  FileSHORTS[f][kPageCountWord] = s.entryPages;
  FileSHORTS[f][kPageWord] = 1;
  FileSHORTS[f][kViewModeWord] = s.entryView;
  rt::closeWindow(kWindow);
  MakeChannelSelectionsPopUp();
  if (s.entryView != 0) UpdateSCREEN(0, 1);
  else DrawPlot(0, 0, 0, 1);
  ClearWINDOW41();
  if (rt::windowExists(plotWindow(s))) rt::bringWindowForward(plotWindow(s));
  SETMENU(1);
  menuidx = menuitemx = 0;
  action = eventID = 0;
}

}  // namespace qv::fftwin
