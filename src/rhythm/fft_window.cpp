// Analyze > FFT: the transform length is chosen, an interval of that many samples placed on
// the plot, and its magnitude spectrum shown in the plot window as if it were a channel, with
// a frequency or period readout, smoothing, zoom, a copy into a new channel and a results file.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <string>

#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "output/output.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/fft_session.h"
#include "rhythm/fft_spectrum.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t LastFFTbutton = 6;

namespace fftwin {

FftSession* gSession = nullptr;

void status(std::string_view text) {
  if (!rt::controlExistsIn(kWindow, kStatusField)) return;
  rt::setEditTextIn(kWindow, kStatusField, text);
  rt::refreshPump();
}

void heading(std::string_view text, int size) {
  rt::setOutputWindow(kWindow);
  rt::eraseRect({4, 2, 318, 34});
  rt::foreColor({0, 0, 56000});
  SetTextStyle(KestrixFont, int16_t(size), rt::kBold);
  PrintAt(10, 28, text);
  rt::foreColor({0, 0, 0});
  SetTextStyle(KestrixFont, 12, 0);
}

void setButton(int id, int state) {
  if (rt::controlExistsIn(kWindow, id)) rt::setButtonStateIn(kWindow, id, state);
}

FftPlotView plotView(int f) {
  FftPlotView v;
  v.nCases = nCases[f];
  v.screenWidth = std::max<int>(ScreenWidth, 1);
  v.xstep = std::max<int>(Xstep, 1);
  v.wholeFile = FileSHORTS[f][kCompressedWord] != 0 && nCases[f] > ScreenWidth;
  v.page = std::max<int>(FileSHORTS[f][kPageWord], 1);
  return v;
}

void sizeButtons(int f, int marked) {
  rt::setOutputWindow(kWindow);
  LastFFTbutton = 6;
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = kFftFirstPower; k <= kFftLastPower; ++k) {
    if ((int64_t(1) << k) > nCases[f]) break;
    const int column = (k - kFftFirstPower) / 4, row = (k - kFftFirstPower) % 4;
    const int left = column == 0 ? 10 : column == 1 ? 110 : 210;
    const int right = column == 0 ? 90 : column == 1 ? 200 : 305;
    const int bottom = kFirstSizeRowBottom + 19 * row;
    rt::FBButton(k, k == marked ? 2 : 1, rt::PSstrLong(int64_t(1) << k).substr(1), {left, bottom - 17, right, bottom},
                 3);
    LastFFTbutton = int16_t(k);
  }
}

void removeSizeButtons() {
  for (int k = kFftFirstPower; k <= kFftLastPower; ++k)
    if (rt::controlExistsIn(kWindow, k)) {
      rt::setOutputWindow(kWindow);
      rt::removeControl(k);
    }
}

void dimSizeButtons(bool dim) {
  for (int k = kFftFirstPower; k <= LastFFTbutton; ++k) {
    if (!rt::controlExistsIn(kWindow, k)) continue;
    const bool marked = gSession && k == gSession->k;
    setButton(k, dim ? 0 : marked ? 2 : 1);
  }
}

void separators() {
  rt::setOutputWindow(kWindow);
  DoubleLINE(4, 318, 120);
  DoubleLINE(4, 318, 204);
  DoubleLINE(4, 318, 298);
}

