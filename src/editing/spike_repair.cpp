#include "editing/spike_repair.h"

#include <algorithm>
#include <cmath>

namespace qv::repair {

namespace {

Repair keep(std::span<const float> x, int32_t a, int32_t b) {
  Repair r;
  r.first = a;
  r.old.assign(x.begin() + a, x.begin() + b + 1);
  return r;
}

int32_t lastCase(std::span<const float> x) { return int32_t(x.size()) - 1; }

}  // namespace

std::optional<Repair> repairSpike(std::span<float> x, int32_t i) {
  if (i < 2 || i > lastCase(x) - 1) return std::nullopt;
  const float p = x[size_t(i) - 1], c = x[size_t(i)], n = x[size_t(i) + 1];
  if (std::isnan(p) || std::isnan(c) || std::isnan(n)) return std::nullopt;
  Repair r = keep(x, i, i);
  x[size_t(i)] = (p + n) * 0.5f;
  return r;
}

std::optional<Span> spanOf(int64_t first, int64_t second, int32_t nCases) {
  if (nCases < 1) return std::nullopt;
  const auto a = int32_t(std::clamp<int64_t>(std::min(first, second), 1, nCases));
  const auto b = int32_t(std::clamp<int64_t>(std::max(first, second), 1, nCases));
  if (a == b) return std::nullopt;
  return Span{a, b};
}

std::optional<Repair> linearize(std::span<float> x, Span s) {
  if (s.a < 1 || s.b > lastCase(x) || s.a >= s.b) return std::nullopt;
  const float ya = x[size_t(s.a)], yb = x[size_t(s.b)];
  if (std::isnan(ya) || std::isnan(yb)) return std::nullopt;
  Repair r = keep(x, s.a, s.b);
  const double m = (double(ya) - double(yb)) / double(s.b - s.a);
  for (int32_t i = s.a; i <= s.b; ++i)
    if (!std::isnan(x[size_t(i)])) x[size_t(i)] = float(double(ya) - double(i - s.a) * m);
  return r;
}

std::optional<Repair> conserveFill(std::span<float> x, Span s, int passes) {
  const int32_t n = lastCase(x);
  if (s.a < 1 || s.b > n || s.a >= s.b) return std::nullopt;
  const int32_t before = std::max(s.a - 1, 1), after = std::min(s.b + 1, n);
  for (int32_t i = before; i <= after; ++i)
    if (std::isnan(x[size_t(i)])) return std::nullopt;
  Repair r = keep(x, s.a, s.b);
  const double ya = x[size_t(s.a)], yb = x[size_t(s.b)];
  const double m = (ya - yb) / double(s.b - s.a);
  for (int pass = 0; pass < std::clamp(passes, 1, 5); ++pass) {
    double previous = 0.0;
    for (int32_t i = s.a; i <= s.b; ++i) {
      const double line = ya - double(i - s.a) * m;
      const double left = x[size_t(i == s.a ? before : i - 1)], right = x[size_t(i == s.b ? after : i + 1)];
      const double mean = (double(x[size_t(i)]) + left + right) / 3.0;
      const double v = (line - mean) + double(x[size_t(i)]);
      x[size_t(i)] = float(i > s.a ? (v + previous) * 0.5 : v);
      previous = v;
    }
  }
  return r;
}

void undo(std::span<float> x, const Repair& r) {
  for (size_t k = 0; k < r.old.size() && size_t(r.first) + k < x.size(); ++k) x[size_t(r.first) + k] = r.old[k];
}

}  // namespace qv::repair
