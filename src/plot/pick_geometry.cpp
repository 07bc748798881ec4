#include <algorithm>
#include <cmath>

#include "plot/cursor_pick.h"
#include "plot/level_pick.h"

namespace qv::pick {

std::optional<int32_t> caseAt(const plot::BlockView& v, int x) {
  const int64_t c = plot::caseUnder(v, x);
  if (c < 1 || c > v.nCases) return std::nullopt;
  return int32_t(c);
}

CaseSpan blockAround(int32_t c, int32_t half, int32_t nCases) {
  half = std::max(half, 0);
  CaseSpan s;
  s.begin = int32_t(std::max<int64_t>(int64_t(c) - half, 1));
  s.end = int32_t(std::min<int64_t>(int64_t(c) + half, nCases));
  return s;
}

float levelAt(int y, float minimum, float maximum, int plotHeight, int bottom) {
  const float scale = float((maximum - minimum) / float(std::max(plotHeight, 1)));
  return minimum + float(bottom - (y + 8)) * scale;
}

}  // namespace qv::pick
