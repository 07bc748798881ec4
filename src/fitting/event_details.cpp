#include "fitting/event_details.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "runtime/large_pages.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

// The text of one column's numbers, remembering the last two written: durations, means and
// extremes repeat from event to event, and their text is the same each time.
class ColumnText {
 public:
  explicit ColumnText(int digits) : digits_(digits) {}
  void append(std::string& out, double x) {
    const uint64_t key = std::bit_cast<uint64_t>(x);
    for (Slot& s : slot_)
      if (s.used && s.key == key) {
        out.append(s.text, s.length);
        return;
      }
    Slot& s = slot_[next_];
    next_ ^= 1;
    const size_t before = out.size();
    rt::appendPSstr(out, x, digits_);
    const size_t length = out.size() - before;
    s.used = length <= sizeof s.text;
    if (s.used) {
      s.key = key;
      s.length = length;
      std::memcpy(s.text, out.data() + before, length);
    }
  }

 private:
  struct Slot {
    uint64_t key = 0;
    size_t length = 0;
    bool used = false;
    char text[40];
  };
  Slot slot_[2];
  int next_ = 0;
  int digits_;
};

}  // namespace

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
  rt::adviseLargePages(s.data(), s.capacity());
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
  ColumnText durationText(digits), hourText(digits), meanText(digits), sdText(digits), hiText(digits),
      loText(digits), positiveText(digits), negativeText(digits);
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
    durationText.append(s, e.duration);
    s += d;
    rt::appendPSstrLong(s, e.start);
    s += d;
    hourText.append(s, t);
    s += d;
    meanText.append(s, mean);
    s += d;
    if (n >= 3) {
      double squares = 0.0;
      for (int64_t i = e.start; i < e.end; ++i) squares += (x[i] - mean) * (x[i] - double(mean));
      sdText.append(s, float(std::sqrt(squares / double(n))));
    } else {
      s += ' ';
    }
    s += d;
    hiText.append(s, hi);
    s += d;
    loText.append(s, lo);
    s += d;
    positiveText.append(s, float(sumPositive));
    s += d;
    negativeText.append(s, float(sumNegative));
    s += '\n';
  }
  return s;
}

}  // namespace qv
