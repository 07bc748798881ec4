// The periodicity test's windows: K asked in window 12, then the chart of the K regressions,
// the period named with its slope test, the other peaks, and the print and save passes.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/colors.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/fit_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/output_state.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot.h"
#include "rhythm/periodicity.h"
#include "rhythm/time_series.h"
#include "rhythm/tool_events.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kTestWindow = 12, kSeriesWindow = 6;
constexpr int kKField = 101, kBlockSizeField = 102, kCancel = 30, kOK = 31, kHelpButton = 32, kTextView = 40;
constexpr int kPrint = 1, kSave = 2, kShowPeaks = 3, kThresholdField = 4, kDone = 14, kContinue = 200;
constexpr int16_t kParametersHelp = 274;
constexpr int kChartLeft = 44, kAxisWidth = 510, kChartTop = 120;
constexpr int kTestWidth = 588, kTestHeight = 620;
// The other peaks: the button row, then two entries a line from kPeaksTop.
constexpr int kPeaksButtonTop = 344, kPeaksTop = 382;

// The regressions of the last test, kept while block, lag, step, K and the data are the same.
struct CachedTest {
  int f = -1;
  int16_t channel = 0;
  int32_t begin = 0, end = 0, lag = 0, step = 0, K = 0;
  uint32_t generation = 0;
  float dt = 0.0f;
  std::vector<LagRegression> r;
};
CachedTest gTest;

const std::vector<LagRegression>& regressionsFor(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K) {
  const uint32_t g = DataGeneration[b.f];
  CachedTest& c = gTest;
  if (c.f != b.f || c.channel != b.channel || c.begin != b.begin || c.end != b.end || c.lag != lag ||
      c.step != step || c.K != K || c.generation != g || c.dt != b.dt) {
    c = {b.f, b.channel, b.begin, b.end, lag, step, K, g, b.dt, {}};
    c.r = periodicityRegressions(b.y, b.begin, b.end, lag, step, K, b.dt);
  }
  return c.r;
}

struct ValueButton {
  int id;
  const char* text;
  int32_t minimumBlock;
};
constexpr ValueButton kValues[] = {{10, "50", 0},    {2, "100", 151}, {3, "200", 251},  {4, "300", 351},
                                   {5, "400", 451},  {6, "500", 551}, {7, "750", 851},  {8, "1000", 1101}};

void buildParametersWindow(int32_t B) {
  const int16_t left = int16_t((ScreenWidth - 640) / 2 + 53);
  BuildWINDOW(kTestWindow, "Periodicity Test Parameters", left, 150, int16_t(left + 530), 150 + 280, 262);
  rt::FBTextView(kTextView, {8, 8, 262, 272}, false);
  if (const auto bytes = rt::readWholeFile(rt::resourcePath("RTFfiles", "periodicity test.html")))
    rt::textViewSetHtml(kTextView, std::string(bytes->begin(), bytes->end()));
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(275, 28, "block size is");
  EFForeColor = EFBackColor = 0;
  buildef(0, kBlockSizeField, rt::PSstrLong(B), 370, 14, 450, 32, 7, 0);
  PrintAt(275, 58, "value of ");
  SetTextStyle(int16_t(rt::fontNumber("Apple Chancery")), 16, 0);
  PrintAt(275 + 56, 58, "K:");
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(275, 84, "pick a button value, or type a");
  PrintAt(275, 98, "value directly into the edit field");
  EFForeColor = EFBackColor = 1;
  buildef(1, kKField, "50", 370, 42, 450, 62, 3, 1);
  int i = 0;
  for (const ValueButton& v : kValues) {
    if (B < v.minimumBlock) break;
    const int x = 280 + 120 * (i / 4), y = 108 + 24 * (i % 4);
    rt::FBButton(v.id, 1, v.text, {x, y, x + 100, y + 20}, 1);
    ++i;
  }
  rt::FBButton(kHelpButton, 1, "?", {275, 240, 305, 262}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {320, 240, 410, 262}, 1);
  rt::FBButton(kOK, 1, "OK", {425, 240, 515, 262}, 4);
}

