// The small and the large histogram windows.
#include "stats/histogram_window.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/results_scaling.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/block_value_range.h"
#include "stats/histogram.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4;
// Controls of the large histogram.
constexpr int kNewBins = 1, kNewWidth = 2, kNormalBox = 3, kCentreBox = 4, kClose = 5;
constexpr int kTallest = 111, kFoot = 112, kBinsField = 113, kWidthField = 114, kBinsCaption = 115,
              kWidthCaption = 116, kCountCaption = 120, kMinField = 121, kMaxField = 122;
constexpr int kAxisLeft = 90, kAxisRight = 591, kFrameTop = 5, kFrameBottom = 278;

bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

std::span<const float> samplesOf(int f, int c) {
  if (!slotInUse(f) || c < 1 || c > nChannels[f] || c > kMaxChannels) return {};
  const float* x = gPointersToFileData[f][c].get();
  return x ? std::span<const float>(x, size_t(nCases[f]) + 1) : std::span<const float>();
}

// The values counted, by the statistics window's limit switches; the block's own value range
// of the analysed channel where no limit applies.
HistogramWindow valueWindow(std::span<const float> x, bool large, bool limitMode) {
  const ValueRange block = blockValueRange(x, BeginBlock.inUse(), EndBlock.inUse());
  return histogramWindow(large, limitMode, prefsArray[69] != 0, prefsArray[70] != 0, block.min, block.max,
                         LowerScanLimit, UpperScanLimit);
}

rt::Rect placeOfWindow(int window, rt::Rect fallback) {
  return rt::windowExists(window) ? rt::windowContentRect(window) : fallback;
}

// --- The small histogram ----------------------------------------------------------------

void smallHistogram(int32_t begin, int32_t end, double mean, bool limitMode) {
  const int f = TheFileInUse;
  const auto x = samplesOf(f, ch);
  const HistogramWindow window = valueWindow(x, false, limitMode);
  HistogramCounts counts = histogramCounts(x, begin, end, mi, ma, kSmallHistogramBins, window, limitMode);
  // Fewer values than bars: one bar per value at most.
  if (counts.N < kSmallHistogramBins) counts = histogramCounts(x, begin, end, mi, ma, counts.N, window, limitMode);

  const rt::Rect screen = rt::screenRect();
  const rt::Rect results = placeOfWindow(kResultsWindow, {10, screen.bottom - 400, 332, screen.bottom - 25});
  const bool larger = screen.bottom - results.top > 404;
  const int width = larger ? 310 : 130, height = larger ? 80 : 74;
  // Beside the results window, one row per channel so that several stay readable.
  const int rows = std::max(1, (screen.bottom - results.top) / (height + 26));
  const int row = DumpHist ? (ch - 1) % rows : 0;
  int left = results.right + 8;
  if (left + width > screen.right) left = std::max(0, results.left - width - 8);
  const int top = results.top + row * (height + 26);
  const std::string number = rt::PSstrLong(ch);
  const int id = smallHistogramWindow(ch);
  BuildWINDOW(int16_t(id), (larger ? "Block Frequency Distribution, channel" : "channel") + number, int16_t(left),
              int16_t(top), int16_t(left + width), int16_t(top + height), 5);

  const SmallHistogramLayout l = smallHistogramLayout(counts, mean, mi, ma, larger);
  rt::penNormal();
  rt::foreColor(plotBackColor);
  rt::paintRect({l.frameLeft, l.frameTop, l.frameRight, l.frameBottom});
  for (size_t b = 1; b < l.bars.size(); ++b) {
    const SmallHistogramBar& bar = l.bars[b];
    if (bar.empty()) continue;
    rt::foreColor(HistogramBarColor);
    rt::paintRect({bar.left, bar.top, bar.right, bar.bottom});
    rt::foreColor(RGBblack);
    rt::frameRect({bar.left, bar.top, bar.right, bar.bottom});
  }
  if (l.hasMeanLine) {
    rt::foreColor(rgbyellow);
    rt::moveTo(l.meanX, l.frameTop + 1);
    rt::lineTo(l.meanX, l.frameBottom - 1);
  }
  rt::foreColor(RGBblack);
  rt::frameRect({l.frameLeft, l.frameTop, l.frameRight, l.frameBottom});
  SetTextStyle(KestrixFont, 9, 0);
  PrintAt(2, l.frameBottom, "0%");
  PrintAt(2, l.frameTop + 8, (l.percent < 10 ? " " : "") + std::to_string(l.percent) + "% ");
  rt::flushWindow(id);
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
}

