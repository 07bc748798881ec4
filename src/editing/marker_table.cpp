#include <algorithm>

#include "plot/marker_order.h"
#include "runtime/macroman.h"
#include "runtime/utf8.h"

namespace qv::markers {

int32_t sortTable(std::span<Marker> table, int32_t nCases) {
  const auto kept = std::remove_if(table.begin(), table.end(),
                                   [&](const Marker& m) { return m.code == 0 || m.kase < 1 || m.kase > nCases; });
  std::stable_sort(table.begin(), kept, [](const Marker& a, const Marker& b) { return a.kase < b.kase; });
  // Identical records are duplicates; two codes at one case are two marks (a span that opens
  // where a letter stands) and both stay, in the order they were placed.
  auto out = table.begin();
  auto groupStart = table.begin();
  for (auto it = table.begin(); it != kept; ++it) {
    if (groupStart == out || (groupStart->kase != it->kase)) groupStart = out;
    const bool repeated = std::any_of(groupStart, out, [&](const Marker& m) { return m.code == it->code; });
    if (!repeated) *out++ = *it;
  }
  return int32_t(out - table.begin());
}

std::optional<int16_t> codeOf(std::string_view text) {
  if (text.empty()) return std::nullopt;
  size_t i = 0;
  const int code = rt::unicodeToMacRoman(rt::decodeUtf8At(text, i));
  if (code < 1 || code > 255) return std::nullopt;
  return int16_t(code);
}

int32_t pageOf(int32_t first, int width) {
  width = std::max(width, 1);
  return std::max<int32_t>(first - 1, 0) / width + 1;
}

}  // namespace qv::markers
