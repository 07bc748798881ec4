#include "plot/strip_layout.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv::plot {

std::vector<StripWords> equalStrips(std::vector<int> shown, int bottomOfPlotArea) {
  if (shown.empty()) shown.push_back(1);
  const int n = int(shown.size());
  const int h = std::max(bottomOfPlotArea - 31, 0) / n;
  std::vector<StripWords> out;
  out.reserve(shown.size());
  for (int k = 1; k <= n; ++k) out.push_back({shown[size_t(k - 1)], float(h), float(h * k + 61)});
  return out;
}

int leastStripHeight(const HeightsFrame& fr, int n) {
  const double band = std::max(fr.Y - fr.base, 0.0);
  return std::max(1, std::min(16, int(band) / std::max(n, 1)));
}

double clampedPick(const HeightsFrame& fr, double top, int remaining, int least, double y) {
  const double low = top + least;
  const double limit = fr.Y - double(remaining) * least;
  if (!std::isfinite(y)) y = low;
  return std::max(std::min(y, limit - 1), low);
}

std::vector<StripWords> pickedStrips(const HeightsFrame& fr, const std::vector<int>& channels,
                                     const std::vector<double>& bottoms) {
  std::vector<StripWords> out;
  double t = fr.base;
  for (size_t k = 0; k < channels.size(); ++k) {
    const double y = k + 1 < channels.size() && k < bottoms.size() ? bottoms[k] : fr.Y;
    out.push_back({channels[k], float((y - t) * fr.factor), float((y - fr.base) * fr.factor + fr.offset)});
    t = y;
  }
  return out;
}

double blockPixelsPerCase(int screenWidth, int32_t first, int32_t last) {
  const double length = std::max(1.0, double(last) - double(first));
  return double(screenWidth) / length;
}

std::string blockDurationText(bool hasBlock, double seconds) {
  if (!hasBlock || !std::isfinite(seconds)) return "      none";
  if (seconds < 120) {
    std::string t = rt::PSstr(seconds);
    if (t.size() >= 8) t.resize(7);
    return t + " sec";
  }
  return rt::PSstr(seconds * 0.0166667) + " min";
}

}  // namespace qv::plot