// --- The large histogram ----------------------------------------------------------------

double valueSpan() { return double(ma) - double(mi); }

// Where the bars stand on the value axis has nothing to show.
void emptyNote(const HistogramCounts& counts, double binWidth) {
  std::string note;
  if (!(valueSpan() > 0.0)) note = "All the values are equal: there is nothing to sort into bins.";
  else if (counts.bins == 0 && binWidth > 0.0) note = "The bin width is larger than the range of the values.";
  else if (counts.counted == 0) note = "No values to count.";
  if (note.empty()) return;
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  PrintAt(kAxisLeft + (kAxisRight - kAxisLeft - rt::stringWidth(note)) / 2, 140, note);
}

void buildLargeWindow(int32_t begin, int32_t end) {
  rt::closeWindow(kLargeHistogramWindow);
  const int f = TheFileInUse;
  const rt::Rect plot = placeOfWindow(1000 + f, {10, 40, 1290, 600});
  const rt::Rect screen = rt::screenRect();
  const int left = std::min(plot.left + 330, std::max(0, screen.right - 600));
  const int top = std::min(plot.top + 40, std::max(0, screen.bottom - 380));
  const std::string title = "Histogram of Channel" + rt::PSstrLong(ch) + "; case" + rt::PSstrLong(begin) + " to" +
                            rt::PSstrLong(end) + "     N  = " +
                            rt::PSstrLong(finiteCases(samplesOf(f, ch), begin, end));
  BuildWINDOW(kLargeHistogramWindow, title, int16_t(left), int16_t(top), int16_t(left + 600), int16_t(top + 380), 6);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBEditField(kTallest, "", {5, 5, 85, 21}, 7, 2);
  rt::FBEditField(kCountCaption, "count", {5, 130, 85, 146}, 7, 2);
  rt::FBEditField(kFoot, "0", {5, 264, 85, 280}, 7, 2);
  rt::FBEditField(kMinField, "", {40, 286, 140, 302}, 7, 1);
  rt::FBEditField(kMaxField, "", {490, 286, 598, 302}, 7, 2);
  rt::FBEditField(kBinsCaption, "number of bins:", {8, 312, 118, 328}, 7, 2);
  rt::FBEditField(kBinsField, "40", {122, 312, 182, 328}, 3);
  rt::FBButton(kNewBins, 1, "Use New Bin Number", {188, 310, 328, 330}, 1);
  rt::FBEditField(kWidthCaption, "bin width:", {8, 340, 118, 356}, 7, 2);
  rt::FBEditField(kWidthField, "", {122, 340, 182, 356}, 3);
  rt::FBButton(kNewWidth, 1, "Use New Bin Width", {188, 338, 328, 358}, 1);
  rt::FBButton(kNormalBox, 1, "Show Approximate Normal Distribution", {334, 308, 598, 326}, 2);
  rt::FBButton(kCentreBox, 1, "Show Median (- - -)", {334, 328, 598, 346}, 2);
  rt::FBButton(kClose, 1, "Close", {500, 352, 590, 374}, 1);
}

// Return in a bin field applies it, as its button would.
void largeHistogramKeys() {
  const int key = rt::editKeyCode();
  if (key != 13 && key != 3) return;
  rt::rejectEditKey();
  action = 1;
  eventID = int16_t(rt::editFieldId() == kWidthField ? kNewWidth : kNewBins);
}

