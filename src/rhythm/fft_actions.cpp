// What the FFT window does with its interval and its spectrum: the transform, the readout
// under the pointer, Smooth, Zoom, Histogram, Copy Channel, Save FFT and "∆ Interval".
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/backup_cache.h"
#include "core/data_generation.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/fft_session.h"
#include "rhythm/fft_spectrum.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv::fftwin {

namespace {

constexpr int kPristineRow = 1;
constexpr int kProgressBar = 777;
constexpr rt::Rect kReadoutArea{4, 124, 318, 200};

float* workColumn(int f) { return channelData(f, 0); }

// The status line where the transform tells how far it is.
void statusField() {
  rt::setOutputWindow(kWindow);
  EFForeColor = EFBackColor = 1;
  SetTextStyle(KestrixFont, 11, 0);
  buildef(1, kStatusField, "", 10, 124, 312, 142, 7, 0);
}

void readoutControls(const FftSession& s) {
  rt::setOutputWindow(kWindow);
  rt::removeControl(kStatusField);
  rt::removeControl(kPlacingField);
  rt::eraseRect(kReadoutArea);
  FFTfrequencyPopup(kUnitMenu);
  rt::FBAppearanceButton(kUnitPopup, 1, s.unit, kUnitMenu, 0, "", {10, 132, 170, 152}, rt::kControlPopupButton);
  GrayBOX(1, 10, 164, 170, 186);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, 180, "magnitude");
  EFForeColor = EFBackColor = 1;
  buildef(1, kFrequencyField, "", 178, 132, 312, 152, 7, 2);
  buildef(1, kStatusField, "", 178, 166, 312, 186, 7, 2);
}

void pristineToWork(const FftSession& s) {
  const float* b = BackupCacheRow(kPristineRow);
  if (b) std::memcpy(workColumn(s.f), b, (size_t(s.n) + 1) * sizeof(float));
}

}  // namespace

void showSpectrum(FftSession& s) {
  const float* b = BackupCacheRow(kPristineRow);
  if (!b) return;
  pristineToWork(s);
  if (s.smooth)
    smoothSpectrum({b, size_t(s.n) + 1}, {workColumn(s.f), size_t(s.n) + 1}, std::min(s.shown, s.n));
}

void doTransform(FftSession& s) {
  const int f = s.f;
  ActiveChannel = s.entryChannel;
  float* pristine = BackupCacheRow(kPristineRow);
  SampleArray column = allocateSamples(s.fileCases);
  if (!pristine || !column) {
    Warn(1166, "FFT: ", {"There is not enough memory for the transform.", "Nothing was changed."});
    return;
  }
  const int32_t begin = std::clamp<int32_t>(BeginBlock[f], 0, std::max<int32_t>(s.fileCases - s.n, 0));
  std::fill_n(column.get(), size_t(s.fileCases) + 1, 0.0f);
  std::memcpy(column.get(), channelData(f, ActiveChannel) + begin, (size_t(s.n) + 1) * sizeof(float));
  gPointersToFileData[f][0] = std::move(column);

  rt::setCursor(rt::Cursor::Wait);
  status("reorder array...");
  status("perform FFT...");
  rt::setOutputWindow(kWindow);
  rt::removeControl(kPlacingField);
  MinimumProgressBarValue = 1;
  buildProgressBAR(10, 152, 312, 164, s.k, kWindow);
  fftMagnitudes({workColumn(f), size_t(s.n) + 1}, s.n, [](int pass) {
    rt::setOutputWindow(kWindow);
    UpdateProgressBar(pass);
    rt::refreshPump();
  });
  status("FFT phase two...");
  rt::setOutputWindow(kWindow);
  UpdateProgressBar(s.k);
  rt::refreshPump();
  status("scale results...");
  rt::setOutputWindow(kWindow);
  rt::removeControl(kProgressBar);
  rt::setCursor(rt::Cursor::Arrow);

  std::memcpy(pristine, workColumn(f), (size_t(s.n) + 1) * sizeof(float));
  heading("Analyze FFT results", 24);
  if (FileSHORTS[f][kBlockStateWord] == 2) RefreshPLOTBLOCK(0);
  BeginBlock[f] = EndBlock[f] = 0;
  FileSHORTS[f][kBlockStateWord] = 0;
  ActiveChannel = 0;
  s.shown = s.n / 4 - 1;
  s.spacing = fftElementSpacing(s.n, FileInfoFLOATS[f][1]);
  s.smooth = false;
  s.spectrumShown = true;
  s.intervalChosen = false;
  s.lastX = -32768;
  readoutControls(s);
  setButton(kDoFft, 0);
  setButton(kSmooth, 1);
  FFTplot(s.shown);
  spectrumButtons(true);
}

