// The page of the printed plot image: title, file line, time axis, markers and one strip
// per chosen channel. Drawn with the ordinary drawing calls while output goes to the page.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "core/colors.h"
#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_format.h"
#include "core/view_state.h"
#include "output/commands.h"
#include "output/image_page.h"
#include "output/image_print.h"
#include "core/results_scaling.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/clock.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

void textAt(int x, int y, const std::string& s) {
  rt::moveTo(x, y);
  rt::drawString(s);
}

// Text on a patch of the paper's white just its size.
void captionAt(int x, int baseline, int size, const std::string& s) {
  const rt::RGB ink = RGBblack;
  rt::foreColor(RGBwhite);
  rt::paintRect({x - 1, baseline - size, x + rt::stringWidth(s) + 1, baseline + 1});
  rt::foreColor(ink);
  textAt(x, baseline, s);
}

void dashedVLine(int x, int y0, int y1) {
  for (int y = y0; y > y1; y -= 8) {
    rt::moveTo(x, y);
    rt::lineTo(x, std::max(y1, y - 3));
  }
}

void fileLine(int f) {
  rt::foreColor(gray);
  rt::paintRect({6, 24, 834, 27});
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 14, 0);
  textAt(5, 39, "file:  '" + FileName[f] + "';  Recorded ");
  rt::textSize(12);
  rt::drawString(StartDate[f] + " @ " + StartTime[f] + "; " + rt::PSstrLong(nChannels[f]) + " channels," +
                 rt::PSstrLong(nCases[f]) + " samples");
}

void markers(int f, out::CaseRange r) {
  const int count = std::clamp<int>(FileSHORTS[f][5], 0, kMaxMarkers);
  std::vector<int32_t> cases, codes;
  for (int k = 1; k <= count; ++k) {
    cases.push_back(MarkersArray[f][k][1]);
    codes.push_back(MarkersArray[f][k][2]);
  }
  rt::foreColor(darkGray);
  rt::textSize(6);
  for (const out::MarkerMark& m : out::markerMarks(r, cases, codes)) {
    dashedVLine(m.x + 5, 460, 60);
    const char c = char(std::clamp(m.code, 32, 126));
    textAt(m.x + 2, 52, std::string(1, c));
  }
  rt::foreColor(RGBblack);
}

// The trace's rows: its maximum on top, its minimum on the strip's last row.
int traceBottom(const out::Strip& s) { return s.bottom - 1; }

void zeroLine(const out::Strip& s, float lo, float hi) {
  if (!(hi > 0 && lo < 0)) return;
  const int y0 = int((traceBottom(s) - s.top) * hi / (hi - lo)) + s.top;
  for (int x = 5; x < out::kPageWidth; x += 20) {
    rt::moveTo(x, y0);
    rt::lineTo(std::min(x + 9, out::kPageWidth), y0);
  }
}

void dots(const out::Strip& s) {
  for (int row = 1; row <= 4; ++row) {
    const int y = s.bottom - s.height * row / 5;
    for (int x = 15; x < out::kPageWidth; x += 10) {
      rt::moveTo(x, y);
      rt::lineTo(x, y);
    }
  }
}

// A channel's limits over the printed cases, read directly: the block and view words stay.
plot::Extremes limits(int f, int channel, out::CaseRange r) {
  plot::Extremes e;
  if (scalingFactorArray[channel][4] < 0) {
    e.min = scalingFactorArray[channel][5];
    e.max = scalingFactorArray[channel][6];
  } else {
    e = plot::scanExtremes(plot::channelSamples(f, int16_t(channel)), r.first, r.last);
  }
  if (!(e.max > e.min)) e.max = e.min + 1;
  return e;
}

void strip(int f, int channel, const out::Strip& s, out::CaseRange r, const ImageOptions& o) {
  const plot::Extremes e = limits(f, channel, r);
  rt::foreColor(RGBblack);
  rt::frameRect({5, s.bottom - s.height, out::kPageWidth + 7, s.bottom});
  DrawSITimeIndex(int16_t(s.bottom), 0);
  if (PZL) zeroLine(s, e.min, e.max);
  if (o.dottedLines) dots(s);
  // The renderer draws each pixel column's envelope; a compacted file draws its group means,
  // as on the screen, for compaction keeps no minimum and maximum of each group.
  ActiveChannel = int16_t(channel);
  const double yScale = double(traceBottom(s) - s.top) / double(e.max - e.min);
  const double perCase = double(out::kPageWidth) / std::max<int32_t>(1, r.last - r.first + 1);
  DrawPlotUsingCoreGraphics(1, 99, 0, r.first, r.last, traceBottom(s) + e.min * yScale, yScale, int16_t(channel),
                            5 - perCase, perCase, 0);
  if (s.captionSize == 0) return;
  // Captions last, on the paper's white, so the trace under them does not hide them.
  SetTextStyle(KestrixFont, s.captionSize, 0);
  rt::foreColor(RGBblack);
  captionAt(105, s.captionY, s.captionSize, "channel" + rt::PSstrLong(channel) + "    " + rt::trimRight(RetrieveLabelOf(f, channel)));
  // From x 7, so that the patches leave the frame's left edge (x 5) whole.
  captionAt(7, s.captionY, s.captionSize, rt::PSstr(e.max));
  captionAt(7, s.labelY, s.captionSize, rt::PSstr(e.min));
}

}  // namespace

