#include "output/results_layout.h"

#include <algorithm>
#include <cmath>

#include "core/output_state.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

namespace qv {

Box resultsWindowBounds(const PlotPlace& plot, int extraHeight, bool subsetBox, bool wider, int screenHeight) {
  Box b;
  b.left = plot.left;
  b.right = plot.left + (wider ? 337 : 322);
  b.top = plot.top - 15 + plot.bottomOfPlotArea + 138;
  b.bottom = plot.top - 15 + plot.bottomOfPlotArea + (subsetBox ? 513 : 488);
  if (b.bottom > screenHeight) {
    const int excess = b.bottom - screenHeight;
    b.top -= excess;
    b.bottom -= excess;
  }
  b.bottom += extraHeight;
  return b;
}

Box secondResultsWindowBounds(const PlotPlace& plot, int height, bool toolBarNotLeft) {
  const int d = toolBarNotLeft ? -20 : 5;
  Box b;
  b.left = plot.left + 323;
  b.right = plot.left + 639;
  b.top = plot.top - 20 + d + plot.bottomOfPlotArea + 138;
  b.bottom = b.top + height;
  return b;
}

Box dataFilterNoticeBounds(const PlotPlace& plot, const Box& results, const Box& screen) {
  constexpr int titleBar = 22, gap = 2;
  const int width = plot.left + 316;
  const auto onScreen = [&](const Box& b) {
    return b.left >= screen.left && b.right <= screen.right && b.top - titleBar >= screen.top && b.bottom <= screen.bottom;
  };
  const Box asked{1, plot.bottomOfPlotArea + 515, 1 + width, plot.bottomOfPlotArea + 515 + kNoticeHeight};
  if (onScreen(asked)) return asked;
  const int under = results.bottom + gap + titleBar;
  const Box below{results.left, under, results.left + width, under + kNoticeHeight};
  if (onScreen(below)) return below;
  const int left = std::min(results.right + gap, screen.right - width);
  const int top = std::max(screen.top + titleBar, std::min(results.bottom, screen.bottom) - kNoticeHeight);
  return {left, top, left + width, top + kNoticeHeight};
}

Box channelButtonBox(int k, int y) {
  if (k <= 9) return {14 * k + 42, y, 14 * k + 57, y + 16};
  if (k <= 16) return {19 * k - 7, y, 19 * k + 13, y + 16};
  if (k <= 31) return {21 * k - 352, y + 17, 21 * k - 332, y + 33};
  return {21 * k - 667, y + 34, 21 * k - 647, y + 51};
}

std::string channelButtonTitle(int k) {
  if (k <= 9) return std::to_string(k % 10);
  if (k <= 31) return std::to_string(k % 100);
  return rt::PSstrLong(k);
}

ResultsHeader resultsHeader(int channel, const std::string& label, int32_t begin, int32_t end,
                            double intervalSeconds) {
  ResultsHeader h;
  h.channelLine = "  Channel" + rt::PSstrLong(channel) + "   " + rt::fitChars(label, 30);
  double d = double(int64_t(end) - int64_t(begin)) * intervalSeconds;
  std::string unit = " sec         ";
  h.inMinutes = d >= 600.0;
  if (h.inMinutes) {
    d /= 60.0;
    unit = " min         ";
  }
  const int savedDigits = rt::gFBFloatMaxDigits;
  rt::gFBFloatMaxDigits = 4;
  const std::string duration = std::isfinite(d) ? rt::PSstr(d) : " **";
  rt::gFBFloatMaxDigits = savedDigits;
  h.casesLine = " cases" + rt::PSstrLong(int64_t(begin) + 1) + " to" + rt::PSstrLong(int64_t(end) + 1) +
                ";  duration" + duration + unit;
  return h;
}

bool headerMarksChannel(int16_t code) {
  return code != 13 && code != 14 && code != 19 && code != 22 && code != 99;
}

bool showsHistogramButtons(int16_t code) {
  return code == 12 || code == 13 || code == 14 || code == 19 || code == 22;
}

int analysisKeyChannel(int key, int channels) {
  int k = 0;
  if (key >= '1' && key <= '9') k = key - '0';
  else if (key == '0') k = 10;
  else if (key == '!') k = 11;
  else if (key == '@') k = 12;
  else if (key == '#') k = 13;
  else if (key == '$') k = 14;
  return k <= channels ? k : 0;
}

std::string upperLimitLine(bool on, float limit) {
  return on ? "Data > " + rt::PSstr(limit) + " ignored" : "No upper limit";
}

std::string lowerLimitLine(bool on, float limit) {
  return on ? "Data <" + rt::PSstr(limit) + " ignored" : "No lower limit";
}


}  // namespace qv