void followPointer(FftSession& s) {
  const int win = plot::kPlotWindowBase + s.f;
  if (!rt::windowExists(win)) return;
  const rt::Point p = rt::pointerIn(win);
  const int width = rt::windowContentRect(win).width();
  if (p.x < 1 || p.x > width || p.y < 20 || p.y >= BottomOfPlotArea || p.x == s.lastX) return;
  s.lastX = p.x;
  const int32_t c = fftElementUnder(plotView(s.f), p.x);
  if (c < 1 || !rt::controlExistsIn(kWindow, kStatusField)) return;
  rt::setEditTextIn(kWindow, kStatusField, rt::PSstr(GetDatum(s.f, 0, c)));
  const float hz = s.spacing * float(c - 1);
  if (rt::controlExistsIn(kWindow, kFrequencyField))
    rt::setEditTextIn(kWindow, kFrequencyField, rt::PSstr(fftInUnit(s.unit, hz)));
}

void toggleSmooth(FftSession& s) {
  s.smooth = !s.smooth;
  setButton(kSmooth, s.smooth ? 2 : 1);
  rt::setCursor(rt::Cursor::Wait);
  showSpectrum(s);
  FFTplot(s.shown);
  s.lastX = -32768;
}

void zoom(FftSession& s, bool out) {
  if (out) {
    downvip();
    s.shown = std::min(2 * s.shown, s.n);
  } else {
    upvip();
    s.shown = std::max(s.shown / 2, 3);
  }
  showSpectrum(s);
  const int16_t sound = prefsArray[7];
  prefsArray[7] = 0;
  FFTplot(s.shown);
  prefsArray[7] = sound;
  zoomButtons(s);
  s.lastX = -32768;
}

void toggleHistogram(FftSession& s) {
  PlotAsHistogram = ToggleValue(uint16_t(PlotAsHistogram));
  setButton(kHistogram, PlotAsHistogram ? 2 : 1);
  if (s.spectrumShown) {
    FFTplot(s.shown);
  } else {
    DrawPlot(0, 0, 0, 1);
    rt::bringWindowForward(kWindow);
  }
}

void copySpectrum(FftSession& s) {
  const int f = s.f;
  if (nChannels[f] >= kMaxChannels) return;
  // The new channel is as long as the file, not as the spectrum on the plot.
  nCases[f] = s.fileCases;
  const bool made = MakeOneNewChannel();
  nCases[f] = std::max<int32_t>(s.shown, 1);
  if (!made) {
    Warn(1166, "Copy Channel: ", {"There is not enough memory for another channel.", "Nothing was changed."});
    return;
  }
  const int16_t d = nChannels[f];
  float* out = channelData(f, d);
  std::fill_n(out, size_t(s.fileCases) + 1, 0.0f);
  const int32_t count = std::min(s.shown, s.fileCases);
  std::memcpy(out + 1, workColumn(f) + 1, size_t(count) * sizeof(float));
  std::copy(fileVariableArray[f][s.entryChannel], fileVariableArray[f][s.entryChannel] + 14, fileVariableArray[f][d]);
  fileVariableArray[f][d][1] += 100.0f;
  const std::string label = "FFT: channel" + rt::PSstrLong(s.entryChannel) + ";" + rt::PSstrLong(s.n) + " points    ";
  SetChannelLabel(f, d, label.substr(0, kLabelWidth));
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  FBMenu(kViewMenu, 9, 1);
  FBMenu(kViewMenu, 12, 1, "Show Multiple Channels...");
  MakeChannelSelectionsPopUp();
  rt::bringWindowForward(kWindow);
  setButton(kCopyChannel, nChannels[f] < kMaxChannels ? 1 : 0);
}

void saveSpectrum(const FftSession& s) {
  const std::optional<std::string> path =
      rt::OSpanelSave("File for FFT results:", UseExcelFormat ? "FFT Results.xls" : "FFT Results.csv");
  if (!path) return;
  const float* b = BackupCacheRow(kPristineRow);
  if (!b) return;
  std::vector<float> spectrum(b, b + s.n + 1);
  if (s.smooth) smoothSpectrum({b, size_t(s.n) + 1}, spectrum, s.n);
  const std::string text = fftResultsText(spectrum, s.n, FileInfoFLOATS[s.f][1], s.unit, UseExcelFormat ? '\t' : ',',
                                          rt::gFBFloatMaxDigits);
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why)) {
    Warn(1166, "Not saved: ", {"The FFT results could not be written as", rt::fileNameOf(*path) + ":", why});
    return;
  }
  EndBeep();
}

void backToChoosing(FftSession& s) {
  rt::setOutputWindow(kWindow);
  rt::removeControl(kUnitPopup);
  rt::removeControl(kFrequencyField);
  rt::removeControl(kStatusField);
  rt::eraseRect(kReadoutArea);
  statusField();
  EFForeColor = EFBackColor = 1;
  buildef(1, kPlacingField, "", 10, 150, 312, 168, 7, 0);
  heading("Select FFT interval", 24);
  ActiveChannel = s.entryChannel;
  const int16_t kept = PlotAsHistogram;
  PlotAsHistogram = s.entryHistogram;
  FFTplot(s.fileCases);
  PlotAsHistogram = kept;
  s.spectrumShown = false;
  s.intervalChosen = false;
  s.smooth = false;
  spectrumButtons(false);
  setButton(kSmooth, 0);
  setButton(kDoFft, 0);
  status("choose a length");
}

}  // namespace qv::fftwin
