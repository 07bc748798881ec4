#include "plot/block_shift.h"

#include <cmath>

#include "runtime/numtext.h"

namespace qv::plot {

std::optional<ShiftedCases> shiftedBlock(int32_t begin, int32_t end, int32_t nCases, bool overlap, int direction) {
  if (begin < 1 || end < begin || end > nCases) return std::nullopt;
  const int64_t w = int64_t(end) - begin;
  // A one-case block under "Overlap 1 Case" would move by nothing: it moves by one case.
  const int64_t d = overlap ? std::max<int64_t>(w, 1) : w + 1;
  if (direction < 0) {
    if (begin - d < 1) return std::nullopt;
    return ShiftedCases{int32_t(begin - d), int32_t(end - d)};
  }
  if (nCases - int64_t(end) < d) return std::nullopt;
  return ShiftedCases{int32_t(begin + d), int32_t(end + d)};
}

double offeredBlockSeconds(double interval) {
  if (!std::isfinite(interval) || interval <= 0) return 0;
  const double hundredths = std::trunc(interval * 100 * 11.999);
  if (!std::isfinite(hundredths)) return 0;
  return hundredths / 100;
}

HalfWidth blockHalfWidth(double seconds, double interval, int32_t nCases) {
  HalfWidth h;
  if (!std::isfinite(interval) || interval <= 0) {
    h.error = "The file's sample interval is not a positive number, so no block width can be set.";
    return h;
  }
  const double longest = double(nCases) * interval;
  if (!std::isfinite(seconds) || seconds < 0 || seconds > longest) {
    h.error = "The duration of the block must be a number of seconds from 0 to" + rt::PSstr(longest) +
              " (the length of the file).";
    return h;
  }
  // The duration in whole cases, rounded up unless just over, plus the centre case.
  const int64_t cases = int64_t(std::trunc(seconds / interval + 0.999)) + 1;
  h.cases = int32_t(cases / 2);
  return h;
}

std::string fixedWidthText(int32_t halfCases, double interval) {
  const double seconds = 2.0 * halfCases * interval;
  if (seconds < 120) return rt::PSstr(seconds) + " sec";
  return rt::PSstr(seconds * 0.0166667) + " min";
}

}  // namespace qv::plot
