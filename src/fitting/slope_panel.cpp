#include "fitting/slope_panel.h"

#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/warning.h"
#include "core/fit_state.h"
#include "core/output_state.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "output/result_text.h"
#include "output/stats_text.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4;
constexpr rt::RGB kWindowGray{0xECEC, 0xECEC, 0xECEC};  // the background BuildWINDOW gives
std::string gTypedSlopeText = "1";

// Erases r to the window's grey, so that a fit shown again is not printed over the one before.
void clearToWindow(rt::Rect r) {
  rt::backColor(kWindowGray);
  rt::eraseRect(r);
  rt::backColor(RGBwhite);
}

// The label of the typed slope's field, on a cleared spot.
void typedSlopeLabel() {
  clearToWindow({0, 184, 100, 204});
  PrintAt(43, 199, "P slope = ");
}

void field(int id, const std::string& text, rt::Rect r, int size) {
  rt::FBEditField(id, text, r, 7);
  rt::setEditFont(id, KestrixFont, size, 0);
}

std::string clockOf(int32_t kase) {
  const int f = TheFileInUse;
  const double interval = f >= 0 && f < kSlots ? FileInfoFLOATS[f][1] : 1.0;
  const double start = f >= 0 && f < kSlots ? FileInfoFLOATS[f][8] : 0.0;
  return MakeTimeString(clockMinutes(kase, interval, start));
}

std::string probabilityText(float p) {
  if (std::isnan(p)) return "**";
  if (p > 0.00001f) return fitNumber(p);
  return " < .00001";
}

}  // namespace

// Every fit panel shows the digits setting, whatever window last set the printing digits.
std::string fitNumber(double x) { return reportNumber(x, std::max<int>(1, SignificantFigures)); }

void resetTypedSlope() { gTypedSlopeText.assign(1, '1'); }

void REGRESSIONSTATS(int32_t n) {
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
  // A fit shown again (other channels, the subset switched) starts from an empty panel: its
  // count would otherwise be printed over the one before.
  clearToWindow({0, 47, 322, 158});
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblack);
  PrintAt(2, 58, "       from" + clockOf(BeginBlock.inUse()) + "to" + clockOf(EndBlock.inUse()));
  DoubleLINE(0, 320, 64);
  if (AnalysisCode == kCodeSlopeVsTime) {
    PrintAt(4, 82, "value of a (from t = 0):");
    field(kFieldAatZero, fitNumber(avalx), {160, 70, 318, 86}, 12);
    PrintAt(4, 102, " value of a (in block):");
  } else {
    PrintAt(4, 102, "             value of a:");
  }
  field(kFieldA, fitNumber(ValueOfA), {160, 90, 318, 106}, 12);
  PrintAt(4, 122, " value of b (slope):");
  field(kFieldB, fitNumber(ValueOfB), {160, 110, 318, 126}, 12);
  PrintAt(4, 146, "r   = ");
  rt::foreColor(RGBred);
  SetTextStyle(KestrixFont, 9, 0);
  PrintAt(11, 140, "2");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(170, 146, "   n = " + rt::PSstrLong(n));
  field(kFieldR2, fitNumber(rsquared), {44, 131, 160, 149}, 14);
  slope = 0.0f;
  RegressionProbCalcs();
}

void RegressionProbCalcs() {
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
  slope = 0.0f;
  TestSlope();
  SlopeZeroProb = probability;
  rt::backColor(ExtremelyLightGray);
  rt::eraseRect({0, 158, 322, 180});
  rt::backColor(RGBwhite);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(green);
  if (rsquared == 1.0f) {
    // No test is run, but the report still names the slope typed beside the field, not 0.
    double typed = 0.0;
    if (rt::PSvalStrict(gTypedSlopeText, typed) && std::isfinite(float(typed))) slope = float(typed);
    PrintAt(2, 173, " no variance, can't compute probabilities");
    SetTextStyle(KestrixFont, 12, 0);
    typedSlopeLabel();
    rt::foreColor(RGBblack);
    action = eventID = 0;
    return;
  }
  PrintAt(2, 173, " probability slope = zero is  ");
  if (probability < 0.05f) rt::foreColor(RGBred);
  rt::drawString(probabilityText(probability));
  rt::foreColor(green);
  SetTextStyle(KestrixFont, 12, 0);
  typedSlopeLabel();
  rt::foreColor(RGBblack);
  REGPROB();
  action = eventID = 0;
}

void REGPROB() {
  if (!rt::windowExists(kResultsWindow)) return;
  rt::setOutputWindow(kResultsWindow);
  std::string text = rt::controlExists(kTypedSlopeField) ? rt::editText(kTypedSlopeField) : gTypedSlopeText;
  double v = 0.0;
  if (rt::PSvalStrict(text, v) && std::isfinite(float(v))) {
    gTypedSlopeText = text;
  } else {
    Warn(1166, "Caution: ", {"The slope to test against is not a number: \"" + text + "\"",
                             "It stays " + gTypedSlopeText + "."});
    rt::setOutputWindow(kResultsWindow);
    if (rt::controlExists(kTypedSlopeField)) rt::setEditText(kTypedSlopeField, gTypedSlopeText);
    rt::PSvalStrict(gTypedSlopeText, v);
  }
  slope = float(v);
  TestSlope();
  SlopeTestProb = probability;
  std::string shown = "is";
  shown.append(probabilityText(probability));
  // The field ends before the Test button (262); a long number takes smaller type.
  const rt::Rect r{180, 186, 258, 202};
  int size = 12;
  for (; size > 8; --size) {
    SetTextStyle(KestrixFont, int16_t(size), 0);
    if (rt::stringWidth(shown) <= r.width() - 4) break;
  }
  SetTextStyle(KestrixFont, 12, 0);
  field(kTypedSlopeResult, shown, r, size);
}

}  // namespace qv
