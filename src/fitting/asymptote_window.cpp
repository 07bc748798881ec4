// "Asymptote Analysis" (window 4) and its plots (window 250): the level the active channel's
// block is heading for, its rate constant, and the time for a chosen part of the change.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/curve_fit_state.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/fit_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/output_state.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_recorder.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/stats_state.h"
#include "core/text_format.h"
#include "core/view_state.h"
#include "fitting/asymptote_search.h"
#include "fitting/commands.h"
#include "fitting/fit_steps.h"
#include "output/commands.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"
#include "stats/block_value_range.h"

namespace qv {

namespace {

constexpr int kWindow = 4, kPlotWindow = 250, kLabelStrip = 966;
constexpr int kCalculate = 1, kDone = 2, kTimeUnit = 3, kPrint = 4, kShowRegression = 5, kShowResiduals = 6,
              kHelp = 10, kChangePopup = 50;
constexpr int kIterations = 102, kAsymptote = 103, kBand = 104, kDetermination = 105, kRate = 106, kTime = 107;
constexpr int16_t kChangeMenu = 1101, kAsymptoteHelp = 194, kStepCode = 38;

struct Run {
  int f = 0;
  int16_t step = 0;
  int iterations = 12;
  int plotMode = 0;
};

std::span<const float> activeSamples(int f) { return analysisSamples(f, ActiveChannel); }

std::string shown(double x) { return std::isfinite(x) ? StringFormatter(float(x)) : std::string("**"); }

// ASYM_DATA: the rate constant and the time for the chosen change from the line at A.
void showRate(int f) {
  rt::setOutputWindow(kWindow);
  const AsymptoteFit& a = LastAsymptote;
  if (!a.found()) {
    rt::setEditText(kRate, "");
    rt::setEditText(kTime, "");
    return;
  }
  const AsymptoteRate r = asymptoteRate(a.b, FileInfoFLOATS[f][1], TimeUnits, AsymptoteLnRemaining);
  const std::string rate = !std::isfinite(r.rate) ? std::string("**") : r.rate < 0.99999 ? shown(r.rate) : " > .99999";
  rt::setEditText(kRate, rate + rateSuffix(TimeUnits));
  rt::setEditText(kTime, shown(r.time) + durationSuffix(TimeUnits));
}

RGB schemeBackground(int scheme) {
  return scheme == 4 ? manila : scheme == 3 ? RGBblack : scheme == 2 ? RGBwhite : plotBackColor;
}
RGB schemeInk(int scheme) { return scheme == 3 ? RGBwhite : RGBblack; }

// ASYMPLOT: mode 0 ln|A - v| against the case with the line; mode 1 the residuals of the line.
void drawPlot(int f, int mode) {
  const AsymptoteFit& a = LastAsymptote;
  if (!a.found()) return;
  const int H = std::clamp<int>(BottomOfPlotArea - 10, 260, 350);
  const rt::Rect results = rt::windowContentRect(kWindow);
  if (!rt::windowExists(kPlotWindow)) {
    const int top = std::min(results.top, rt::screenRect().bottom - H - 4);
    rt::openWindow(kPlotWindow,
                   "Asymptote Results; Channel" + rt::PSstrLong(ActiveChannel) + ":  " + RetrieveLabel(ActiveChannel),
                   {results.right + 4, top, results.right + 4 + 422, top + H}, rt::kDocumentWindowClass, 0);
  }
  rt::setOutputWindow(kPlotWindow);
  rt::setWindowBackground(kPlotWindow, LightGray);
  rt::clearWindow();
  for (int id : {99, 101, 102, 103, 104}) rt::removeControl(id);
  // The box is coloured by the plot colour preference (word 82), as the plot window is.
  const int scheme = prefsArray[82];
  const rt::Rect box{118, 6, 416, H - 67};
  rt::foreColor(schemeBackground(scheme));
  rt::paintRect(box);
  rt::foreColor(RGBblack);
  rt::frameRect({box.left - 1, box.top - 1, box.right + 1, box.bottom + 1});
  const auto v = activeSamples(f);
  const int32_t n = a.end - a.begin + 1;
  double top, bottom;
  if (mode == 0) {
    const double l1 = std::log(std::fabs(a.A - double(a.blockMin))), l2 = std::log(std::fabs(a.A - double(a.blockMax)));
    top = std::max(l1, l2);
    bottom = std::min(l1, l2);
  } else {
    top = -INFINITY, bottom = INFINITY;
    for (float r : a.residuals)
      if (std::isfinite(r)) top = std::max(top, double(r)), bottom = std::min(bottom, double(r));
  }
  if (!(top > bottom)) top = bottom + 1.0;
  const double perCase = double(box.width() - 1) / std::max<int32_t>(n - 1, 1);
  const double perUnit = double(box.height() - 1) / (top - bottom);
  auto colOf = [&](int32_t k) { return box.left + int(double(k - a.begin) * perCase); };
  auto rowOf = [&](double y) { return box.top + int((top - y) * perUnit); };
  auto inBox = [&](int row) { return row >= box.top && row < box.bottom; };
  rt::foreColor(schemeInk(scheme));
  SetTextStyle(KestrixFont, 10, 0);
  rt::FBEditField(103, shown(top), {2, box.top, 114, box.top + 15}, 7, 2);
  rt::FBEditField(104, shown(bottom), {2, box.bottom - 15, 114, box.bottom}, 7, 2);
  rt::FBEditField(101, rt::PSstrLong(a.begin + 1), {box.left - 20, box.bottom + 3, box.left + 60, box.bottom + 17}, 7);
  rt::FBEditField(102, rt::PSstrLong(a.end + 1), {box.right - 80, box.bottom + 3, box.right + 4, box.bottom + 17}, 7, 2);
  rt::foreColor(RGBblack);
  PrintAt(box.left + 110, box.bottom + 15, "Sample number");
  if (mode == 0) {
    SetTextStyle(KestrixFont, 22, 0);
    PrintAt(4, 110, "goodness");
    PrintAt(4, 136, "of fit plot");
    SetTextStyle(KestrixFont, 10, 0);
    rt::FBEditField(99, "The Y axis is the natural log of the absolute value of: ( asymptote - data )",
                    {10, H - 44, 416, H - 14}, 7);
    rt::foreColor(scheme == 3 ? RGBwhite : RGBblue);
    if (n < 61) {
      for (int32_t k = a.begin; k <= a.end; ++k) {
        if (!std::isfinite(v[size_t(k)])) continue;
        const int row = rowOf(std::log(std::fabs(a.A - double(v[size_t(k)]))));
        if (inBox(row)) rt::frameOval({colOf(k) - 2, row - 2, colOf(k) + 3, row + 3});
      }
    } else {
      // A long block as a trace: each pixel column from its smallest to its largest value.
      std::vector<double> lo(size_t(box.width()), INFINITY), hi(size_t(box.width()), -INFINITY);
      for (int32_t k = a.begin; k <= a.end; ++k) {
        if (!std::isfinite(v[size_t(k)])) continue;
        const double y = std::log(std::fabs(a.A - double(v[size_t(k)])));
        const size_t c = size_t(std::clamp(colOf(k) - box.left, 0, box.width() - 1));
        lo[c] = std::min(lo[c], y);
        hi[c] = std::max(hi[c], y);
      }
      for (size_t c = 0; c < lo.size(); ++c) {
        if (!(hi[c] >= lo[c])) continue;
        const int r1 = std::clamp(rowOf(hi[c]), box.top, box.bottom - 1), r2 = std::clamp(rowOf(lo[c]), box.top, box.bottom - 1);
        rt::moveTo(box.left + int(c), r1);
        rt::lineTo(box.left + int(c), r2);
      }
    }
    std::vector<rt::PointF> line;
    for (int32_t k : {a.begin, a.end}) {
      const int row = rowOf(a.a + a.b * double(k));
      line.push_back({double(colOf(k)), double(std::clamp(row, box.top, box.bottom - 1))});
    }
    rt::strokePolyline(line.data(), line.size(), 1.5, RGBred, true);
  } else {
    SetTextStyle(KestrixFont, 22, 0);
    PrintAt(4, 110, "residuals");
    PrintAt(4, 136, "plot");
    SetTextStyle(KestrixFont, 10, 0);
    rt::FBEditField(99, "from regression model:    ln of ( asymptote - data )", {10, H - 44, 416, H - 14}, 7);
    // Each pixel once: a dot per occupied pixel however many residuals fall on it.
    std::vector<uint8_t> mask(size_t(box.width()) * size_t(box.height()), 0);
    double sum = 0.0;
    int32_t count = 0;
    for (size_t i = 0; i < a.residuals.size(); ++i) {
      const float r = a.residuals[i];
      if (!std::isfinite(r)) continue;
      sum += r;
      ++count;
      const int c = colOf(a.begin + int32_t(i)) - box.left, row = rowOf(r) - box.top;
      if (c >= 0 && c < box.width() && row >= 0 && row < box.height()) mask[size_t(row) * size_t(box.width()) + size_t(c)] = 1;
    }
    rt::foreColor(scheme == 3 ? RGBwhite : RGBblue);
    for (int row = 0; row < box.height(); ++row)
      for (int c = 0; c < box.width(); ++c)
        if (mask[size_t(row) * size_t(box.width()) + size_t(c)])
          rt::frameOval({box.left + c - 2, box.top + row - 2, box.left + c + 3, box.top + row + 3});
    if (count > 0) {
      const int row = std::clamp(rowOf(sum / count), box.top, box.bottom - 1);
      rt::foreColor(RGBred);
      rt::moveTo(box.left, row);
      rt::lineTo(box.right - 1, row);
    }
  }
  rt::foreColor(RGBblack);
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
}

void plotButton(Run& r) {
  rt::setOutputWindow(kWindow);
  rt::removeControl(kShowRegression);
  rt::removeControl(kShowResiduals);
  const AsymptoteFit& a = LastAsymptote;
  if (!a.found() || a.residuals.empty()) return;
  if (r.plotMode == 0) rt::FBButton(kShowResiduals, 1, "Show Residuals", {200, 300, 314, 320}, 1);
  else rt::FBButton(kShowRegression, 1, "Show Regression", {200, 300, 314, 320}, 1);
}

void publish(const AsymptoteFit& a) {
  LastAsymptote = a;
  if (!a.found()) return;
  meanValue = a.r2 * 100.0;
  StandardDeviation = float(a.A);
  nrPoints = a.iterations;
  mi = a.blockMin;
  ma = a.blockMax;
  ValueOfA = float(a.a);
  ValueOfB = float(a.b);
  sumy2 = a.A;
  rsquared = float(a.r2);
  nPoints = a.n;
}

// Do_ASYMPTOTE: one whole search with the count of field 102.
void search(Run& r) {
  const int f = r.f;
  rt::setOutputWindow(kWindow);
  const int typed = int(rt::PSval(rt::editText(kIterations)));
  r.iterations = std::clamp(typed, 6, 50);
  rt::setEditText(kIterations, std::to_string(r.iterations));
  rt::setEditText(kAsymptote, "working...");
  rt::setCursor(rt::Cursor::Wait);
  const auto v = activeSamples(f);
  // The start points come from the active channel's own block range, whatever the plot shows.
  const ValueRange range = blockValueRange(v, BeginBlock.inUse(), EndBlock.inUse());
  buildProgressBAR(20, 85, 300, 95, r.iterations, kWindow);
  const AsymptoteFit a =
      searchAsymptote(v, BeginBlock.inUse(), EndBlock.inUse(), range.min, range.max, r.iterations,
                      [&](int k, double A, double r2) {
                        UpdateProgressBar(k);
                        rt::setEditText(kAsymptote, shown(A));
                        rt::setEditText(kDetermination, shown(r2 * 100.0) + "% ");
                        rt::refreshPump();
                      });
  rt::setOutputWindow(kWindow);
  rt::removeControl(777);
  publish(a);
  if (a.found()) {
    rt::setEditText(kAsymptote, shown(a.A));
    rt::setEditText(kBand, std::string("\u00b1 ") + shown(std::fabs((1.0 - a.r2) * a.A)));
    rt::setEditText(kDetermination, shown(a.r2 * 100.0) + "% ");
  } else {
    rt::setEditText(kAsymptote, "none");
    rt::setEditText(kBand, "");
    rt::setEditText(kDetermination, "");
    Warn(1166, "No asymptote found: ", {a.refused});
    rt::setOutputWindow(kWindow);
  }
  showRate(f);
  rt::setCursor(rt::Cursor::Arrow);
  action = eventID = 0;
  skid();
  completeFitStep(r.step, {{2, float(r.iterations)}, {3, float(TimeUnits)}, {4, AsymptoteLnRemaining},
                           {5, float(SlopeID)}});
  r.plotMode = 0;
  if (a.found()) drawPlot(f, 0);
  else rt::closeWindow(kPlotWindow);
  plotButton(r);
}

void buildWindow(const Run& r) {
  OpenResultsWindow(0, 0, "Asymptote Analysis", 0);
  rt::setOutputWindow(kWindow);
  rt::setWindowBackground(kWindow, LightGray);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 18, "number of iterations (6-50):");
  rt::FBEditField(kIterations, std::to_string(r.iterations), {200, 4, 250, 20}, 3);
  rt::foreColor(manila);
  rt::paintRect({6, 28, 314, 78});
  rt::foreColor(RGBblack);
  rt::frameRect({6, 28, 314, 78});
  SetTextStyle(KestrixFont, 10, 0);
  PrintAt(12, 42, "Asymptotes are computed ");
  rt::foreColor(RGBblue);
  SetTextStyle(KestrixFont, 10, 1);
  rt::drawString("iteratively ");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 10, 0);
  rt::drawString("(6-50");
  PrintAt(12, 55, "cycles; high counts may slow calculation).");
  PrintAt(12, 71, "\u2022   Model:   ");
  rt::foreColor(RGBred);
  rt::drawString("Y = ");
  rt::foreColor(RGBblack);
  rt::drawString("ln ");
  SetTextStyle(KestrixFont, 10, 1);
  rt::drawString(" (asymptote - data) ");
  SetTextStyle(KestrixFont, 12, 0);
  const struct {
    int label;
    const char* text;
    int field, y;
  } rows[] = {{110, "Asymptote:", kAsymptote, 104}, {111, "S.D:", kBand, 128}, {112, "C.D.:", kDetermination, 152},
              {113, "Rate constant:", kRate, 176}};
  for (const auto& row : rows) {
    rt::FBEditField(row.label, row.text, {10, row.y, 120, row.y + 18}, 7, 2);
    rt::FBEditField(row.field, "", {126, row.y, 314, row.y + 18}, 7);
  }
  rt::setEditColors(110, RGBred, LightGray);
  rt::setEditColors(kAsymptote, RGBred, LightGray);
  rt::setEditColors(kBand, RGBblue, LightGray);
  rt::setEditText(kAsymptote, "working...");
  RateConstantPopupMenu(kChangeMenu);
  rt::FBAppearanceButton(kChangePopup, 1, SlopeID, kChangeMenu, 0, "", {10, 202, 80, 222}, rt::kControlPopupButton);
  rt::FBEditField(115, "change:", {82, 204, 132, 222}, 7);
  rt::FBEditField(114, "\u2206t,", {134, 204, 160, 222}, 7);
  rt::FBEditField(kTime, "", {162, 204, 314, 222}, 7);
  rt::FBButton(kCalculate, 1, "Calculate", {10, 240, 110, 260}, 4);
  rt::FBButton(kHelp, 1, "?", {120, 240, 150, 260}, 1);
  rt::FBButton(kDone, 1, "Done", {234, 240, 314, 260}, 1);
  rt::FBButton(kTimeUnit, 1, "Change Time Unit", {10, 270, 150, 290}, 1);
  rt::FBButton(kPrint, PortForResultsOutput != 0 ? 1 : 0, "Print", {160, 270, 230, 290}, 1);
}