// ---- the test window ------------------------------------------------------------------

struct Pass {
  bool printer = false;
  int top = 0;  // 115 lower on the page
};

void drawChartFrame(const Pass& p, int32_t K, int32_t lag, int32_t step, float dt) {
  const int top = kChartTop + p.top, zero = top + 66;
  rt::foreColor(RGBblack);
  rt::frameRect({kChartLeft, top + 8, kChartLeft + kAxisWidth + 28, top + 124});
  rt::moveTo(kChartLeft, zero);
  rt::lineTo(kChartLeft + kAxisWidth + 27, zero);
  SetTextStyle(KestrixFont, 10, 0);
  PrintAt(4, zero - 22, "slope");
  PrintAt(kChartLeft - 12, zero - 8, "+");
  PrintAt(kChartLeft - 12, zero + 4, "0");
  PrintAt(kChartLeft - 12, zero + 18, "-");
  // Ticks with their intervals; the first label is the starting lag.
  const int32_t every = tickEvery(K);
  const int axisY = top + 124;
  // Labels in four digits; one that would run into the one before it is left out.
  const int digits = rt::gFBFloatMaxDigits;
  rt::gFBFloatMaxDigits = 4;
  const std::string first = intervalText(double(float(double(lag) * dt)), " hr");
  PrintAt(kChartLeft - 10, axisY + 14, first);
  int lastRight = 0;
  for (int32_t k = every; k <= K; k += every) {
    const int x = kChartLeft + int(int64_t(k) * kAxisWidth / K) + 4;
    rt::moveTo(x, axisY);
    rt::lineTo(x, axisY + 4);
    const std::string t = intervalText(double((double(k) * step + lag) * dt), " hr");
    const int w = rt::stringWidth(t);
    if (x - w / 2 > lastRight + 6 && x + w / 2 < kTestWidth) {
      PrintAt(x - w / 2, axisY + 28, t);
      lastRight = x + w / 2;
    }
  }
  rt::gFBFloatMaxDigits = digits;
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(kChartLeft + 120, axisY + 44,
          "interval between points (step size" + rt::PSstr(double(float(double(step) * dt))) + " sec) ");
}

void drawBars(const Pass& p, const std::vector<LagRegression>& r, float maxR2) {
  const int32_t K = int32_t(r.size());
  const int zero = kChartTop + p.top + 66;
  const auto xOf = [&](int32_t k) { return kChartLeft + int(int64_t(k) * kAxisWidth / K); };
  int a = 34, b = 43;
  if (K == 50) a = 34, b = 43;
  else if (K == 100 || (K == 200 && !p.printer)) a = 34, b = 38;
  else if (K == 200) a = 34, b = 35;
  else a = int(44 - 250.0 / K), b = int(44 + 250.0 / K);
  // Our chart starts at kChartLeft rather than 0: the offsets keep their width, not their place.
  a -= 34, b -= 34;
  if (K <= 200) {
    for (int32_t k = 1; k <= K; ++k) {
      const LagRegression& x = r[size_t(k - 1)];
      if (!std::isfinite(x.r2)) continue;
      const float h = barHeight(x, maxR2);
      const int len = int(std::fabs(h));
      const int l = xOf(k) + a, rr = std::max(xOf(k) + b, l + 1);
      const rt::Rect bar = h >= 0 ? rt::Rect{l, zero - len, rr, zero} : rt::Rect{l, zero + 1, rr, zero + 1 + len};
      rt::foreColor(std::fabs(h) > 49.999f ? RGBred : darkGray);
      rt::paintRect(bar);
      rt::foreColor(RGBblack);
      rt::frameRect(bar);
    }
    return;
  }
  std::vector<rt::PointF> pts;
  int bestX = -1, bestY = 0;
  rt::foreColor(darkGray);
  for (int32_t k = 1; k <= K; ++k) {
    const LagRegression& x = r[size_t(k - 1)];
    if (!std::isfinite(x.r2)) continue;
    const float h = barHeight(x, maxR2);
    const int px = xOf(k) + b + 1, py = zero - int(h);
    rt::moveTo(px, zero);
    rt::lineTo(px, py);
    pts.push_back({double(px), double(py)});
    if (std::fabs(h) > 49.999f) bestX = px, bestY = py;
  }
  if (pts.size() > 1) rt::strokePolyline(pts.data(), pts.size(), 1.0, RGBblack, false);
  if (bestX >= 0) {
    rt::foreColor(RGBred);
    rt::paintRect({bestX - 1, bestY - 1, bestX + 2, bestY + 2});
  }
}

