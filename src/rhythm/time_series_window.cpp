// "Basic Time Series": the lag panels of the selected block, their printed page, and the
// start of the periodicity test.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/output_state.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "core/channel_roles.h"
#include "core/clicked_points_state.h"
#include "output/image_print.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/lag_panels.h"
#include "rhythm/periodicity.h"
#include "rhythm/time_series.h"
#include "rhythm/tool_events.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kSeriesWindow = 6, kPeriodicityWindow = 12, kPrinterWindow = 678;
constexpr int kPlot = 1, kPrint = 2, kDone = 3, kHelp = 5, kPeriodicity = 6;
constexpr int kLagField = 101, kStepField = 102, kLagSeconds = 110, kStepSeconds = 111;
constexpr int kPanelLabelBase = 200;
constexpr int16_t kSeriesHelp = 190;
constexpr int kWidth = 635, kHeight = 470;

int panelTop(int row) { return 115 * row; }

void drawPanelFrames() {
  for (int p = 1; p <= 18; ++p) {
    const int c = (p - 1) % 6, y0 = panelTop((p - 1) / 6);
    rt::foreColor(RGBblack);
    rt::frameRect({4 + 105 * c, y0 + 20, 106 + 105 * c, y0 + 116});
  }
}

int32_t typedInteger(int field) { return lagOrStep(rt::PSval(rt::editTextIn(kSeriesWindow, field))); }

void showSeconds(int field, int32_t v, float dt, double& shown) {
  const double s = double(float(double(v) * dt));
  if (s == shown) return;
  shown = s;
  rt::setEditTextIn(kSeriesWindow, field, rt::PSstr(s));
}

void buildSeriesWindow(const SeriesBlock& b) {
  const std::string title = "Time Series Analysis, Channel" + rt::PSstrLong(b.channel) +
                            ":  Y Value at X  vs. Y Value at X + Step";
  const int16_t left = int16_t((ScreenWidth - 640) / 2 + 3);
  BuildWINDOW(kSeriesWindow, title, left, 44, int16_t(left + kWidth), int16_t(44 + kHeight), 262);
  drawPanelFrames();
  rt::foreColor(RGBblack);
  DoubleLINE(4, kWidth - 4, 350);
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(10, 378, "Starting lag (points):");
  PrintAt(330, 378, "starting lag =");
  PrintAt(560, 378, "sec");
  PrintAt(10, 410, "  Step size (points):");
  PrintAt(330, 410, "time step =");
  PrintAt(560, 410, "sec");
  EFForeColor = EFBackColor = 1;
  buildef(1, kLagField, "1", 200, 362, 280, 384, 3, 1);
  buildef(1, kStepField, "1", 200, 394, 280, 416, 3, 1);
  buildef(0, kLagSeconds, rt::PSstr(b.dt), 450, 364, 550, 384, 7, 2);
  buildef(0, kStepSeconds, rt::PSstr(b.dt), 450, 396, 550, 416, 7, 2);
  for (int id : {kLagField, kStepField, kLagSeconds, kStepSeconds}) rt::setEditFont(id, KestrixFont, 14, 0);
  rt::FBButton(kPlot, 1, "Plot T versus T + step", {10, 434, 190, 458}, 1);
  rt::FBButton(kPrint, 0, "Print...", {200, 434, 280, 458}, 1);
  rt::FBButton(kHelp, 1, "?", {290, 434, 320, 458}, 1);
  rt::FBButton(kDone, 1, "Done", {330, 434, 410, 458}, 1);
  rt::FBButton(kPeriodicity, 1, "Periodicity Analysis...", {420, 434, 625, 458}, 4);
}

// The block's range on entry: the panels keep it whatever later drawings do to BlockMinY.
void takeRange(SeriesBlock& b) {
  float lo = INFINITY, hi = -INFINITY;
  for (int32_t t = b.begin; t <= b.end; ++t)
    if (const float v = b.y[size_t(t)]; std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  if (lo > hi) lo = hi = 0.0f;
  b.lo = lo, b.hi = hi;
}

void runPeriodicity(const SeriesBlock& b, int32_t lag, int32_t step) {
  const int32_t K = PERIODICITYSAMPLES(b.end - b.begin);
  if (K <= 0) return;
  const int64_t limit = periodicityLimit(b.begin, b.end, lag, step);
  if (limit < 1) {
    Warn(1166, "Periodicity Analysis: ",
         {"The starting lag and step size leave fewer than three points in the block",
          "for the first regression. Use a shorter lag or step, or a longer block."});
    return;
  }
  bool reduced = false;
  int32_t k = K;
  if (k > limit) {
    PlaySound("bzot.mp3", "DIduzodu");
    k = int32_t(limit);
    reduced = true;
  }
  SUMTIMESTATS(b, lag, step, k, reduced);
}

}  // namespace

