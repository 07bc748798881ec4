#include "output/image_page.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv::out {

CaseRange printedRange(const ViewWords& v) {
  const int32_t n = std::max<int32_t>(1, v.nCases);
  auto held = [n](int32_t c) { return std::clamp<int32_t>(c, 1, n); };
  CaseRange r{1, n};
  if (v.blockOnly) {
    r = {held(std::min(v.beginBlock, v.endBlock)), held(std::max(v.beginBlock, v.endBlock))};
  } else if (v.zoomed && v.zoomRight > v.zoomLeft) {
    r = {held(v.zoomLeft), held(v.zoomRight)};
  } else if (!v.wholeFile && v.screenWidth > 0 && n > v.screenWidth) {
    const int64_t first = int64_t(std::max(1, v.page) - 1) * v.screenWidth + 1;
    r = {held(int32_t(std::min<int64_t>(first, n))), held(int32_t(std::min<int64_t>(first + v.screenWidth - 1, n)))};
  }
  return r;
}

std::vector<Strip> stripLayout(int n, const std::vector<CustomStrip>* custom) {
  std::vector<Strip> out;
  if (n < 1) return out;
  const bool useCustom = custom && n >= 2 && int(custom->size()) >= n;
  for (int k = 1; k <= n; ++k) {
    Strip s;
    if (useCustom) {
      s.height = int((*custom)[size_t(k - 1)].height);
      s.bottom = int((*custom)[size_t(k - 1)].bottom);
    } else {
      s.height = 420 / n;
      s.bottom = k * s.height + 45;
    }
    // Captions take a band at the strip's top, smaller in low strips and gone in the lowest;
    // the trace spans what is left, so it never leaves its strip whatever the channel count.
    const int size = std::min(kCaptionSize, (s.height - 6) / 2);
    s.captionSize = size >= kLeastCaptionSize ? size : 0;
    const int stripTop = s.bottom - s.height;
    s.captionY = stripTop + s.captionSize + 1;
    s.top = s.captionSize ? stripTop + s.captionSize + 2 : stripTop + 1;
    s.labelY = s.bottom - 2;
    out.push_back(s);
  }
  return out;
}

TimeAxis timeAxis(double start, double interval, int32_t n) {
  TimeAxis a;
  if (!(interval > 0) || !std::isfinite(interval) || n < 1) return a;
  const double span = double(n) * interval;
  a.days = span > 345600.0;
  const double unit = a.days ? 86400.0 : 3600.0;
  const double step = std::trunc(unit / interval) / (double(n) / kPageWidth);
  // Slow sampling leaves less than a tick a pixel: no ticks rather than a loop without end.
  if (!std::isfinite(step) || step < 1.0) return a;
  a.step = step;
  const double into = std::fmod(start, unit);
  double x = step * (unit - into) / unit + (a.days ? 7 : 6);
  int k = a.days ? 0 : int(std::fmod(start, 86400.0) / 3600.0);
  for (; x <= 882; x += step) {
    ++k;
    if (!a.days && k > 24) k = 1;
    a.ticks.push_back({x, k});
  }
  return a;
}

namespace {
std::string bare(double x) {
  std::string s = rt::PSstr(x);
  return s.starts_with(' ') ? s.substr(1) : s;
}
}  // namespace

std::string totalTimeText(double t) {
  if (t > 86400) return bare(t / 86400) + " days";
  if (t > 7200) return bare(t / 3600) + " hours";
  if (t > 120) return bare(t / 60) + " minutes";
  return bare(t) + " seconds";
}

RangeTexts timeRangeTexts(CaseRange r, double interval) {
  double t1 = r.first <= 1 ? 0.0 : double(r.first) * interval;
  double t2 = double(r.last) * interval;
  std::string unit = " sec";
  if (t2 >= 600) {
    t1 /= 60;
    t2 /= 60;
    unit = " min";
  }
  const auto oneDecimal = [](double t) { return std::trunc(t * 10) / 10; };
  return {rt::PSstr(oneDecimal(t1)) + unit, rt::PSstr(oneDecimal(t2)) + unit};
}

std::vector<MarkerMark> markerMarks(CaseRange r, const std::vector<int32_t>& cases,
                                    const std::vector<int32_t>& codes) {
  std::vector<MarkerMark> out;
  if (r.last <= r.first) return out;
  for (size_t i = 0; i < cases.size(); ++i) {
    const int32_t c = cases[i];
    if (c <= r.first || c > r.last) continue;
    const int x = int(double(c - r.first) * kPageWidth / double(r.last - r.first));
    out.push_back({x, i < codes.size() ? codes[i] : 0});
  }
  return out;
}

double secondsOfDay(const std::string& t) {
  if (t.size() < 8) return 0;
  const auto two = [&](size_t at) {
    const char a = t[at], b = t[at + 1];
    return (a >= '0' && a <= '9' && b >= '0' && b <= '9') ? (a - '0') * 10 + (b - '0') : -1;
  };
  const int h = two(0), m = two(3), s = two(6);
  if (h < 0 || m < 0 || s < 0) return 0;
  return h * 3600.0 + m * 60.0 + s;
}

std::vector<std::string> commentRows(std::string_view comment, int firstRoom, int room, int maxRows,
                                     const MeasureText& measure) {
  std::vector<std::string> rows;
  if (maxRows < 1) return rows;
  // No row holds more than this many bytes; what lies past the page is never measured.
  const size_t shown = size_t(maxRows + 1) * 400;
  bool more = comment.size() > shown;
  comment = comment.substr(0, std::min(comment.size(), shown));
  size_t at = 0;
  for (bool first = true; at <= comment.size() && int(rows.size()) <= maxRows; first = false) {
    size_t end = std::min(comment.find_first_of("\r\n", at), comment.size());
    std::string_view line = comment.substr(at, end - at);
    at = end + 1;
    if (end < comment.size() && comment[end] == '\r' && at < comment.size() && comment[at] == '\n') ++at;
    if (first) {
      // The first row shares its room with the heading; the rest of its line gets the full width.
      const std::string head = wrapLine(line, firstRoom, measure).front();
      rows.push_back(head);
      line.remove_prefix(std::min(line.size(), head.size()));
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      if (line.empty()) continue;
    }
    for (std::string& r : wrapLine(line, room, measure)) rows.push_back(std::move(r));
  }
  if (int(rows.size()) > maxRows) {
    rows.resize(size_t(maxRows));
    more = true;
  }
  if (more) rows.back() = fitWithEllipsis(rows.back(), room, measure, true);
  return rows;
}

std::string deviceName(float code) {
  // The same devices the file-information window names.
  struct Device {
    float code;
    const char* name;
  };
  static constexpr Device kDevices[] = {
      {1, "Lab-NB"},      {2, "PCI-1200"},       {3, "DAQCard-1200"},     {4, "ADC-1"},
      {5, "DT50 or DT500"}, {6, "demo mode"},    {7, "NI 16XE-50 series"}, {8, "Diziz IV2"},
      {800, "DataTaker DT800"}, {80, "DataTaker DT80"}, {85, "DataTaker DT85"}, {4119, "ADAM-4119"},
  };
  for (const Device& d : kDevices)
    if (d.code == code) return d.name;
  return "unknown";
}

}  // namespace qv::out
