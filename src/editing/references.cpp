#include "editing/references.h"

#include <algorithm>
#include <cmath>

namespace qv::refs {

bool isReference(float v, const Settings& s) { return s.downwards ? v <= s.cutoff : v >= s.cutoff; }

Found findStretches(std::span<const float> x, int32_t start, int32_t end, const Settings& s,
                    std::span<const int32_t> markerCases, size_t room) {
  Found found;
  start = std::max(start, 1);
  end = int32_t(std::min<int64_t>(end, int64_t(x.size()) - 1));
  for (int32_t i = start; i < end;) {
    if (!isReference(x[size_t(i)], s)) {
      ++i;
      continue;
    }
    int32_t e = i + 1;
    while (e < end && isReference(x[size_t(e)], s)) ++e;
    Stretch st{i - s.leftExtra, e + s.rightExtra};
    bool edges = true;
    if (s.leftToMarker) {
      const auto it = std::upper_bound(markerCases.begin(), markerCases.end(), i);
      if (it == markerCases.begin()) edges = false;
      else st.left = *(it - 1);
    }
    if (s.rightToMarker) {
      const auto it = std::upper_bound(markerCases.begin(), markerCases.end(), e);
      if (it == markerCases.end()) edges = false;
      else st.right = *it;
    }
    if (!edges) {
      ++found.skipped;
    } else if (found.stretches.size() < room) {
      found.stretches.push_back(st);
    } else {
      found.full = true;
    }
    i = e + 1;
  }
  return found;
}

float lineAt(float a, float b, int32_t l, int32_t r, int32_t i) {
  return float(double(a) + double(i - l) * (double(b) - double(a)) / double(r - l));
}

std::optional<Stretch> replaceStretch(std::span<float> x, Stretch edges, const Settings& s) {
  const int32_t last = int32_t(x.size()) - 1;
  const int32_t l = std::max(edges.left, 1), r = std::min(edges.right, last);
  if (r <= l) return std::nullopt;
  const float a = x[size_t(l)], b = x[size_t(r)];
  if (s.interpolate && (std::isnan(a) || std::isnan(b))) return std::nullopt;
  // A gap inside the edges stays a gap.
  for (int32_t i = l; i <= r; ++i)
    if (!std::isnan(x[size_t(i)])) x[size_t(i)] = s.interpolate ? lineAt(a, b, l, r, i) : s.fixedValue;
  return Stretch{l, r};
}

int32_t wordCount(float w, int32_t lo, int32_t hi) {
  if (std::isnan(w)) return std::max(lo, std::min(0, hi));
  return int32_t(std::clamp(std::trunc(double(w)), double(lo), double(hi)));
}

}  // namespace qv::refs
