#include "fitting/event_count.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <utility>
#include <vector>

#include "runtime/large_pages.h"
#include "runtime/parallel_runs.h"

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

// One side's runs met during a scan, and the sums of its timed durations.
struct SideScan {
  int32_t all = 0;
  size_t timed = 0;
  double sum = 0.0;
  // Read only once a run is timed, which sets both.
  float lo = std::numeric_limits<float>::infinity(), hi = -std::numeric_limits<float>::infinity();
};

// Where a side stands as a stretch of cases begins: in a run (which began at `start`) or not.
// A start of kUnknown is a run begun before the stretch, found only once the stretches before
// it are put together.
constexpr int32_t kUnknown = std::numeric_limits<int32_t>::min();
struct RunState {
  bool in = false;
  int32_t start = 0;
};

// Both sides over cases from..to (all before the range's last case), one pass. A run ending
// here is timed when it lasts longer than m seconds; a run whose scan reaches the last case
// (still under way there, or ending exactly there) is counted, never timed: its end is not seen
// inside the range. A timed run goes to timed(side, start, end, duration); the end of a run of
// unknown start goes to unknownEnd(side, end) instead. Runs of one side end in case order; only runs
// of both sides over the same cases (upper at or below lower) can end out of their starting
// order.
struct StretchScan {
  StretchScan(double interval_, double m_, float upper_, float lower_)
      : interval(interval_), m(m_), upper(upper_), lower(lower_) {}
  double interval, m;
  float upper, lower;
  RunState p, n;
  SideScan ps, ns;
  int32_t lastStart = 0, firstStart = kUnknown;
  bool firstPositive = false, outOfOrder = false;

  template <class Timed, class UnknownEnd>
  void run(const float* x, int32_t from, int32_t to, const Timed& timed, const UnknownEnd& unknownEnd) {
    // The state in locals (and the end of a run inlined): events written through the sink then
    // cannot be taken for the state, which would otherwise be read back from memory every case.
    RunState sp = p, sn = n;
    SideScan qp = ps, qn = ns;
    int32_t last = lastStart, firstS = firstStart;
    bool firstP = firstPositive, disorder = outOfOrder;
    const auto end = [&](const RunState& r, int32_t k, bool positive, SideScan& q) __attribute__((always_inline)) {
      if (r.start == kUnknown) {
        unknownEnd(positive, k);
        return;
      }
      const float d = float(double(k - r.start) * interval);
      if (!(d > m)) return;
      if (firstS == kUnknown) firstS = r.start, firstP = positive;
      else if (r.start < last || (r.start == last && positive)) disorder = true;
      last = r.start;
      timed(positive, r.start, k, d);
      ++q.timed;
      q.sum += d;
      q.lo = std::min(q.lo, d);
      q.hi = std::max(q.hi, d);
    };
    const auto step = [&](RunState& r, bool in, int32_t k, bool positive, SideScan& q) __attribute__((always_inline)) {
      if (r.in) {
        if (!in) {
          r.in = false;
          end(r, k, positive, q);
        }
      } else if (in) {
        r = {true, k};
        ++q.all;
      }
    };
    for (int32_t k = from; k <= to; ++k) {
      const float y = x[k];
      step(sp, y >= upper, k, true, qp);
      step(sn, y <= lower, k, false, qn);
    }
    p = sp, n = sn, ps = qp, ns = qn;
    lastStart = last, firstStart = firstS, firstPositive = firstP, outOfOrder = disorder;
  }
  // The last case only starts a run, never ends one.
  void stepLast(float y) {
    if (!p.in && y >= upper) ++ps.all;
    if (!n.in && y <= lower) ++ns.all;
  }
};

// The list of the count let go last, kept for the next count: the window counts again at every
// change of a trigger, and a count writing into pages it already had is several times faster
// than one faulting in fresh ones (a full-size channel can time millions of events). One list
// is kept, the latest; it is never destroyed, so a count let go at exit still finds it.
class SpareList {
 public:
  using List = std::vector<TimedEvent>;

