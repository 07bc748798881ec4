#include "fitting/event_details.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "runtime/numtext.h"

namespace qv {

RateUnit eventRateUnit(int item) {
  switch (item) {
    case 2: return {" (/sec) ", 1.0};
    case 3: return {" (/min) ", 60.0};
    case 4: return {" (/hour) ", 3600.0};
    case 5: return {" (/day) ", 86400.0};
    default: return {"", 1.0};
  }
}

double clockHours(const std::string& text) {
  // hh, hh:mm or hh:mm:ss; what follows the last number is not read.
  int part[3] = {0, 0, 0};
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end && *p == ' ') ++p;
  for (int k = 0; k < 3; ++k) {
    const auto r = std::from_chars(p, end, part[k]);
    if (r.ec != std::errc() || part[k] < 0) return k == 0 ? 0.0 : part[0] + part[1] / 60.0;
    p = r.ptr;
    if (p >= end || *p != ':') break;
    ++p;
  }
  return part[0] + part[1] / 60.0 + part[2] / 3600.0;
}

std::string eventDetailsText(std::span<const float> v, std::span<const TimedEvent> events, const EventFileFacts& f) {
  const int digits = std::max(f.digits, 5);
  const char d = f.delimiter;
  const RateUnit unit = eventRateUnit(f.rateItem);
  std::string s;
  s.reserve(400 + events.size() * 120);
  s += "EVENT COUNTER OUTPUT\n";
  s += "Source file: '" + f.fileName + "'     " + rt::PSstrLong(f.nCases) + " cases," + rt::PSstrLong(f.nChannels) +
       " channels; " + f.today + "      sample interval" + rt::PSstr(f.interval, digits) + " sec\n";
  s += "channel" + rt::PSstrLong(f.channel) + ":  " + f.label + "  includes cases" + rt::PSstrLong(f.first) + " to" +
       rt::PSstrLong(f.last) + "\n";
  s += "upper event trigger:" + rt::PSstr(f.upper, digits) + "     lower event trigger:" + rt::PSstr(f.lower, digits) +
       "\n";
  s += std::string("direction") + d + "duration (sec) " + d + "start CASE" + d + "start time (h) " + d + "mean" + d +
       "SD" + d + "maximum" + d + "minimum" + d + "sum postive" + unit.text + d + "sum negative" + unit.text + "\n";

  const double h0 = clockHours(f.startTime);
  double sumPositive = 0.0, sumNegative = 0.0;
  const size_t size = v.size();
  for (const TimedEvent& e : events) {
    if (e.start < 1 || e.end <= e.start || size_t(e.end) > size) continue;
    const float* x = v.data();
    const int64_t n = int64_t(e.end) - e.start;
    double sum = 0.0;
    float lo = x[e.start], hi = lo;
    for (int64_t i = e.start; i < e.end; ++i) {
      sum += x[i];
      lo = std::min(lo, x[i]);
      hi = std::max(hi, x[i]);
    }
    const float mean = float(sum / double(n));
    double t = double(e.start) * f.interval / 3600.0 + h0;
    if (t >= 24.0) t = std::fmod(t, 24.0);
    (e.positive ? sumPositive : sumNegative) += double(e.duration) * mean / unit.divisor;

    s += e.positive ? "positive" : "negative";
    s += d;
    rt::appendPSstr(s, e.duration, digits);
    s += d;
    s += rt::PSstrLong(e.start);
    s += d;
    rt::appendPSstr(s, t, digits);
    s += d;
    rt::appendPSstr(s, mean, digits);
    s += d;
    if (n >= 3) {
      double squares = 0.0;
      for (int64_t i = e.start; i < e.end; ++i) squares += (x[i] - mean) * (x[i] - double(mean));
      rt::appendPSstr(s, float(std::sqrt(squares / double(n))), digits);
    } else {
      s += ' ';
    }
    s += d;
    rt::appendPSstr(s, hi, digits);
    s += d;
    rt::appendPSstr(s, lo, digits);
    s += d;
    rt::appendPSstr(s, float(sumPositive), digits);
    s += d;
    rt::appendPSstr(s, float(sumNegative), digits);
    s += '\n';
  }
  return s;
}

}  // namespace qv
