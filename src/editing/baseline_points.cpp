#include "editing/baseline_points.h"

#include <algorithm>
#include <cmath>

namespace qv {

std::optional<CaseWindow> pointWindow(int32_t c, int32_t nCases) {
  const int64_t first = std::max<int64_t>(int64_t(c) - 2, 1), last = std::min<int64_t>(int64_t(c) + 2, nCases);
  if (first > last) return std::nullopt;
  return CaseWindow{int32_t(first), int32_t(last)};
}

std::vector<int32_t> markerPointCases(std::span<const MarkerAt> markers, const std::string& macRomanText,
                                      int32_t shift, int32_t nCases) {
  std::vector<int32_t> cases;
  if (macRomanText.size() != 1) return cases;
  const auto wanted = uint8_t(macRomanText[0]);
  for (const MarkerAt& m : markers) {
    if (uint8_t(m.code & 0xFF) != wanted) continue;
    const int64_t c = int64_t(m.caseNo) + shift;
    if (c >= nCases || c < INT32_MIN) continue;
    if (pointWindow(int32_t(c), nCases)) cases.push_back(int32_t(c));
  }
  std::sort(cases.begin(), cases.end());
  cases.erase(std::unique(cases.begin(), cases.end()), cases.end());
  return cases;
}

int64_t periodPointCount(int32_t first, int32_t period, int32_t nCases) {
  if (period < 1 || first > nCases) return 0;
  return (int64_t(nCases) - first) / period + 1;
}

std::vector<int32_t> periodPointCases(int32_t first, int32_t period, int32_t nCases) {
  std::vector<int32_t> cases;
  if (period < 1 || first < 1) return cases;
  cases.reserve(size_t(periodPointCount(first, period, nCases)));
  for (int64_t c = first; c <= nCases; c += period) cases.push_back(int32_t(c));
  return cases;
}

int32_t shortestFittingPeriod(int32_t first, int32_t nCases) {
  const int64_t span = std::max<int64_t>(int64_t(nCases) - first, 0);
  return int32_t(std::max<int64_t>(1, (span + kMaxBaselinePoints - 2) / (kMaxBaselinePoints - 1)));
}

int32_t periodOfMinutes(double minutes, double interval) {
  if (!std::isfinite(minutes) || !std::isfinite(interval) || minutes <= 0 || interval <= 0) return 0;
  const double d = std::trunc(std::trunc(minutes * 60) / interval);
  return d >= 1 && d <= 2e9 ? int32_t(d) : 0;
}

namespace {

void fillLines(std::span<const float> channel, std::span<BaselineRecord> table, int32_t n) {
  for (int32_t k = 2; k <= n; ++k) {
    const auto fit = baselineRegression(channel, int32_t(table[k - 1][1]), int32_t(table[k - 1][2]),
                                        int32_t(table[k][1]), int32_t(table[k][2]));
    table[k][3] = fit ? fit->line.a : 0.0f;
    table[k][4] = fit ? fit->line.b : 0.0f;
  }
}

}  // namespace

int32_t fillPointTable(std::span<const float> channel, std::span<const int32_t> cases,
                       std::span<BaselineRecord> table) {
  const int32_t nCases = int32_t(channel.size()) - 1;
  int32_t n = 0;
  for (int32_t c : cases) {
    const auto w = pointWindow(c, nCases);
    if (!w || n + 1 >= int32_t(table.size())) continue;
    ++n;
    table[n] = {0, float(w->first), float(w->last), 0, 0, 0};
  }
  fillLines(channel, table, n);
  return n;
}

int32_t fillPickTable(std::span<const float> channel, std::span<const CaseWindow> picks,
                      std::span<BaselineRecord> table) {
  int32_t n = 0;
  for (const CaseWindow& p : picks) {
    if (n + 1 >= int32_t(table.size())) break;
    ++n;
    table[n] = {0, float(std::max(1, p.first)), float(p.last), 0, 0, 0};
  }
  fillLines(channel, table, n);
  return n;
}

BaselineLine typedLine(double start, double end, int32_t nCases) {
  return {float(start), nCases > 0 ? float((end - start) / nCases) : 0.0f};
}

}  // namespace qv
