// "Residuals" (window 32) and its file, and "Predict Values From Regression" (window 7): the
// last straight-line fit read back from its record, after the slope or regression window.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/fit_state.h"
#include "core/kit.h"
#include "core/output_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "fitting/commands.h"
#include "fitting/residuals.h"
#include "fitting/slope_panel.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kResidualsWindow = 32, kSaveResiduals = 1, kResidualsDone = 2;
constexpr int kTopLabel = 111, kBottomLabel = 112, kZeroLabel = 212;
constexpr int kPredictWindow = 7, kPredictY = 8, kPredictX = 9, kPredictDone = 10, kXField = 111, kYField = 112;
constexpr int kBoxLeft = 99, kBoxTop = 1, kBoxRight = 567, kBoxBottom = 298;

// The fit of the open residuals window, the values it was fitted to (the window is modal: they
// stay as they are while it is open) and the residuals' ranges; the file works the residuals out
// again from these.
LineFit gShownFit;
std::span<const float> gShownY, gShownX;
FitResiduals gShown;

std::span<const float> samplesOf(int f, int c) {
  if (f < 0 || f >= kMaxOpenFiles || c < 0 || c > kMaxChannels) return {};
  const float* p = gPointersToFileData[f][c].get();
  return p ? std::span<const float>(p, size_t(nCases[f]) + 1) : std::span<const float>();
}

bool usable(const LineFit& fit) { return std::isfinite(fit.a) && std::isfinite(fit.b) && fit.n >= 1; }

RGB schemeBackground(int scheme) {
  return scheme == 4 ? manila : scheme == 3 ? RGBblack : scheme == 2 ? RGBwhite : plotBackColor;
}

RGB schemeDots(int scheme) {
  return scheme == 4 ? RGBblue : scheme == 3 ? RGBwhite : scheme == 2 ? RGBblack : PlotDataLineColor;
}

std::string shownNumber(double x) { return std::isfinite(x) ? rt::PSstr(x) : std::string("**"); }

void drawResiduals(int32_t n) {
  const int scheme = prefsArray[82];
  const ResidualScale s = residualScale(gShown);
  rt::foreColor(schemeBackground(scheme));
  rt::paintRect({kBoxLeft, kBoxTop, kBoxRight, kBoxBottom});
  rt::foreColor(RGBblack);
  rt::frameRect({kBoxLeft - 1, kBoxTop - 1, kBoxRight + 1, kBoxBottom + 1});
  if (!gShown.any) return;
  const int y0 = std::clamp(s.zeroRow, kBoxTop, kBoxBottom - 1);
  rt::foreColor(scheme == 2 || scheme == 3 ? rt::colorOfNumber(20) : scheme == 4 ? RGBblack : plotForeColor);
  rt::moveTo(101, y0);
  rt::lineTo(kBoxRight, y0);
  rt::FBEditField(kTopLabel, shownNumber(gShown.rmax), {0, 1, 97, 16}, 7, 2);
  rt::FBEditField(kBottomLabel, shownNumber(gShown.rmin), {0, 283, 97, 298}, 7, 2);
  rt::FBEditField(kZeroLabel, "0", {0, y0 - 6, 97, y0 + 9}, 7, 2);
  // Every dot goes into the mask first, so each pixel is painted once however long the block.
  const auto mask = residualMask(gShownFit, gShownY, gShownX, gShown, s, n <= 500 ? 3 : 2);
  rt::foreColor(schemeDots(scheme));
  for (int y = 0; y < kResidualMaskHeight; ++y)
    for (int x = 0; x < kResidualMaskWidth; ++x)
      if (mask[size_t(y) * kResidualMaskWidth + size_t(x)]) {
        const int px = x + kResidualMaskLeft;
        if (px >= kBoxLeft && px < kBoxRight && y >= kBoxTop && y < kBoxBottom) rt::paintRect({px, y, px + 1, y + 1});
      }
  rt::foreColor(RGBblack);
}

void calcYvalue() {
  rt::setOutputWindow(kPredictWindow);
  const auto x = typedNumber(rt::editText(kXField));
  rt::setEditText(kYField, x ? shownNumber(predictY(LastFit, *x)) : std::string("**"));
}

void calcXvalue() {
  rt::setOutputWindow(kPredictWindow);
  const auto y = typedNumber(rt::editText(kYField));
  rt::setEditText(kXField, y ? shownNumber(predictX(LastFit, *y)) : std::string("**"));
}

int16_t fileInUse() { return TheFileInUse >= 0 && TheFileInUse < kMaxOpenFiles ? TheFileInUse : -1; }

}  // namespace

void SaveResiduals(int16_t fromChannels) {
  (void)fromChannels;  // the residuals shown know which kind of fit they came from
  if (gShownY.empty()) {
    bzot();
    return;
  }
  const bool tabs = UseExcelFormat != 0;
  const auto path = rt::OSpanelSave("Save residuals...", tabs ? "residuals.xls" : "residuals.csv");
  if (!path) return;
  const FitResiduals columns = fitResiduals(gShownFit, gShownY, gShownX);
  const std::string text = residualsText(columns, tabs ? '\t' : ',', SignificantFigures);
  std::string error;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &error))
    Warn(1166, "The residuals could not be saved: ", {*path, error});
}