void paintMask(const std::vector<uint8_t>& mask, rt::Point origin) {
  for (int r = 0; r < kPanelHeight; ++r) {
    const uint8_t* row = mask.data() + size_t(r) * kPanelWidth;
    for (int c = 0; c < kPanelWidth;) {
      if (!row[c]) {
        ++c;
        continue;
      }
      int e = c;
      while (e < kPanelWidth && row[e]) ++e;
      rt::paintRect({origin.x + c, origin.y + r, origin.x + e, origin.y + r + 1});
      c = e;
    }
  }
}

void PLOTSERIES(const SeriesBlock& b, int32_t step, int32_t lag) {
  step = std::max(step, 1), lag = std::max(lag, 1);
  rt::setOutputWindow(kSeriesWindow);
  rt::setCursor(rt::Cursor::Wait);
  const PanelPlaces places = panelPlaces(b.y, b.begin, b.end, b.lo, b.hi);
  std::vector<uint8_t> mask;
  for (int p = 1; p <= 18; ++p) {
    const int c = (p - 1) % 6, y0 = panelTop((p - 1) / 6), x0 = 105 * c;
    const double T = panelSeconds(p, lag, step, b.dt);
    EFForeColor = EFBackColor = 0;
    buildef(0, int16_t(kPanelLabelBase + p), panelLabel(T), int16_t(x0 + 5), int16_t(y0 + 2), int16_t(x0 + 105),
            int16_t(y0 + 18), 7, 1);
    rt::setEditFont(kPanelLabelBase + p, KestrixFont, 10, 0);
    rt::foreColor(BlockBackColor);
    rt::paintRect({x0 + 5, y0 + 21, x0 + 105, y0 + 115});
    panelMask(places, int64_t(p) * step + lag, mask);
    rt::foreColor(BlockForeColor);
    paintMask(mask, {x0 + 5, y0 + 21});
    rt::foreColor(RGBblack);
    rt::frameRect({x0 + 4, y0 + 20, x0 + 106, y0 + 116});
  }
  rt::flushWindow(kSeriesWindow);
  rt::setCursor(rt::Cursor::Arrow);
  rt::penNormal();
  SecondChannel = 1;
}

void PrintSeriesBASICS(const SeriesBlock& b, uint16_t forPrinter, int top) {
  const int y0 = (forPrinter ? 475 : 30) + top;
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 14, rt::kBold);
  // On paper the panels end just above: the header starts a line lower.
  const int shift = forPrinter ? 14 : 0;
  PrintAt(10, y0 - 4 + shift, "Graphical Time Series Analysis");
  SetTextStyle(KestrixFont, 11, 0);
  const int x = 10;
  int y = y0 + 20 + shift;
  PrintAt(x, y, "  File '" + FileName[b.f] + "'");
  PrintAt(x, y += 15, "Recorded " + StartDate[b.f] + " @ " + StartTime[b.f]);
  std::string label = RetrieveLabelOf(b.f, b.channel);
  while (!label.empty() && label.back() == ' ') label.pop_back();
  PrintAt(x, y += 15, "channel" + rt::PSstrLong(b.channel) + "; " + label);
  PrintAt(x, y += 15, "Cases analyzed: " + rt::PSstrLong(b.begin + 1) + " to" + rt::PSstrLong(b.end + 1) +
                          ";  N = " + rt::PSstrLong(int64_t(b.end) + 1 - b.begin));
  if (forPrinter) TITLE(10, int16_t(590 + top), 1);
  // The trace of the block, scaled to the range taken on entry.
  const rt::Rect frame = forPrinter ? rt::Rect{370, 481 + top, 621, 567 + top} : rt::Rect{286, 25 + top, 537, 111 + top};
  rt::foreColor(RGBblack);
  rt::frameRect(frame);
  const int width = frame.right - frame.left - 1, height = frame.bottom - frame.top - 5;
  const double range = double(b.hi) - b.lo;
  const int64_t n = int64_t(b.end) - b.begin;
  std::vector<rt::PointF> pts;
  pts.reserve(size_t(std::min<int64_t>(n + 1, 4 * width)));
  // Columns of many cases keep their extremes, as the plot's traces do.
  const int64_t every = std::max<int64_t>(1, (n + 1) / std::max(1, 2 * width));
  for (int64_t t = b.begin; t <= b.end; t += every) {
    float lo = INFINITY, hi = -INFINITY;
    for (int64_t u = t; u < std::min<int64_t>(t + every, int64_t(b.end) + 1); ++u)
      if (const float v = b.y[size_t(u)]; std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    if (lo > hi) continue;
    const double px = frame.left + 1 + (n > 0 ? double(t - b.begin) * width / double(n) : 0.0);
    for (float v : {lo, hi}) {
      const double py = frame.bottom - 3 - (range > 0 ? (double(v) - b.lo) * height / range : height / 2.0);
      pts.push_back({px, py});
      if (lo == hi) break;
    }
  }
  if (pts.size() > 1) rt::strokePolyline(pts.data(), pts.size(), 1.0, RGBblack, true);
}