void buildWindow(const FftSession& s) {
  OpenResultsWindow(0, 0, "Fast Fourier Transform", 0);
  rt::setOutputWindow(kWindow);
  GrayBOX(1, 4, 36, 318, 118);
  heading("FFT interval (# samples) ", 20);
  separators();
  sizeButtons(s.f, 0);
  SetTextStyle(KestrixFont, 11, 0);
  EFForeColor = 1;
  EFBackColor = 1;
  buildef(1, kStatusField, LastFFTbutton > 6 ? "choose a length" : "fewer than 128 samples", 10, 124, 312, 142, 7, 0);
  buildef(1, kPlacingField, "", 10, 150, 312, 168, 7, 0);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kHistogram, 2, "Histogram", {10, 212, 110, 230}, 2);
  rt::FBButton(kSmooth, 0, "Smooth", {124, 212, 214, 230}, 2);
  rt::FBButton(kZoomOut, 0, "Zoom Out", {10, 238, 110, 262}, 1);
  rt::FBButton(kZoomIn, 0, "Zoom In", {124, 238, 224, 262}, 1);
  rt::FBButton(kCopyChannel, 0, "Copy Channel", {10, 268, 140, 292}, 1);
  rt::FBButton(kSave, 0, "Save FFT...", {150, 268, 260, 292}, 1);
  rt::FBButton(kNewInterval, 0, "\u2206 Interval", {10, 310, 110, 334}, 1);
  rt::FBButton(kExit, 1, "Exit", {124, 310, 204, 334}, 1);
  rt::FBButton(kDoFft, 0, "Do FFT", {218, 310, 312, 334}, 4);
}

// The spectrum's buttons: the size buttons dimmed while it is shown, the rest offered.
void spectrumButtons(bool shown) {
  dimSizeButtons(shown);
  const int on = shown ? 1 : 0;
  for (int id : {kSmooth, kZoomOut, kZoomIn, kSave}) setButton(id, on);
  setButton(kCopyChannel, shown && nChannels[gSession->f] < kMaxChannels ? 1 : 0);
  setButton(kNewInterval, on);
  if (shown) zoomButtons(*gSession);
}

void zoomButtons(const FftSession& s) {
  setButton(kZoomOut, s.shown >= s.n ? 0 : 1);
  setButton(kZoomIn, Xstep >= 9 || s.shown <= 3 ? 0 : 1);
}

}  // namespace fftwin

using namespace fftwin;

void FFTplot(int32_t length) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  nCases[f] = std::max<int32_t>(length, 1);
  FileSHORTS[f][kPageWord] = 1;
  if (nCases[f] <= ScreenWidth) {
    FileSHORTS[f][kCompressedWord] = 0;
    FileSHORTS[f][kPageCountWord] = 1;
  } else {
    FileSHORTS[f][kCompressedWord] = 1;
    FileSHORTS[f][kPageCountWord] = int16_t(std::min<int32_t>(nCases[f] / std::max<int>(ScreenWidth, 1), 32767));
  }
  const int16_t markers = prefsArray[10];
  prefsArray[10] = 0;
  rt::setCursor(rt::Cursor::Wait);
  DrawPlot(0, 0, 0, 1);
  prefsArray[10] = markers;
  if (rt::windowExists(kWindow)) rt::bringWindowForward(kWindow);
  rt::setCursor(rt::Cursor::Arrow);
}

void FFTmouse() {
  if (!gSession || rt::mouseClickCount() == 0) return;
  if (rt::mouseWindow() != plot::kPlotWindowBase + gSession->f) return;
  LastHorizPosition = 1;
}

void FFT() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || nChannels[f] < 1 || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  FftSession s;
  s.f = f;
  s.fileCases = nCases[f];
  s.entryHistogram = PlotAsHistogram;
  s.entryChannel = ActiveChannel >= 1 && ActiveChannel <= nChannels[f] ? ActiveChannel : 1;
  s.entryPages = FileSHORTS[f][kPageCountWord];
  s.entryView = FileSHORTS[f][kViewModeWord];
  ActiveChannel = s.entryChannel;
  // The session lives on this frame: nothing may point at it once the frame is gone, also
  // when the program ends inside the window.
  struct Current {
    explicit Current(FftSession* s) { gSession = s; }
    ~Current() { gSession = nullptr; }
  } current(&s);
  SavedHandlers savedHandlers;
  runFftSession(s);
  leaveFft(s);
}

}  // namespace qv