void RegressionRESIDS(int32_t n, int16_t fromChannels) {
  const int f = fileInUse();
  if (f < 0 || !usable(LastFit)) {
    bzot();
    return;
  }
  const LineFit& fit = LastFit;
  const auto y = samplesOf(f, 0);
  const std::span<const float> x = fit.againstTime ? std::span<const float>() : std::span<const float>(RegressionX);
  SavedHandlers saved;
  const int keep = rt::outputWindow();
  rt::openWindow(kResidualsWindow, "Residuals", {30, 70, 600, 398}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kResidualsWindow, LightGray);
  SetTextStyle(KestrixFont, 20, 0);
  PrintAt(140, 140, "computing residuals...");
  rt::flushWindow(kResidualsWindow);
  gShownFit = fit;
  gShownY = y;
  gShownX = x;
  gShown = residualRanges(fit, y, x);
  rt::eraseRect({0, 0, 570, 328});
  SetTextStyle(KestrixFont, 10, 0);
  drawResiduals(n);
  rt::FBButton(kSaveResiduals, gShown.any ? 1 : 0, "Save Residuals...", {110, 303, 260, 323}, 1);
  rt::FBButton(kResidualsDone, 1, "Done ", {470, 303, 566, 323}, 4);
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  for (;;) {
    waitForAction();
    if (action == 1 && eventID == kSaveResiduals) {
      SaveResiduals(fromChannels);
      continue;
    }
    if ((action == 1 && eventID == kResidualsDone) || action == 16 || action == 3 ||
        (action == 4 && eventID == kResidualsWindow))
      break;
  }
  rt::closeWindow(kResidualsWindow);
  gShownY = gShownX = {};
  if (keep && rt::windowExists(keep)) rt::setOutputWindow(keep);
}

void PredictRegressionValues(int16_t fromTime) {
  const int f = fileInUse();
  if (f < 0 || !usable(LastFit)) {
    bzot();
    return;
  }
  const LineFit& fit = LastFit;
  (void)fromTime;  // the record says which fit it is
  const bool time = fit.againstTime;
  const std::string xLabel = time ? RetrieveLabel(ch) : RetrieveLabel(RegressionXChannel);
  const std::string yLabel = time ? RetrieveLabel(ch) : RetrieveLabel(RegressionYChannel);
  SavedHandlers saved;
  const int keep = rt::outputWindow();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  HideTheToolBar();
  const rt::Rect plot = rt::windowExists(1000 + f) ? rt::windowContentRect(1000 + f) : rt::Rect{20, 60, 800, 500};
  const int top = std::max(50, plot.top + 40);
  rt::openWindow(kPredictWindow, "Predict Values From Regression", {plot.left + 20, top, plot.left + 330, top + 202},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kPredictWindow, LightGray);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(8, 18, std::string("regression type:  ") + predictionModelText(fit));
  DoubleLINE(0, 310, 33);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(8, 48, "intercept: " + fitNumber(fit.a) + "     slope: " + fitNumber(fit.b));
  rt::foreColor(RGBred);
  PrintAt(8, 62, time ? std::string("X:  elapsed time") : "X:  " + xLabel);
  rt::foreColor(RGBblue);
  PrintAt(160, 62, "Y:  " + yLabel);
  rt::foreColor(RGBblack);
  DoubleLINE(0, 310, 70);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 95, time ? "    time:" : "X value:");
  rt::FBEditField(kXField, "1", {80, 82, 220, 98}, 3);
  PrintAt(10, 122, "Y value:");
  rt::FBEditField(kYField, "", {80, 109, 220, 125}, 3);
  rt::FBButton(kPredictX, 1, time ? "Predict Time From Y" : "Predict X From Y", {10, 140, 160, 160}, 1);
  rt::FBButton(kPredictY, 1, time ? "Predict Y From Time" : "Predict Y From X", {10, 168, 160, 188}, 1);
  rt::FBButton(kPredictDone, 1, "Done", {220, 168, 300, 188}, 4);
  calcYvalue();
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  for (;;) {
    waitForAction();
    if (action == 1 && eventID == kPredictX) calcXvalue();
    else if (action == 1 && eventID == kPredictY) calcYvalue();
    else if ((action == 1 && eventID == kPredictDone) || (action == 16 && eventID == 13) ||
             (action == 3 && eventID != kPredictWindow) || (action == 4 && eventID == kPredictWindow))
      break;
  }
  rt::closeWindow(kPredictWindow);
  RestoreTheToolBar();
  if (rt::windowExists(4)) rt::bringWindowForward(4);
  if (keep && rt::windowExists(keep)) rt::setOutputWindow(keep);
}

}  // namespace qv
