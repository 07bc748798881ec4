#include "fitting/event_count.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "runtime/large_pages.h"

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

// One side's run under way during the scan, and the sums of its timed durations.
struct SideScan {
  bool inRun = false;
  int32_t start = 0, all = 0;
  size_t timed = 0;
  double sum = 0.0;
  // Read only once a run is timed, which sets both.
  float lo = std::numeric_limits<float>::infinity(), hi = -std::numeric_limits<float>::infinity();
};

// Both sides in one pass. A run whose scan reaches the last case (still under way there, or
// ending exactly there) is counted, never timed: its end is not seen inside the range. A run
// ending before it is timed when it lasts longer than m seconds.
class Scan {
 public:
  Scan(std::vector<TimedEvent>& out, double interval, double m) : out_(out), interval_(interval), m_(m) {}

  // Case k (< last) of one side: `in` whether it belongs to a run of the side.
  void step(SideScan& s, bool in, int32_t k, bool positive) {
    if (s.inRun) {
      if (!in) {
        s.inRun = false;
        end(s, k, positive);
      }
    } else if (in) {
      s.inRun = true;
      s.start = k;
      ++s.all;
    }
  }
  // The last case only starts a run, never ends one.
  static void stepLast(SideScan& s, bool in) {
    if (!s.inRun && in) ++s.all;
  }
  bool outOfOrder() const { return outOfOrder_; }

 private:
  void end(SideScan& s, int32_t k, bool positive) {
    const float d = float(double(k - s.start) * interval_);
    if (!(d > m_)) return;
    // Runs of one side end in case order; only runs of both sides over the same cases (upper
    // at or below lower) can end out of their starting order.
    if (s.start < lastStart_ || (s.start == lastStart_ && positive)) outOfOrder_ = true;
    lastStart_ = s.start;
    out_.push_back({s.start, k, d, positive});
    ++s.timed;
    s.sum += d;
    s.lo = std::min(s.lo, d);
    s.hi = std::max(s.hi, d);
  }

  std::vector<TimedEvent>& out_;
  double interval_, m_;
  int32_t lastStart_ = 0;
  bool outOfOrder_ = false;
};

// The list of the count let go last, kept for the next count: the window counts again at every
// change of a trigger, and a count writing into pages it already had is several times faster
// than one faulting in fresh ones (a full-size channel can time millions of events). One list
// is kept, the latest; it is never destroyed, so a count let go at exit still finds it.
class SpareList {
 public:
  using List = std::vector<TimedEvent>;

  // An empty list with room for `room` events.
  std::shared_ptr<List> take(size_t room) {
    std::unique_ptr<List> list;
    {
      std::lock_guard lock(mutex_);
      if (spare_ && spare_->capacity() >= room) list = std::move(spare_);
    }
    if (list) {
      list->clear();
    } else {
      list = std::make_unique<List>();
      list->reserve(room);
      rt::adviseLargePages(list->data(), list->capacity() * sizeof(TimedEvent));
    }
    return {list.release(), [this](List* done) { keep(done); }};
  }

 private:
  void keep(List* done) {
    std::unique_ptr<List> was(done);
    std::lock_guard lock(mutex_);
    std::swap(was, spare_);
  }

  std::mutex mutex_;
  std::unique_ptr<List> spare_;
};

SpareList& spareList() {
  static SpareList* const spare = new SpareList;
  return *spare;
}

void describe(const SideScan& scan, EventSide& s) {
  s.all += scan.all;
  if (scan.timed == 0) return;
  s.mean = float(scan.sum / double(scan.timed));
  s.min = scan.lo;
  s.max = scan.hi;
}

// The spread of both sides about their means, and bins 1..25 over both sides' durations from
// the shortest to the longest; the shortest falls in bin 1, and all durations equal put every
// one there. One pass over the events; each side's sum keeps its case order.
void spreadAndBins(const std::vector<TimedEvent>& events, EventCount& c) {
  const bool p = !c.positive.timed.empty(), n = !c.negative.timed.empty();
  if (!p && !n) return;
  const double lo = p && n ? std::min(c.positive.min, c.negative.min) : p ? c.positive.min : c.negative.min;
  const double hi = p && n ? std::max(c.positive.max, c.negative.max) : p ? c.positive.max : c.negative.max;
  const double w = (hi - lo) / kDurationBins;
  // Each side's sum in a register of its own: a sum indexed by side waits on memory each event.
  double squaresP = 0.0, squaresN = 0.0;
  const double meanP = c.positive.mean, meanN = c.negative.mean;
  std::array<int32_t, kDurationBins + 1>* bins[2] = {&c.negative.bins, &c.positive.bins};
  // A bin follows from the duration alone, and durations repeat: the bins of the last two
  // durations met are kept, as the two sides' runs take turns.
  const auto binOf = [&](float d) {
    return w > 0 ? int(std::clamp(std::trunc((d - lo) / w + 0.999), 1.0, double(kDurationBins))) : 1;
  };
  std::array<float, 2> kept = {float(lo), float(lo)};
  std::array<int, 2> keptBin = {1, 1};
  size_t older = 0;
  for (const TimedEvent& e : events) {
    const int side = e.positive ? 1 : 0;
    if (e.positive) squaresP += (e.duration - meanP) * (e.duration - meanP);
    else squaresN += (e.duration - meanN) * (e.duration - meanN);
    int bin;
    if (e.duration == kept[0]) {
      bin = keptBin[0];
    } else if (e.duration == kept[1]) {
      bin = keptBin[1];
    } else {
      bin = binOf(e.duration);
      kept[older] = e.duration;
      keptBin[older] = bin;
      older ^= 1;
    }
    ++(*bins[side])[size_t(bin)];
  }
  if (p) c.positive.sd = std::sqrt(squaresP / double(c.positive.timed.size()));
  if (n) c.negative.sd = std::sqrt(squaresN / double(c.negative.timed.size()));
  for (const EventSide* s : {&c.positive, &c.negative})
    for (int b = 1; b <= kDurationBins; ++b) c.largestBin = std::max(c.largestBin, s->bins[size_t(b)]);
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
  // Runs of one side are at least a case apart: both sides together time at most one event a
  // case. Reserving that much leaves the pages no event reaches untouched; the ones reached
  // are faulted in large pages.
  const std::shared_ptr<std::vector<TimedEvent>> events = spareList().take(size_t(r.last - r.first) + 2);
  SideScan ps, ns;
  Scan scan(*events, interval, minDuration);
  const float* x = v.data();
  for (int32_t k = r.first; k < r.last; ++k) {
    const float y = x[k];
    scan.step(ps, y >= upper, k, true);
    scan.step(ns, y <= lower, k, false);
  }
  Scan::stepLast(ps, x[r.last] >= upper);
  Scan::stepLast(ns, x[r.last] <= lower);
  if (scan.outOfOrder())
    std::sort(events->begin(), events->end(), [](const TimedEvent& a, const TimedEvent& b) {
      return a.start != b.start ? a.start < b.start : a.positive && !b.positive;
    });
  c.inCaseOrder = events;
  // A negative run already under way at the first case is not one that began in the range.
  c.negative.all = v[size_t(r.first)] < lower ? -1 : 0;
  c.positive.timed = SideEvents(events, true, ps.timed);
  c.negative.timed = SideEvents(events, false, ns.timed);
  describe(ps, c.positive);
  describe(ns, c.negative);
  spreadAndBins(*events, c);
  return c;
}

const std::vector<TimedEvent>& eventsInCaseOrder(const EventCount& c) {
  static const std::vector<TimedEvent> none;
  return c.inCaseOrder ? *c.inCaseOrder : none;
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
