#include "rhythm/lag_panels.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_chars.h"
#include "runtime/numtext.h"

namespace qv {

namespace {
constexpr uint8_t kGap = 255;

uint8_t place(float v, float lo, float scale, int top) {
  if (!std::isfinite(v)) return kGap;
  if (!(scale > 0.0f)) return uint8_t(top / 2);
  const float p = (v - lo) * scale;
  return uint8_t(std::clamp(int(p), 0, top));
}
}  // namespace

PanelPlaces panelPlaces(std::span<const float> y, int32_t begin, int32_t end, float lo, float hi) {
  PanelPlaces p;
  p.begin = begin;
  if (begin < 0 || end < begin || size_t(end) >= y.size()) return p;
  const size_t n = size_t(end - begin) + 1;
  p.column.resize(n);
  p.row.resize(n);
  const float range = hi - lo;
  const bool flat = !(range > 0.0f) || !std::isfinite(range);
  const float sx = flat ? 0.0f : float(kPanelWidth - 1) / range, sy = flat ? 0.0f : float(kPanelHeight - 1) / range;
  for (size_t i = 0; i < n; ++i) {
    const float v = y[size_t(begin) + i];
    p.column[i] = place(v, lo, sx, kPanelWidth - 1);
    const uint8_t up = place(v, lo, sy, kPanelHeight - 1);
    p.row[i] = up == kGap ? kGap : uint8_t(kPanelHeight - 1 - up);
  }
  return p;
}

int64_t panelMask(const PanelPlaces& places, int64_t offset, std::vector<uint8_t>& mask) {
  mask.assign(size_t(kPanelWidth) * kPanelHeight, 0);
  const int64_t n = int64_t(places.column.size());
  if (offset < 1 || offset >= n) return 0;
  const uint8_t* col = places.column.data();
  const uint8_t* row = places.row.data() + offset;
  uint8_t* m = mask.data();
  int64_t count = 0;
  for (int64_t t = 0; t + offset < n; ++t) {
    const uint8_t c = col[t], r = row[t];
    if (c == kGap || r == kGap) continue;
    m[size_t(r) * kPanelWidth + c] = 1;
    ++count;
  }
  return count;
}

double panelSeconds(int32_t p, int32_t lag, int32_t step, float dt) {
  return (double(p) * step + lag) * double(dt);
}

std::string panelLabel(double seconds) {
  if (seconds < 600) return " step" + rt::PSstr(float(seconds)) + " sec";
  return " step" + rt::PSstr(float(seconds / 60.0)) + " min";
}

std::string printedPanelLabel(double seconds) {
  if (seconds < 600) {
    char buf[rt::kNumberCharsMax];
    return "step" + std::string(buf, rt::numberChars(buf, seconds, 4)) + " sec";
  }
  return "step" + rt::PSstr(std::trunc(seconds * 0.0166667 * 100.0) * 0.01) + " min";
}

}  // namespace qv