// A typed number of the large histogram; text that is not a number is refused with a
// message and the field shows what stood in it before.
std::optional<double> typedNumber(int field, const std::string& before, const std::string& what) {
  const std::string text = rt::editText(field);
  double v = 0.0;
  if (rt::PSvalStrict(text, v) && std::isfinite(v)) return v;
  Warn(1166, "Caution: ", {"The " + what + " is not a number: \"" + text + "\"", "The histogram stays as it was."});
  rt::setOutputWindow(kLargeHistogramWindow);
  rt::setEditText(field, before);
  return std::nullopt;
}

void largeHistogram(int32_t begin, int32_t end, double mean, int16_t limitMode) {
  SavedHandlers savedHandlers;
  buildLargeWindow(begin, end);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, largeHistogramKeys);
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  int16_t bins = kLargeHistogramStartBins, normal = 0, centre = 0;
  float binWidth = 0.0f;
  drawHistoBars(begin, end, mean, limitMode, bins, 0.0f, normal, centre);
  action = eventID = 0;
  for (;;) {
    do rt::FBHandleEvents();
    while (action == 0 && !MENU_or_ToolBar_PICKED);
    if (MENU_or_ToolBar_PICKED) break;
    const int id = eventID;
    if (action == 1 && id == kNewBins) {
      if (const auto v = typedNumber(kBinsField, std::to_string(bins), "number of bins")) {
        bins = int16_t(clampBinCount(*v));
        rt::setEditText(kBinsField, std::to_string(bins));
        binWidth = 0.0f;
        drawHistoBars(begin, end, mean, limitMode, bins, 0.0f, normal, centre);
      }
    } else if (action == 1 && id == kNewWidth) {
      const std::string before = binWidth > 0.0f ? rt::PSstr(binWidth) : rt::PSstr(valueSpan() / bins);
      if (const auto v = typedNumber(kWidthField, before, "bin width")) {
        if (*v > 0.0) {
          binWidth = float(*v);
          drawHistoBars(begin, end, mean, limitMode, bins, binWidth, normal, centre);
          if (binsFromWidth(valueSpan(), binWidth) > 0) bins = int16_t(binsFromWidth(valueSpan(), binWidth));
        } else {
          Warn(1166, "Caution: ", {"A bin width must be more than 0.", "The histogram stays as it was."});
          rt::setOutputWindow(kLargeHistogramWindow);
          rt::setEditText(kWidthField, before);
        }
      }
    } else if (action == 1 && (id == kNormalBox || id == kCentreBox)) {
      (id == kNormalBox ? normal : centre) ^= 1;
      rt::setButtonState(id, (id == kNormalBox ? normal : centre) ? 2 : 1);
      binWidth = 0.0f;
      drawHistoBars(begin, end, mean, limitMode, bins, 0.0f, normal, centre);
    } else if ((action == 1 && id == kClose) || (action == 4 && id == kLargeHistogramWindow) ||
               (action == 3 && id != kLargeHistogramWindow)) {
      break;
    }
    action = eventID = 0;
  }
  rt::closeWindow(kLargeHistogramWindow);
  if (rt::windowExists(kToolBarWindow)) rt::bringWindowForward(kToolBarWindow);
  if (rt::windowExists(kResultsWindow)) {
    rt::bringWindowForward(kResultsWindow);
    rt::setOutputWindow(kResultsWindow);
  }
  action = 0;
  upvip();
}

}  // namespace

bool isHistogramWindow(int window) {
  return window >= kLargeHistogramWindow && window <= smallHistogramWindow(kMaxChannels);
}

void closeHistogramWindows() {
  for (int w = kLargeHistogramWindow; w <= smallHistogramWindow(kMaxChannels); ++w) rt::closeWindow(w);
}

void HISTOGRAM(int32_t begin, int32_t end, double mean, int16_t limitMode, int16_t large) {
  if (samplesOf(TheFileInUse, ch).empty()) return;
  if (large) largeHistogram(begin, end, mean, limitMode);
  else smallHistogram(begin, end, mean, limitMode != 0);
}

