#pragma once
// What the fast and the fresh-sum scanners share: the block kept inside the data, which cases
// count, and which windows may take part.
#include <cmath>

#include "stats/interval_scan.h"

namespace qv::scan {

struct Block {
  const float* x = nullptr;
  const float* flags = nullptr;  // null unless interpolated cases are avoided
  int32_t begin = 0, end = -1, length = 1;
  int32_t last = -1;  // first case of the last window; < begin when none fits
};

Block blockOf(const ScanRequest& r);

inline bool inRange(float v, const ScanLimits& l) {
  return std::isfinite(v) && v >= l.lower && v <= l.upper;
}
inline bool interpolated(const Block& b, int32_t k) { return b.flags && b.flags[k] != 0.0f; }
// A case whose value enters the mean of a mean-minimum or mean-maximum window.
inline bool included(const Block& b, const ScanLimits& l, int32_t k) {
  const float v = b.x[k];
  return std::isfinite(v) && !interpolated(b, k) && !(l.lowerOn && v < l.lower) &&
         !(l.upperOn && v > l.upper);
}
// The first value of a level or variable window must pass the limits that are on.
inline bool firstPasses(const ScanLimits& l, float v) {
  return !(l.lowerOn && v < l.lower) && !(l.upperOn && v > l.upper);
}

// Keeps the best score; a later window wins only when strictly better.
struct Best {
  bool lowest = true;
  bool positiveOnly = false;  // the most-variable questions: a score of 0 never wins
  std::optional<ScanWinner> winner;
  void offer(int32_t i, double score) {
    if (positiveOnly && !(score > 0.0)) return;
    if (!winner || (lowest ? score < winner->score : score > winner->score)) winner = {i, score};
  }
};
Best bestFor(ScanKind kind);

// Calls the request's progress at every 65,536th window start.
inline void tell(const ScanRequest& r, const Block& b, int32_t i) {
  if (r.progress && ((i - b.begin) & 0xFFFF) == 0) r.progress(i - b.begin);
}

}  // namespace qv::scan