void ShowRegressionPeaks(const Pass& p, const std::vector<LagRegression>& r, float maxR2) {
  const int top = p.top;
  rt::eraseRect({0, top + kPeaksTop - 13, kTestWidth, top + kPeaksTop + 16 * 13});
  const float t = peakThreshold(rt::PSval(rt::editTextIn(kTestWindow, kThresholdField)));
  if (!p.printer) rt::setButtonStateIn(kTestWindow, kShowPeaks, 1);
  const auto peaks = otherPeaks(r, t, maxR2);
  const size_t most = p.printer ? 50 : 32;
  const int saved = rt::gFBFloatMaxDigits;
  rt::gFBFloatMaxDigits = 4;
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  size_t i = 0;
  for (; i < peaks.size() && i < most; ++i) {
    const LagRegression& x = r[size_t(peaks[i])];
    const int px = i % 2 == 0 ? 25 : 280, py = top + kPeaksTop + 13 * int(i / 2);
    rt::moveTo(px, py);
    rt::drawString(intervalText(double(x.interval), " hours") + ";   r");
    rt::move(0, -5);
    rt::textSize(9);
    rt::drawString("2");
    rt::move(0, 5);
    rt::textSize(13);
    rt::drawString(" = " + rt::PSstr(x.r2));
  }
  rt::gFBFloatMaxDigits = saved;
  if (i >= 2) {
    SetTextStyle(KestrixFont, 12, rt::kBold);
    PrintAt(p.printer ? 200 : 400, top + kPeaksButtonTop + 15, "Other peaks found at:");
  }
}

void drawPass(const Pass& p, const SeriesBlock& b, int32_t lag, int32_t step, const std::vector<LagRegression>& r) {
  const int32_t K = int32_t(r.size());
  PrintSeriesBASICS(b, 0, p.top);
  drawChartFrame(p, K, lag, step, b.dt);
  const float maxR2 = maximumR2(r);
  drawBars(p, r, maxR2);
  const int32_t best = bestRegression(r);
  const int foot = kChartTop + p.top + 190;
  SetTextStyle(KestrixFont, 14, rt::kBold);
  if (best < 0) {
    rt::foreColor(RGBred);
    PrintAt(40, foot, "No regression has an r-squared: the block is flat at every interval tested.");
    rt::foreColor(RGBblack);
    return;
  }
  const LagRegression& x = r[size_t(best)];
  rt::foreColor(RGBred);
  rt::moveTo(40, foot);
  rt::drawString("Periodicity is highest at " + periodText(double(x.interval), K) + "; r");
  rt::move(0, -6);
  rt::textSize(10);
  rt::drawString("2");
  rt::move(0, 6);
  rt::textSize(14);
  rt::drawString(" = " + rt::PSstr(x.r2));
  // The slope test of the best regression, with its own sums.
  LineFit fit;
  fit.n = x.n, fit.Sxx = x.Sxx, fit.Syy = x.Syy, fit.Sxy = x.Sxy, fit.b = x.slope, fit.r2 = x.r2;
  rsquared = x.r2, ValueOfB = x.slope, nPoints = x.n, slope = 0.0f;
  sumx2 = x.Sxx, sumy2 = x.Syy, sumxy = x.Sxy;
  probability = testSlope(fit, 0.0f);
  const std::string pText = !std::isfinite(probability) ? " **"
                            : probability <= 0.00001f    ? " < 0.00001"
                                                         : rt::PSstr(probability);
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(!p.printer && probability < 0.05f ? RGBred : RGBblack);
  PrintAt(40, foot + 20, "N  = " + rt::PSstrLong(x.n) + "  Probability slope equals zero is" + pText);
  rt::foreColor(RGBblack);
  ShowRegressionPeaks(p, r, maxR2);
}