// The change chosen by a replayed step: word 5 names the item; a step without it names the
// change by its ln(1 - p) in word 4.
void replayChange(const float* w) {
  SlopeID = 6;
  if (w[5] >= 1.0f && w[5] <= 11.0f && w[5] == float(int(w[5]))) {
    SlopeID = int16_t(w[5]);
  } else {
    for (int item = 1; item <= 11; ++item)
      if (std::fabs(lnRemainingOf(item) - w[4]) < 1e-4f) SlopeID = int16_t(item);
  }
  AsymptoteLnRemaining = lnRemainingOf(SlopeID);
}

// False when the window ends.
bool handle(Run& r) {
  const int id = eventID;
  switch (action) {
    case 1:
      if (toolbarButtonPicked(id)) return false;
      switch (id) {
        case kCalculate: search(r); break;
        case kDone: return false;
        case kChangePopup:
          SlopeID = int16_t(std::clamp(rt::controlValueIn(kWindow, kChangePopup), 1, 11));
          AsymptoteLnRemaining = lnRemainingOf(SlopeID);
          showRate(r.f);
          completeFitStep(r.step, {{4, AsymptoteLnRemaining}, {5, float(SlopeID)}});
          break;
        case kTimeUnit:
          TIMECHOICE(1);
          showRate(r.f);
          completeFitStep(r.step, {{3, float(TimeUnits)}});
          break;
        case kPrint:
          if (LastAsymptote.found()) printAnalysisReport('p');
          break;
        case kShowResiduals:
        case kShowRegression:
          r.plotMode = id == kShowResiduals ? 1 : 0;
          drawPlot(r.f, r.plotMode);
          plotButton(r);
          break;
        case kHelp: OpenHelpBook(); break;
        default: break;
      }
      return true;
    case 16:
      // While a script runs, Return ends the window (the search has run) as it ends the others.
      if (id == 13 && RunScript) return false;
      if (id == 13) search(r);
      else if (id == '?' || id == '/') OpenHelpBook();
      else if ((id == 'P' || id == 'p') && PortForResultsOutput != 0 && LastAsymptote.found()) printAnalysisReport(id);
      return true;
    case 3: return id == kLabelStrip || id == kWindow || id == kPlotWindow;
    case 4: return id != kWindow;
    default: return true;
  }
}

}  // namespace

