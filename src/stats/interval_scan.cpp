// The fast interval scanners: running sums for the means, the point-to-point path and the
// interpolated count; a tree over value ranks for the sum of absolute deviations. Sums are kept
// in long double on values less a whole-number offset near the block mean, so whole-number
// samples give exact scores and real ones round far below the gap between windows.
#include <algorithm>
#include <cmath>
#include <vector>

#include "stats/interval_scan.h"
#include "stats/interval_scan_common.h"

namespace qv {

namespace scan {

Block blockOf(const ScanRequest& r) {
  Block b;
  b.x = r.samples.data();
  int64_t end = std::min<int64_t>(r.end, int64_t(r.samples.size()) - 1);
  if (r.avoidInterpolation) {
    b.flags = r.interpolated.data();
    end = std::min<int64_t>(end, int64_t(r.interpolated.size()) - 1);
  }
  b.begin = std::max(r.begin, int32_t(1));
  b.end = int32_t(end);
  b.length = std::max(r.length, int32_t(1));
  b.last = int32_t(std::max<int64_t>(int64_t(b.end) + 1 - b.length, int64_t(b.begin) - 1));
  if (b.end < b.begin) b.last = b.begin - 1;
  return b;
}

Best bestFor(ScanKind kind) {
  Best b;
  b.lowest = kind == ScanKind::MeanMinimum || kind == ScanKind::MostLevel;
  b.positiveOnly = kind == ScanKind::MostVariableSlope || kind == ScanKind::MostVariablePoints;
  return b;
}

}  // namespace scan

namespace {

using scan::Block;

long double offsetOf(const Block& b) {
  long double s = 0;
  int32_t n = 0;
  for (int32_t k = b.begin; k <= b.end; ++k)
    if (std::isfinite(b.x[k])) s += b.x[k], ++n;
  return n ? std::nearbyint(s / n) : 0.0L;
}

std::optional<ScanWinner> scanMeans(const ScanRequest& r, const Block& b, const ScanLimits& l, scan::Best best) {
  const long double off = offsetOf(b);
  long double s = 0;
  int32_t n = 0;
  for (int32_t k = b.begin; k < b.begin + b.length - 1; ++k)
    if (scan::included(b, l, k)) s += b.x[k] - off, ++n;
  for (int32_t i = b.begin; i <= b.last; ++i) {
    scan::tell(r, b, i);
    const int32_t j = i + b.length - 1;
    const bool lastIn = scan::included(b, l, j);
    if (lastIn) s += b.x[j] - off, ++n;
    if (lastIn) best.offer(i, double((s + n * off) / n));
    if (scan::included(b, l, i)) s -= b.x[i] - off, --n;
  }
  return best.winner;
}

// Counts the interpolated cases of each window as it slides.
struct InterpolatedCount {
  const Block& b;
  int32_t count = 0;
  void add(int32_t k) { count += scan::interpolated(b, k); }
  void drop(int32_t k) { count -= scan::interpolated(b, k); }
};

// The point-to-point path: each in-range case adds its distance from the in-range case before
// it; with the window's first case in range, that earlier case always lies inside the window.
struct PathEdge {
  const Block& b;
  const ScanLimits& l;
  bool seen = false;
  float previous = 0.0f;
  long double step(int32_t k) {
    if (!scan::inRange(b.x[k], l)) return 0;
    const long double d = seen ? std::fabs((long double)b.x[k] - previous) : 0.0L;
    seen = true;
    previous = b.x[k];
    return d;
  }
};

std::optional<ScanWinner> scanPath(const ScanRequest& r, const Block& b, const ScanLimits& l, scan::Best best) {
  InterpolatedCount flags{b};
  PathEdge lead{b, l}, trail{b, l};
  long double path = 0;  // the steps of cases i+1 .. j
  trail.step(b.begin);
  for (int32_t k = b.begin; k < b.begin + b.length - 1; ++k) flags.add(k);
  for (int32_t k = b.begin; k < b.begin + b.length; ++k) {
    const long double d = lead.step(k);
    if (k > b.begin) path += d;
  }
  for (int32_t i = b.begin; i <= b.last; ++i) {
    scan::tell(r, b, i);
    const int32_t j = i + b.length - 1;
    if (i > b.begin) {
      path += lead.step(j);
      path -= trail.step(i);
    }
    flags.add(j);
    if (flags.count == 0 && scan::firstPasses(l, b.x[i]) && scan::inRange(b.x[i], l))
      best.offer(i, double(path));
    flags.drop(i);
  }
  return best.winner;
}

// Counts and sums of the in-range values of the window by value rank (a Fenwick tree).
class RankTree {
 public:
  explicit RankTree(size_t n) : count_(n + 1, 0), sum_(n + 1, 0) {
    top_ = 1;
    while (top_ * 2 <= n) top_ *= 2;
  }
  void add(size_t rank, int32_t c, long double v) {
    for (size_t p = rank + 1; p < count_.size(); p += p & (~p + 1)) count_[p] += c, sum_[p] += v;
  }
  // Count and sum of the leading ranks r for which below(r) holds (below is monotone).
  template <class Below>
  std::pair<int32_t, long double> prefix(Below below) const {
    size_t p = 0;
    int32_t c = 0;
    long double s = 0;
    for (size_t step = top_; step > 0; step /= 2)
      if (p + step < count_.size() && below(p + step - 1)) {
        p += step;
        c += count_[p];
        s += sum_[p];
      }
    return {c, s};
  }