void StepSizeWarning(int32_t K) {
  rt::setOutputWindow(kTestWindow);
  if (const rt::Image img = rt::loadImage("DUdoderi", "CautionIcon.png")) {
    rt::drawImage(img, {100, 275, 128, 304});
    rt::releaseImage(img);
  }
  SetTextStyle(KestrixFont, 16, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(140, 300, "CAUTION:  ");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(240, 300, "the selected block is not big enough for this");
  PrintAt(140, 320, "combination of step size and step number, so the number of");
  PrintAt(140, 340, "steps has been reduced to" + rt::PSstrLong(K) + ", so that the last");
  PrintAt(140, 360, "regression keeps at least three points.");
  rt::FBButton(kContinue, 1, "Continue", {250, 380, 350, 404}, 4);
  rt::flushWindow(kTestWindow);
  for (;;) {
    const ToolEvent e = nextToolEvent();
    if ((e.action == 1 && e.id == kContinue) || (e.action == 16 && e.id == 13) ||
        (e.action == 4 && e.id == kTestWindow))
      break;
  }
  rt::setOutputWindow(kTestWindow);
  rt::removeControl(kContinue);
  rt::eraseRect({90, 265, kTestWidth, 410});
}

void buildTestWindow(const SeriesBlock& b, int32_t K, int32_t lag, int32_t step) {
  const int16_t left = int16_t((ScreenWidth - 640) / 2 + 20);
  BuildWINDOW(kTestWindow,
              "Channel" + rt::PSstrLong(b.channel) + ":  " + rt::PSstrLong(K) +
                  "-Step Interval Test: Summary Plot of Correlations",
              left, 46, int16_t(left + kTestWidth), int16_t(46 + kTestHeight), 262);
  SetTextStyle(KestrixFont, 11, 0);
  rt::foreColor(RGBblack);
  PrintAt(56, 8 + 16, "Computing " + rt::PSstrLong(K) + " regressions of about" +
                          rt::PSstr(double(b.end - b.begin + 1 - lag) - double(K) * step * 0.5) + " points each. . .");
  (void)lag;
}

void placeButtons(const std::string& threshold) {
  rt::FBButton(kShowPeaks, 0, "Show Other Peaks Where r-squared > ", {25, kPeaksButtonTop, 285, kPeaksButtonTop + 20}, 1);
  EFForeColor = EFBackColor = 1;
  buildef(1, kThresholdField, threshold, 292, kPeaksButtonTop, 350, kPeaksButtonTop + 20, 3, 1);
  rt::FBButton(kPrint, 1, "Print...", {25, kTestHeight - 32, 125, kTestHeight - 10}, 1);
  rt::FBButton(kSave, 1, "Save...", {140, kTestHeight - 32, 240, kTestHeight - 10}, 1);
  rt::FBButton(kDone, 1, "Done", {kTestWidth - 125, kTestHeight - 32, kTestWidth - 25, kTestHeight - 10}, 4);
}

void screenPass(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K, bool reduced, const std::string& t) {
  buildTestWindow(b, K, lag, step);
  if (reduced) StepSizeWarning(K);
  rt::setOutputWindow(kTestWindow);
  buildProgressBAR(56, 10, 556, 20, K, kTestWindow);
  rt::setCursor(rt::Cursor::Wait);
  const auto& r = regressionsFor(b, lag, step, K);
  UpdateProgressBar(K);
  rt::setCursor(rt::Cursor::Arrow);
  rt::setOutputWindow(kTestWindow);
  rt::removeControl(777);
  rt::eraseRect({0, 0, kTestWidth, 26});
  placeButtons(t);
  drawPass({}, b, lag, step, r);
  rt::flushWindow(kTestWindow);
  skid();
}

void printPass(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K) {
  if (!rt::pageSetup()) return;
  rt::setPageScale(0.85);
  rt::SetPrintJobName("Periodicity test of '" + FileName[b.f] + "'");
  if (!rt::FBPrintDialogRuntime()) return;
  const auto& r = regressionsFor(b, lag, step, K);
  rt::FBRoute(128);
  Pass p{true, 0};
  SetTextStyle(KestrixFont, 14, rt::kBold);
  drawPass(p, b, lag, step, r);
  const int32_t peaks = std::min<int32_t>(int32_t(otherPeaks(r, peakThreshold(rt::PSval(rt::editTextIn(
                                                              kTestWindow, kThresholdField))),
                                                          maximumR2(r)).size()), 50);
  const int rule = kPeaksTop + 13 * ((peaks + 1) / 2) + 6;
  rt::foreColor(RGBblack);
  rt::moveTo(10, rule);
  rt::lineTo(600, rule);
  PrintTheComments(int16_t(rule + 20));
  rt::FBRoute(0);
  if (!rt::CloseLPrint()) Warn(1166, "Periodicity Test: ", {"The page could not be printed."});
}

void savePass(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K) {
  const bool tabs = UseExcelFormat != 0;
  const auto path = rt::OSpanelSave("File for time series results:", tabs ? "time series data.xls" : "time series data.csv");
  if (!path) return;
  const auto& r = regressionsFor(b, lag, step, K);
  std::string label = RetrieveLabelOf(b.f, b.channel);
  while (!label.empty() && label.back() == ' ') label.pop_back();
  const std::string text =
      periodicityExportText({FileName[b.f], label, b.begin, b.end, K, tabs ? '\t' : ',', rt::gFBFloatMaxDigits}, r);
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why))
    Warn(1166, "Periodicity Test: ", {"The file could not be written.", why});
}

}  // namespace