void ASYMPTOTE() {
  const int f = TheFileInUse;
  if (!analysisBlockSet(f) || activeSamples(f).empty()) return;
  SavedHandlers saved;
  HelpSubject = kAsymptoteHelp;
  Run r;
  r.f = f;
  const float* replayed = replayedStep(kStepCode);
  r.step = RecordScriptStep(kStepCode);
  AnalysisCode = kCodeAsymptote;
  if (replayed) {
    r.iterations = std::clamp(int(replayed[2]), 6, 50);
    TimeUnits = int16_t(std::clamp(int(replayed[3]), 0, 3));
    replayChange(replayed);
  } else {
    TimeUnits = 1;
    if (SlopeID < 1 || SlopeID > 11) SlopeID = 6;
    AsymptoteLnRemaining = lnRemainingOf(SlopeID);
  }
  LastAsymptote = AsymptoteFit{};
  buildWindow(r);
  rt::bringWindowForward(kWindow);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  // The count of iterations takes typing; the keys of the window act everywhere else.
  AnalysisTypingField = kIterations;
  search(r);
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  for (;;) {
    HelpSubject = kAsymptoteHelp;
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED || !handle(r)) break;
  }
  AnalysisTypingField = 0;
  rt::FlushEvents();
  rt::closeWindow(kPlotWindow);
  rt::closeWindow(kWindow);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  bup();
}

}  // namespace qv