 private:
  size_t top_;
  std::vector<int32_t> count_;
  std::vector<long double> sum_;
};

std::optional<ScanWinner> scanDeviations(const ScanRequest& r, const Block& b, const ScanLimits& l, scan::Best best) {
  std::vector<float> values;
  for (int32_t k = b.begin; k <= b.end; ++k)
    if (scan::inRange(b.x[k], l)) values.push_back(b.x[k]);
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  if (values.empty()) return std::nullopt;
  const long double off = std::nearbyint((long double)values[values.size() / 2]);
  RankTree tree(values.size());
  InterpolatedCount flags{b};
  long double s = 0;  // of the window's in-range values less off
  int32_t n = 0;
  auto change = [&](int32_t k, int32_t sign) {
    if (!scan::inRange(b.x[k], l)) return;
    const size_t rank = size_t(std::lower_bound(values.begin(), values.end(), b.x[k]) - values.begin());
    tree.add(rank, sign, sign * (b.x[k] - off));
    s += sign * (b.x[k] - off);
    n += sign;
  };
  for (int32_t k = b.begin; k < b.begin + b.length - 1; ++k) change(k, 1), flags.add(k);
  for (int32_t i = b.begin; i <= b.last; ++i) {
    scan::tell(r, b, i);
    const int32_t j = i + b.length - 1;
    change(j, 1);
    flags.add(j);
    if (n > 0 && flags.count == 0 && scan::firstPasses(l, b.x[i])) {
      // Values v with n v < s (s on the raw values) lie below the mean.
      const long double raw = s + n * off;
      auto [cb, sb] = tree.prefix([&](size_t r) { return (long double)n * values[r] < raw; });
      const long double t = s * (2 * cb - n) - n * (2 * sb - s);
      best.offer(i, double(std::max(t, 0.0L) / n));
    }
    change(i, -1);
    flags.drop(i);
  }
  return best.winner;
}

}  // namespace

std::optional<ScanWinner> scanIntervals(const ScanRequest& r) {
  const Block b = scan::blockOf(r);
  if (b.last < b.begin) return std::nullopt;
  switch (r.kind) {
    case ScanKind::MeanMinimum:
    case ScanKind::MeanMaximum:
      return scanMeans(r, b, r.limits, scan::bestFor(r.kind));
    case ScanKind::MostVariablePoints:
      return scanPath(r, b, r.limits, scan::bestFor(r.kind));
    default:
      return scanDeviations(r, b, r.limits, scan::bestFor(r.kind));
  }
}

}  // namespace qv
