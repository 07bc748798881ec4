#include "plot/time_axis.h"

#include <algorithm>
#include <cmath>

namespace qv::plot {

namespace {

constexpr double kHour = 3600, kDay = 86400, kThreeDays = 259200;

int twoDigits(std::string_view s, size_t at) {
  int v = 0;
  for (size_t i = at; i < at + 2; ++i) {
    if (i >= s.size()) break;
    const char c = s[i];
    if (c == ' ') continue;
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  return v;
}

// A tick number as the runtime writes integers, with its leading blank dropped from 10 on.
std::string numberText(int n) { return n < 10 ? " " + std::to_string(n) : std::to_string(n); }

struct Walk {
  double firstX, step;
  int firstNumber;
  bool wrapHours;
};

void walk(const TimeAxisInput& in, const Walk& w, std::string_view prefix, bool labelAtLeast22, TimeAxis& out) {
  const double sw = in.screenWidth;
  // A step below a pixel (or not finite) would never leave the window.
  if (!std::isfinite(w.step) || w.step < 1 || !std::isfinite(w.firstX)) return;
  out.pixelsPerUnit = w.step;
  int number = w.firstNumber;
  double lastLabel = -1e9;
  bool first = true;
  for (double x = w.firstX; x <= sw; x += w.step) {
    Tick t;
    t.x = x;
    t.number = number;
    if (x > 2) {
      const double gap = number >= 100 ? 40 : 25;
      if (x - lastLabel > gap) {
        t.label = true;
        lastLabel = x;
        t.text = first ? std::string(prefix) + numberText(number) : numberText(number);
        const double at = labelAtLeast22 ? std::max(x, 22.0) : x;
        if (first) t.labelX = (!labelAtLeast22 && x < 22) ? 2 : int(std::trunc(at - 20));
        else t.labelX = int(std::trunc(at - 7));
        first = false;
      }
    }
    out.ticks.push_back(t);
    ++number;
    if (w.wrapHours && number > 24) number = 1;
  }
}

}  // namespace

double startSeconds(std::string_view t) {
  return twoDigits(t, 0) * kHour + twoDigits(t, 3) * 60.0 + twoDigits(t, 6);
}

TimeAxis timeAxis(const TimeAxisInput& in) {
  TimeAxis out;
  if (!(in.interval > 0) || !std::isfinite(in.interval) || in.nCases <= 0 || in.screenWidth <= 0) return out;
  const double sw = in.screenWidth;
  const double duration = std::trunc(double(in.nCases) * in.interval);
  double t = in.startOfDay;
  double visible = sw;
  switch (in.view) {
    case AxisView::Paged: t += in.interval * sw * (in.page - 1); break;
    case AxisView::Zoomed:
      t += in.interval * in.zoomLeft;
      visible = std::max<double>(in.zoomRight - in.zoomLeft, 1);
      break;
    case AxisView::WholeFile: visible = in.nCases; break;
  }
  const double casesPerPixel = visible / sw;

  bool days = false;
  if (duration >= kThreeDays + 1) {
    if (in.view == AxisView::WholeFile) {
      const double u = (kDay / in.interval) / (in.nCases / sw);
      days = u * (kDay - std::fmod(t, kDay)) / kDay + 1 <= sw;
    } else {
      days = in.interval * sw > kThreeDays;
    }
  }

  if (!days) {
    out.unit = TickUnit::Hour;
    const double u = (kHour / in.interval) / casesPerPixel;
    const Walk w{u * (kHour - std::fmod(t, kHour)) / kHour + 1, u, int(std::fmod(std::trunc(t / kHour), 24)) + 1, true};
    walk(in, w, "hr ", false, out);
    return out;
  }
  out.unit = TickUnit::Day;
  // A day spans as many pixels as its cases cover in this view (in a page, one a case).
  const double u = (kDay / in.interval) / casesPerPixel;
  const Walk w{u * (kDay - std::fmod(t, kDay)) / kDay + 1, u, int(std::trunc(t / kDay)) + 1, false};
  if (in.view == AxisView::WholeFile) {
    out.daysOfWholeFile = true;
    out.tickLength = 2;
    out.gridGap = 3;
    walk(in, w, "day ", true, out);
  } else {
    out.tickLength = 5;
    walk(in, w, "day ", false, out);
  }
  return out;
}

}  // namespace qv::plot
