#include "fitting/event_count.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

struct Range {
  int32_t first = 1, last = 0;
  bool empty() const { return first > last; }
};

// The range kept inside the channel's cases.
Range within(std::span<const float> v, int32_t first, int32_t last) {
  const int64_t n = int64_t(v.size()) - 1;
  Range r;
  r.first = std::max<int32_t>(first, 1);
  r.last = int32_t(std::min<int64_t>(last, n));
  return r;
}

// One side's scan. `in` says whether a value belongs to a run of this side. A run whose scan
// reaches the last case (still under way there, or ending exactly there) is counted, never
// timed: its end is not seen inside the range.
template <class In>
void scanSide(std::span<const float> v, Range r, In in, double interval, double m, bool positive, EventSide& s) {
  const float* x = v.data();
  int64_t i = r.first;
  const int64_t last = r.last;
  while (i <= last) {
    if (!in(x[i])) {
      ++i;
      continue;
    }
    const int64_t start = i;
    int64_t j = i + 1;
    while (j < last && in(x[j])) ++j;
    ++s.all;
    if (j < last) {
      const float d = float(double(j - start) * interval);
      if (d > m) s.timed.push_back({int32_t(start), int32_t(j), d, positive});
    }
    i = j + 1;
  }
}

void describe(EventSide& s) {
  if (s.timed.empty()) return;
  double sum = 0.0;
  float lo = s.timed.front().duration, hi = lo;
  for (const TimedEvent& e : s.timed) {
    sum += e.duration;
    lo = std::min(lo, e.duration);
    hi = std::max(hi, e.duration);
  }
  const double k = double(s.timed.size());
  s.mean = float(sum / k);
  double squares = 0.0;
  for (const TimedEvent& e : s.timed) squares += (e.duration - s.mean) * (e.duration - s.mean);
  s.sd = std::sqrt(squares / k);
  s.min = lo;
  s.max = hi;
}

// Bins 1..25 over both sides' durations from the shortest to the longest; the shortest falls
// in bin 1, and all durations equal put every one there.
void binDurations(EventCount& c) {
  const bool p = !c.positive.timed.empty(), n = !c.negative.timed.empty();
  if (!p && !n) return;
  const double lo = p && n ? std::min(c.positive.min, c.negative.min) : p ? c.positive.min : c.negative.min;
  const double hi = p && n ? std::max(c.positive.max, c.negative.max) : p ? c.positive.max : c.negative.max;
  const double w = (hi - lo) / kDurationBins;
  for (EventSide* s : {&c.positive, &c.negative}) {
    for (const TimedEvent& e : s->timed) {
      int b = 1;
      if (w > 0) b = int(std::clamp(std::trunc((e.duration - lo) / w + 0.999), 1.0, double(kDurationBins)));
      ++s->bins[size_t(b)];
    }
    for (int b = 1; b <= kDurationBins; ++b) c.largestBin = std::max(c.largestBin, s->bins[size_t(b)]);
  }
}

}  // namespace

double integrationDivisor(int16_t unit) {
  switch (unit) {
    case 65: return 1.0;
    case 67: return 3600.0;
    case 228: return 86400.0;
    default: return 60.0;
  }
}

const char* integrationUnitText(int16_t unit) {
  switch (unit) {
    case 65: return " sec";
    case 67: return " hr";
    case 228: return " days";
    default: return " min";
  }
}

EventCount countEvents(std::span<const float> v, int32_t first, int32_t last, float upper, float lower,
                       double interval, double minDuration) {
  EventCount c;
  const Range r = within(v, first, last);
  if (r.empty()) return c;
  scanSide(v, r, [upper](float x) { return x >= upper; }, interval, minDuration, true, c.positive);
  // A negative run already under way at the first case is not one that began in the range.
  c.negative.all = v[size_t(r.first)] < lower ? -1 : 0;
  scanSide(v, r, [lower](float x) { return x <= lower; }, interval, minDuration, false, c.negative);
  describe(c.positive);
  describe(c.negative);
  binDurations(c);
  return c;
}

std::vector<TimedEvent> eventsInCaseOrder(const EventCount& c) {
  std::vector<TimedEvent> all;
  all.reserve(c.positive.timed.size() + c.negative.timed.size());
  std::merge(c.positive.timed.begin(), c.positive.timed.end(), c.negative.timed.begin(), c.negative.timed.end(),
             std::back_inserter(all), [](const TimedEvent& a, const TimedEvent& b) { return a.start < b.start; });
  return all;
}

TimeIntRecord DoTIMEINT(std::span<const float> v, const TimeIntArgs& a) {
  TimeIntRecord rec;
  rec.mode = a.mode;
  const Range r = within(v, a.first, a.last);
  const double divisor = integrationDivisor(a.unit);
  if (a.mode == 1) {
    const double m = a.useMinimum ? a.minimumSeconds * 1.0001 : 0.0;
    rec.events = countEvents(v, a.first, a.last, a.field101, a.field103, a.interval, m);
    return rec;
  }
  const float lower = a.field101, upper = a.field103;
  int64_t inside = 0, cases = 0;
  double selected = 0.0, total = 0.0;
  for (int64_t i = r.first; i <= r.last; ++i) {
    const float x = v[size_t(i)];
    if (std::isnan(x)) continue;
    ++cases;
    total += x;
    if (lower <= x && x <= upper) {
      ++inside;
      selected += x;
    }
  }
  if (a.mode == 0) {
    // Cases within the limits, less one, are the intervals spent there.
    const int64_t n = std::max<int64_t>(inside - 1, 0);
    rec.value = float(a.interval * double(n) / divisor);
    if (cases > 1) rec.percent = double(n) * 100.0 / double(cases - 1);
    return rec;
  }
  const double k = a.interval / divisor;
  rec.value = selected * k;
  const double all = total * k;
  if (all != 0.0) rec.percent = std::min(100.0, 100.0 * rec.value / all);
  return rec;
}

}  // namespace qv