int32_t PERIODICITYSAMPLES(int32_t B) {
  buildParametersWindow(B);
  int32_t K = 0;
  for (;;) {
    const auto [a, id, menuPicked] = nextToolEvent();
    if (a == 4 && id == kTestWindow) {
      K = 0;
      break;
    }
    if (a == 1) {
      if (id == kCancel) break;
      if (id == kHelpButton) {
        HelpSubject = kParametersHelp;
        OpenHelpBook();
        continue;
      }
      bool value = false;
      for (const ValueButton& v : kValues)
        if (v.id == id) rt::setEditTextIn(kTestWindow, kKField, v.text), value = true;
      if (value || id != kOK) continue;
    } else if (!(a == 16 && id == 13)) {
      continue;
    }
    const double typed = std::trunc(rt::PSval(rt::editTextIn(kTestWindow, kKField)));
    K = typed > 0 && typed <= B ? int32_t(typed) : 0;
    break;
  }
  rt::closeWindow(kTestWindow);
  return K;
}

void SUMTIMESTATS(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K, bool reduced) {
  std::string threshold = ".01";
  screenPass(b, lag, step, K, reduced, threshold);
  for (;;) {
    const auto [a, id, menuPicked] = nextToolEvent();
    if (menuPicked) break;
    if ((a == 4 && id == kTestWindow) || (a == 1 && id == kDone) || (a == 3 && id != kTestWindow)) break;
    if (a != 1) continue;
    threshold = rt::editTextIn(kTestWindow, kThresholdField);
    if (id == kShowPeaks) {
      rt::setOutputWindow(kTestWindow);
      ShowRegressionPeaks({}, regressionsFor(b, lag, step, K), maximumR2(regressionsFor(b, lag, step, K)));
      rt::flushWindow(kTestWindow);
    } else if (id == kPrint || id == kSave) {
      if (id == kPrint) printPass(b, lag, step, K);
      else savePass(b, lag, step, K);
      screenPass(b, lag, step, K, reduced, threshold);
    }
  }
  rt::closeWindow(kTestWindow);
  if (rt::windowExists(kSeriesWindow)) rt::setOutputWindow(kSeriesWindow);
  rt::penNormal();
}

}  // namespace qv