void drawHistoBars(int32_t begin, int32_t end, double mean, int16_t limitMode, int16_t bins, float binWidth,
                   int16_t normal, int16_t centre) {
  if (!rt::windowExists(kLargeHistogramWindow)) return;
  rt::setOutputWindow(kLargeHistogramWindow);
  const double r = valueSpan();
  int n = std::clamp<int>(bins, kMinHistogramBins, kMaxHistogramBins);
  if (binWidth > 0.0f) {
    n = binsFromWidth(r, binWidth);
    rt::setEditText(kBinsField, std::to_string(n));
  } else {
    // Both fields: a bin width wider than the range left 0 in the bins field.
    rt::setEditText(kBinsField, std::to_string(n));
    rt::setEditText(kWidthField, rt::PSstr(r / n));
  }
  const auto x = samplesOf(TheFileInUse, ch);
  const HistogramCounts counts = histogramCounts(x, begin, end, mi, ma, n, valueWindow(x, true, limitMode != 0),
                                                 limitMode != 0);
  rt::setEditText(kTallest, std::to_string(counts.tallest));
  const ResultScaling s = scalingFor(ch);
  rt::setEditText(kMinField, rt::PSstr(s.level(mi)));
  rt::setEditText(kMaxField, rt::PSstr(s.level(ma)));

  rt::penNormal();
  rt::eraseRect({0, 0, 600, 300});
  rt::foreColor(plotBackColor);
  rt::paintRect({kAxisLeft, kFrameTop, kAxisRight, kFrameBottom});
  rt::foreColor(RGBblack);
  rt::frameRect({kAxisLeft, kFrameTop, kAxisRight, kFrameBottom});
  for (int tick : {kAxisLeft, kAxisRight - 1}) {
    rt::moveTo(tick, kFrameBottom);
    rt::lineTo(tick, kFrameBottom + 5);
  }

  const LargeHistogramLayout l = largeHistogramLayout(counts, mean, mi, ma);
  for (size_t b = 1; b < l.bars.size(); ++b) {
    const HistogramBar& bar = l.bars[b];
    if (bar.height <= 0) continue;
    const rt::Rect box{bar.left + 1, 277 - bar.height, std::max(int(bar.left + l.barWidth), bar.left + 2) + 1, 277};
    rt::foreColor(HistogramBarColor);
    rt::paintRect(box);
    rt::foreColor(RGBblack);
    rt::frameRect(box);
  }
  if (l.hasMeanLine) {
    rt::foreColor(RGBred);
    rt::penSize(2, 2);
    rt::moveTo(l.meanX, kFrameTop);
    rt::lineTo(l.meanX, 276);
    rt::penNormal();
    rt::moveTo(l.meanX - 6, 8);
    rt::lineTo(l.meanX + 6, 8);
    SetTextStyle(KestrixFont, 10, rt::kBold);
    PrintAt(l.meanX + 4, 17, "X ");
  }
  emptyNote(counts, binWidth);
  if (normal && r > 0.0) {
    const double meanX = 91.0 + (mean - double(mi)) * 500.0 / r;
    PlotNormalCurve(int16_t(std::clamp(meanX, -30000.0, 30000.0)), r, float(l.area));
  }
  if (centre) PlotMedian();
  rt::penNormal();
  rt::foreColor(RGBblack);
  rt::flushWindow(kLargeHistogramWindow);
}

void PlotNormalCurve(int16_t meanX, double range, float barArea) {
  const std::vector<CurvePoint> points = normalCurve(meanX, range, barArea, StandardDeviation);
  if (points.size() < 2) return;
  std::vector<rt::PointF> line;
  line.reserve(points.size());
  for (const CurvePoint& p : points) line.push_back({double(p.x), double(p.y)});
  rt::strokePolyline(line.data(), line.size(), 1.5, rt::colorOfNumber(2), true);
}

void PlotMedian() {
  constexpr int kMiddle = (kAxisLeft + kAxisRight - 1) / 2;
  rt::penNormal();
  rt::foreColor(RGBblack);
  rt::penSize(2, 2);
  for (int y = kFrameTop; y + 5 <= 271; y += 10) {
    rt::moveTo(kMiddle, y);
    rt::lineTo(kMiddle, y + 5);
  }
  rt::penNormal();
}

}  // namespace qv
