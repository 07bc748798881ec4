#include "editing/file_reshape.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace qv::reshape {

namespace {

bool validBlock(size_t size, int32_t b, int32_t e) { return b >= 1 && b <= e && size_t(e) < size; }

}  // namespace

void cutFromChannel(std::span<float> samples, int32_t b, int32_t e) {
  if (!validBlock(samples.size(), b, e)) return;
  const int32_t n = int32_t(samples.size() - 1);
  const int32_t kept = cutCases(samples, b, e);
  std::fill(samples.begin() + kept + 1, samples.begin() + n + 1, 0.0f);
}

int32_t cutCases(std::span<float> samples, int32_t b, int32_t e) {
  const int32_t n = samples.empty() ? 0 : int32_t(samples.size() - 1);
  if (!validBlock(samples.size(), b, e)) return n;
  const size_t later = size_t(n - e);
  if (later > 0) std::memmove(&samples[size_t(b)], &samples[size_t(e) + 1], later * sizeof(float));
  return n - (e - b + 1);
}

void cropCases(std::span<float> samples, int32_t b, int32_t e) {
  if (!validBlock(samples.size(), b, e) || b == 1) return;
  std::memmove(&samples[1], &samples[size_t(b)], size_t(e - b + 1) * sizeof(float));
}

bool anyMarkerIn(std::span<const Marker> table, int32_t b, int32_t e) {
  return std::any_of(table.begin(), table.end(), [&](const Marker& m) { return m.kase >= b && m.kase <= e; });
}

std::vector<Marker> markersAfterCut(std::span<const Marker> table, int32_t b, int32_t e, bool insertOne,
                                    int32_t casesAfter) {
  std::vector<Marker> out;
  out.reserve(table.size() + 1);
  std::optional<int32_t> lastDeletedCode;
  const int32_t removed = e - b + 1;
  for (const Marker& m : table) {
    if (m.kase >= b && m.kase <= e) {
      lastDeletedCode = m.code;
      continue;
    }
    out.push_back(m.kase > e ? Marker{m.kase - removed, m.code} : m);
  }
  if (insertOne && lastDeletedCode && b <= casesAfter) {
    // It goes where the block was: after every marker before the block, before the later ones.
    const auto at = std::find_if(out.begin(), out.end(), [&](const Marker& m) { return m.kase >= b; });
    out.insert(at, Marker{b, *lastDeletedCode});
  }
  return out;
}

std::vector<Marker> markersAfterCrop(std::span<const Marker> table, int32_t b, int32_t e) {
  std::vector<Marker> out;
  for (const Marker& m : table)
    if (m.kase >= b && m.kase <= e) out.push_back({m.kase - (b - 1), m.code});
  return out;
}

std::vector<Marker> markersOutside(std::span<const Marker> table, int32_t b, int32_t e) {
  std::vector<Marker> out;
  for (const Marker& m : table)
    if (m.kase < b || m.kase > e) out.push_back(m);
  std::stable_sort(out.begin(), out.end(), [](const Marker& x, const Marker& y) { return x.kase < y.kase; });
  return out;
}

std::optional<double> secondsOfDay(std::string_view hms) {
  double parts[3] = {};
  int count = 0;
  size_t start = 0;
  for (;;) {
    const size_t colon = hms.find(':', start);
    std::string_view part = hms.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (count == 3 || part.empty() || part.size() > 2) return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
    if (ec != std::errc() || end != part.data() + part.size()) return std::nullopt;
    parts[count++] = v;
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  if (count != 3 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

std::string clockText(int32_t seconds) {
  const auto two = [](int32_t v) { return (v < 10 ? " " : "") + std::to_string(v); };
  return two(seconds / 3600) + ":" + two(seconds % 3600 / 60) + ":" + two(seconds % 60);
}

std::optional<StartTime> startMoved(std::string_view hms, double seconds) {
  const std::optional<double> t0 = secondsOfDay(hms);
  if (!t0 || !std::isfinite(seconds)) return std::nullopt;
  double t = std::fmod(std::floor(*t0 + seconds), 86400.0);
  if (t < 0) t += 86400.0;
  const auto s = int32_t(t);
  return StartTime{clockText(s), float(s / 3600 * 60 + s % 3600 / 60) + float(s % 60) / 60.0f};
}

ChannelMap mapAfterDeletion(int16_t n, std::span<const bool> deleted) {
  ChannelMap map{};
  int16_t next = 0;
  for (int16_t c = 1; c <= n && c <= kMaxChannels; ++c)
    if (size_t(c) >= deleted.size() || !deleted[size_t(c)]) map[size_t(c)] = ++next;
  return map;
}

ChannelMap mapAfterRearrange(int16_t n, std::span<const int16_t> order) {
  ChannelMap map{};
  for (size_t k = 0; k < order.size() && k < size_t(kMaxChannels); ++k)
    if (order[k] >= 1 && order[k] <= n) map[size_t(order[k])] = int16_t(k + 1);
  return map;
}

int16_t follow(const ChannelMap& map, int32_t channel, int16_t fallback) {
  if (channel == 0) return 0;
  if (channel < 1 || channel > kMaxChannels || map[size_t(channel)] == 0) return fallback;
  return map[size_t(channel)];
}

}  // namespace qv::reshape