  // A list with room for `room` events, holding whatever the count before left in it.
  std::shared_ptr<List> take(size_t room) {
    std::unique_ptr<List> list;
    {
      std::lock_guard lock(mutex_);
      if (spare_ && spare_->capacity() >= room) list = std::move(spare_);
    }
    if (!list) {
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

namespace {

// A long count is shared between threads a stretch of cases at a time: each stretch is scanned
// once to count its events and find where its runs stand at its end, the stretches are put
// together in case order, and each is scanned again to write its events where they belong.
constexpr int32_t kStretch = 1 << 18;
constexpr int64_t kSharedFrom = int64_t(1) << 20;

struct Stretch {
  StretchScan found, written;
  int32_t from = 0, to = 0;
  int32_t unknownEndP = 0, unknownEndN = 0;  // where a run under way at `from` ends (0: not here)
  size_t offset = 0;
};

bool longEnough(const StretchScan& s, int32_t start, int32_t end) {
  return float(double(end - start) * s.interval) > s.m;
}

// Cases first..to scanned by several threads into `out`, which ends as one scan's list would;
// `whole` ends as that scan would leave it, its sums taken in that scan's order.
void scanShared(const float* x, int32_t first, int32_t to, StretchScan& whole, std::vector<TimedEvent>& out) {
  std::vector<Stretch> stretches(size_t((int64_t(to) - first) / kStretch) + 1, Stretch{whole, whole});
  const auto stretchFrom = [&](int64_t from) -> Stretch& { return stretches[size_t((from - first) / kStretch)]; };
  rt::forEachRunOfCases(first, to, kStretch, kSharedFrom, [&](int64_t from, int64_t last) {
    Stretch& s = stretchFrom(from);
    s.from = int32_t(from), s.to = int32_t(last);
    if (from > first) {
      s.found.p = {x[from - 1] >= whole.upper, kUnknown};
      s.found.n = {x[from - 1] <= whole.lower, kUnknown};
    }
    s.found.run(x, s.from, s.to, [](bool, int32_t, int32_t, float) {},
                [&](bool positive, int32_t k) { (positive ? s.unknownEndP : s.unknownEndN) = k; });
  });
  // Each stretch starts where the one before left its runs.
  RunState p = whole.p, n = whole.n;
  size_t events = 0;
  for (Stretch& s : stretches) {
    s.written.p = p, s.written.n = n;
    s.offset = events;
    events += s.found.ps.timed + s.found.ns.timed;
    if (s.unknownEndP && longEnough(whole, p.start, s.unknownEndP)) ++events;
    if (s.unknownEndN && longEnough(whole, n.start, s.unknownEndN)) ++events;
    if (!(s.found.p.in && s.found.p.start == kUnknown)) p = s.found.p;
    if (!(s.found.n.in && s.found.n.start == kUnknown)) n = s.found.n;
  }
  // A list the count before left holds events already: only those past them are made.
  out.resize(events);
  rt::forEachRunOfCases(first, to, kStretch, kSharedFrom, [&](int64_t from, int64_t) {
    Stretch& s = stretchFrom(from);
    TimedEvent* o = out.data() + s.offset;
    s.written.run(x, s.from, s.to,
                  [&](bool positive, int32_t start, int32_t end, float d) { *o++ = {start, end, d, positive}; },
                  [](bool, int32_t) {});
  });
  for (const Stretch& s : stretches) {
    const StretchScan& w = s.written;
    for (auto [side, part] : {std::pair{&whole.ps, &w.ps}, std::pair{&whole.ns, &w.ns}}) {
      side->all += part->all;
      side->timed += part->timed;
      side->lo = std::min(side->lo, part->lo);
      side->hi = std::max(side->hi, part->hi);
    }
    if (w.firstStart != kUnknown) {
      if (whole.firstStart == kUnknown) whole.firstStart = w.firstStart, whole.firstPositive = w.firstPositive;
      else if (w.firstStart < whole.lastStart || (w.firstStart == whole.lastStart && w.firstPositive))
        whole.outOfOrder = true;
      whole.lastStart = w.lastStart;
    }
    whole.outOfOrder = whole.outOfOrder || w.outOfOrder;
    whole.p = w.p, whole.n = w.n;
  }
  // The sums of the durations in the order a single scan meets them, each side's in a register.
  double sumP = 0.0, sumN = 0.0;
  for (const TimedEvent& e : out) {
    if (e.positive) sumP += e.duration;
    else sumN += e.duration;
  }
  whole.ps.sum = sumP, whole.ns.sum = sumN;
}

}  // namespace

EventCount countEvents(std::span<const float> v, int32_t first, int32_t last, float upper, float lower,
                       double interval, double minDuration) {
  EventCount c;
  const Range r = within(v, first, last);
  if (r.empty()) return c;
  // Runs of one side are at least a case apart: both sides together time at most one event a
  // case. Reserving that much leaves the pages no event reaches untouched; the ones reached
  // are faulted in large pages.
  const std::shared_ptr<std::vector<TimedEvent>> events = spareList().take(size_t(r.last - r.first) + 2);
  StretchScan scan{interval, minDuration, upper, lower};
  const float* x = v.data();
  if (int64_t(r.last) - r.first >= kSharedFrom) {
    scanShared(x, r.first, r.last - 1, scan, *events);
  } else {
    events->clear();
    scan.run(x, r.first, r.last - 1,
             [&](bool positive, int32_t start, int32_t end, float d) { events->push_back({start, end, d, positive}); },
             [](bool, int32_t) {});
  }
  scan.stepLast(x[r.last]);
  if (scan.outOfOrder)
    std::sort(events->begin(), events->end(), [](const TimedEvent& a, const TimedEvent& b) {
      return a.start != b.start ? a.start < b.start : a.positive && !b.positive;
    });
  c.inCaseOrder = events;
  // A negative run already under way at the first case is not one that began in the range.
  c.negative.all = v[size_t(r.first)] < lower ? -1 : 0;
  c.positive.timed = SideEvents(events, true, scan.ps.timed);
  c.negative.timed = SideEvents(events, false, scan.ns.timed);
  describe(scan.ps, c.positive);
  describe(scan.ns, c.negative);
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
