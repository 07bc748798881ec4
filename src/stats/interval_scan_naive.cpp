// The interval scans as plain fresh sums over every window: slow, and the reference the fast
// scanners are held against.
#include <cmath>

#include "stats/interval_scan.h"
#include "stats/interval_scan_common.h"

namespace qv {

namespace {

using scan::Block;

std::optional<double> meanScore(const Block& b, const ScanLimits& l, int32_t i) {
  const int32_t j = i + b.length - 1;
  if (!scan::included(b, l, j)) return std::nullopt;
  long double s = 0;
  int32_t n = 0;
  for (int32_t k = i; k <= j; ++k)
    if (scan::included(b, l, k)) s += b.x[k], ++n;
  return double(s / n);
}

bool windowTakesPart(const Block& b, const ScanLimits& l, int32_t i) {
  for (int32_t k = i; k < i + b.length; ++k)
    if (scan::interpolated(b, k)) return false;
  return scan::firstPasses(l, b.x[i]);
}

std::optional<double> deviationScore(const Block& b, const ScanLimits& l, int32_t i) {
  long double s = 0;
  int32_t n = 0;
  for (int32_t k = i; k < i + b.length; ++k)
    if (scan::inRange(b.x[k], l)) s += b.x[k], ++n;
  if (n == 0) return std::nullopt;
  // n x sum |m - v| = sum |s - n v|, exact for whole-number samples.
  long double t = 0;
  for (int32_t k = i; k < i + b.length; ++k)
    if (scan::inRange(b.x[k], l)) t += std::fabs(s - (long double)n * b.x[k]);
  return double(t / n);
}

double pathScore(const Block& b, const ScanLimits& l, int32_t i) {
  if (!scan::inRange(b.x[i], l)) return 0.0;
  long double t = 0;
  float previous = b.x[i];
  for (int32_t k = i + 1; k < i + b.length; ++k)
    if (scan::inRange(b.x[k], l)) {
      t += std::fabs((long double)b.x[k] - previous);
      previous = b.x[k];
    }
  return double(t);
}

}  // namespace

std::optional<ScanWinner> scanIntervalsNaive(const ScanRequest& r) {
  const Block b = scan::blockOf(r);
  scan::Best best = scan::bestFor(r.kind);
  for (int32_t i = b.begin; i <= b.last; ++i) {
    std::optional<double> score;
    if (r.kind == ScanKind::MeanMinimum || r.kind == ScanKind::MeanMaximum)
      score = meanScore(b, r.limits, i);
    else if (!windowTakesPart(b, r.limits, i))
      continue;
    else if (r.kind == ScanKind::MostVariablePoints)
      score = pathScore(b, r.limits, i);
    else
      score = deviationScore(b, r.limits, i);
    if (score) best.offer(i, *score);
  }
  return best.winner;
}

}  // namespace qv