void PRINTSERIES(const SeriesBlock& b, int32_t step, int32_t lag) {
  step = std::max(step, 1), lag = std::max(lag, 1);
  const rt::Rect w = rt::windowContentRect(kSeriesWindow);
  BuildWINDOW(kPrinterWindow, "printer output", int16_t(w.left + 150), int16_t(w.top + 120), int16_t(w.left + 450),
              int16_t(w.top + 230), 261);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, 30, "Recommended scaling:");
  for (int i = 0; i < 2; ++i) {
    rt::frameRect({180 + 60 * i, 14, 230 + 60 * i, 38});
    PrintAt(190 + 60 * i, 31, i == 0 ? "85%" : "90%");
  }
  rt::flushWindow(kPrinterWindow);
  const auto done = [] { rt::closeWindow(kPrinterWindow); rt::setOutputWindow(kSeriesWindow); };
  if (!rt::pageSetup()) return done();
  rt::setOutputWindow(kPrinterWindow);
  rt::foreColor(RGBred);
  PrintAt(20, 70, "Sending time series to printer...");
  rt::flushWindow(kPrinterWindow);
  rt::setPageScale(0.85);
  rt::SetPrintJobName("Time series of '" + FileName[b.f] + "'");
  if (!rt::FBPrintDialogRuntime()) return done();
  rt::setCursor(rt::Cursor::Wait);
  rt::FBRoute(128);
  const PanelPlaces places = panelPlaces(b.y, b.begin, b.end, b.lo, b.hi);
  std::vector<uint8_t> mask;
  for (int p = 1; p <= 24; ++p) {
    const int c = (p - 1) % 6, y0 = 15 + 115 * ((p - 1) / 6), x0 = 105 * c;
    rt::foreColor(RGBblack);
    SetTextStyle(KestrixFont, 9, 0);
    const std::string label = printedPanelLabel(panelSeconds(p, lag, step, b.dt));
    PrintAt(x0 + 5 + (100 - rt::stringWidth(label)) / 2, y0 + 14, label);
    rt::frameRect({x0 + 4, y0 + 20, x0 + 106, y0 + 116});
    panelMask(places, int64_t(p) * step + lag, mask);
    paintMask(mask, {x0 + 5, y0 + 21});
  }
  PrintSeriesBASICS(b, 1);
  PrintTheComments(640);
  rt::FBRoute(0);
  const bool ok = rt::CloseLPrint();
  rt::setCursor(rt::Cursor::Arrow);
  done();
  if (!ok) Warn(1166, "Time Series: ", {"The page could not be printed."});
}

void TIMESERIES() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  AnalysisCode = kCodeTimeSeries;
  SeriesBlock b;
  b.f = f;
  b.channel = ActiveChannel >= 1 && ActiveChannel <= nChannels[f] ? ActiveChannel : 1;
  b.begin = std::clamp(BeginBlock[f], 1, nCases[f]);
  b.end = std::clamp(EndBlock[f], 1, nCases[f]);
  b.dt = FileInfoFLOATS[f][1];
  b.y = {channelData(f, b.channel), size_t(nCases[f]) + 1};
  if (FileSHORTS[f][kBlockStateWord] != 2 || b.end - b.begin < 3) {
    Warn(1166, "Basic Time Series: ", {"Select a block of at least four samples first."});
    return;
  }
  takeRange(b);
  SavedHandlers saved;
  rt::setCursor(rt::Cursor::Arrow);
  SecondChannel = 0;
  HideTheToolBar();
  buildSeriesWindow(b);
  wssst();
  installModalHandlers();
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  double lagShown = b.dt, stepShown = b.dt;
  for (;;) {
    const ToolEvent e = nextToolEvent(kSeriesHelp);
    if (e.menuPicked) break;
    const int a = e.action, id = e.id;
    const int32_t lag = typedInteger(kLagField), step = typedInteger(kStepField);
    rt::setOutputWindow(kSeriesWindow);
    showSeconds(kLagSeconds, lag, b.dt, lagShown);
    showSeconds(kStepSeconds, step, b.dt, stepShown);
    if ((a == 4 && id == kSeriesWindow) || (a == 1 && id == kDone)) break;
    if (a == 3 && id != kSeriesWindow) break;
    const int button = a == 16 && id == 13 ? kPeriodicity : a == 1 ? id : 0;
    if (button == kPlot) {
      PLOTSERIES(b, step, lag);
      rt::setButtonStateIn(kSeriesWindow, kPrint, 1);
      skid();
    } else if (button == kPrint) {
      PRINTSERIES(b, step, lag);
      skid();
    } else if (button == kHelp) {
      HelpSubject = kSeriesHelp;
      OpenHelpBook();
    } else if (button == kPeriodicity) {
      runPeriodicity(b, lag, step);
      rt::bringWindowForward(kSeriesWindow);
      lagShown = stepShown = -1.0;
    }
  }
  for (int w : {int(kSeriesWindow), 11, int(kPeriodicityWindow)}) rt::closeWindow(w);
  bup();
  REnd = 0;
  rt::closeWindow(4);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  RestoreTheToolBar();
}

}  // namespace qv