void TITLE(uint16_t x, int16_t y, uint16_t secondLine) {
  SetTextStyle(KestrixFont, 16, rt::kItalic);
  textAt(2 * x, y, " Quorvelant");
  if (secondLine) textAt(5 * x, y + 20, " ");
  SetTextStyle(KestrixFont, 12, 0);
  rt::drawString("  printed at " + rt::localClockText("%H:%M:%S") + " on " + rt::localClockText("%m/%d/%y"));
}

void DrawSITimeIndex(int16_t y, uint16_t withLabels) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const out::CaseRange r = printedImageRange(f);
  const double interval = FileInfoFLOATS[f][1];
  const double start = out::secondsOfDay(StartTime[f]) + double(r.first - 1) * interval;
  const out::TimeAxis a = out::timeAxis(start, interval, r.last - r.first + 1);
  rt::foreColor(RGBblack);
  rt::textSize(9);
  double lastLabel = -100;
  for (const out::Tick& t : a.ticks) {
    const int x = int(t.x);
    if (a.step > 3) {
      rt::moveTo(x, y - 3);
      rt::lineTo(x, y + 2);
    }
    if (withLabels && t.x > lastLabel + 20 && t.x < out::kPageWidth + 10 - 15) {
      textAt(x, y + 9, rt::PSstrLong(t.label).substr(1));
      lastLabel = t.x;
    }
  }
  if (!withLabels) return;
  if (a.days) textAt(445, y + 19, "day");
  else textAt(375, y + 19, "time of day");
  rt::moveTo(5, y + 22);
  rt::lineTo(837, y + 22);
}

void PRINTtheCHANNELS(const ImageOptions& o, const std::vector<int>& channels,
                      const std::function<void(int)>& afterStrip) {
  const int f = TheFileInUse;
  const out::CaseRange r = printedImageRange(f);
  std::vector<out::CustomStrip> custom;
  for (int c : channels) custom.push_back({PrintedStrips[f][c].height, PrintedStrips[f][c].base});
  const auto strips = out::stripLayout(int(channels.size()), CustomPlot ? &custom : nullptr);
  if (o.fileName) fileLine(f);
  if (o.samplingData) {
    SetTextStyle(KestrixFont, 14, 0);
    textAt(45, 502, "           sample interval" + StringFormatter(FileInfoFLOATS[f][1]) +
                        " seconds, total recording time " +
                        out::totalTimeText(double(nCases[f]) * FileInfoFLOATS[f][1]));
  }
  const out::RangeTexts t = out::timeRangeTexts(r, FileInfoFLOATS[f][1]);
  SetTextStyle(3, 10, 0);
  textAt(5, 497, t.start);
  textAt(out::kPageWidth + 7 - 9 - rt::stringWidth(t.end), 497, t.end);
  if (o.markers && FileSHORTS[f][5] > 0) markers(f, r);
  for (size_t k = 0; k < channels.size(); ++k) {
    strip(f, channels[k], strips[k], r, o);
    if (afterStrip) afterStrip(int(k + 1));
  }
}

out::CaseRange printedImageRange(int f) {
  out::ViewWords v;
  v.nCases = nCases[f];
  v.screenWidth = gPrintedFromWidth > 0 ? gPrintedFromWidth : ScreenWidth;
  v.page = std::max<int>(1, FileSHORTS[f][1]);
  v.wholeFile = FileSHORTS[f][4] != 0;
  v.zoomed = FileSHORTS[f][6] != 0;
  v.zoomLeft = zoomleft[f];
  v.zoomRight = zoomright[f];
  v.blockOnly = printblock != 0;
  v.beginBlock = BeginBlock[f];
  v.endBlock = EndBlock[f];
  return out::printedRange(v);
}

}  // namespace qv
