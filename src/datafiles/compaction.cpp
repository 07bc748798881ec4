#include "datafiles/compaction.h"

#include <algorithm>
#include <cmath>

#include "core/data_generation.h"
#include "core/filetable.h"
#include "output/result_text.h"
#include "plot/plot_state.h"
#include "runtime/number_chars.h"

namespace qv {

int64_t compactedGroups(int32_t nCases, int32_t factor, int32_t start) {
  if (factor < 1) return 0;
  const int64_t cases = std::max<int64_t>(0, int64_t(nCases) - start + 1);
  return cases / factor + (cases % factor >= 2 ? 1 : 0);
}

int32_t smallestFittingFactor(int32_t nCases, int32_t start) {
  int32_t factor = 2;
  while (compactedGroups(nCases, factor, start) > kMaxCompactedGroups) ++factor;
  return factor;
}

namespace {

void oneGroup(const float* s, int64_t size, float& mean, float& sd) {
  double sum = 0;
  for (int64_t i = 0; i < size; ++i) sum += s[i];
  const double m = sum / double(size);
  double squares = 0;
  for (int64_t i = 0; i < size; ++i) squares += (s[i] - m) * (s[i] - m);
  mean = float(m);
  sd = float(std::sqrt(squares / double(size)));
}

}  // namespace

void compactChannel(const float* samples, int32_t nCases, int32_t factor, int32_t start, float* means, float* sds) {
  const int64_t groups = compactedGroups(nCases, factor, start);
  for (int64_t j = 0; j < groups; ++j) {
    const int64_t first = start + j * factor;
    const int64_t size = std::min<int64_t>(factor, int64_t(nCases) - first + 1);
    oneGroup(samples + first, size, means[j], sds[j]);
  }
}

bool doPARSE(int32_t start) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return false;
  const int32_t factor = CompactedChannel[f];
  if (factor < 2 || compactedGroups(nCases[f], factor, start) > kMaxCompactedGroups) return false;
  const auto groups = size_t(compactedGroups(nCases[f], factor, start));
  // Rows 1..80 only: nothing draws or saves a row 0, so the earlier means are not kept there.
  for (int c = 1; c <= nChannels[f]; ++c) {
    std::vector<float>& means = ParseArray[f][c];
    std::vector<float>& sds = ParseArray[f][c + kMaxChannels];
    means.assign(groups, 0.0f);
    sds.assign(groups, 0.0f);
    compactChannel(gPointersToFileData[f][c].get(), nCases[f], factor, start, means.data(), sds.data());
  }
  ParseGeneration[f] = DataGeneration[f];
  return true;
}

bool compactionIsCurrent(int slot) {
  return slot >= 0 && slot < kSlots && CompactedChannel[slot] != 0 && ParseGeneration[slot] == DataGeneration[slot] &&
         !ParseArray[slot][1].empty();
}

std::string writeCompactedFile(const CompactedRows& r, const TextSink& sink, int digits) {
  const char* unit = r.timeUnits == 2 ? "(hours) " : r.timeUnits == 1 ? "(min) " : "(sec) ";
  const double divisor = r.timeUnits == 2 ? 3600.0 : r.timeUnits == 1 ? 60.0 : 1.0;
  std::string out = std::string("Time ") + unit;
  for (const std::string& label : r.labels) out += '\t' + quoteCell(label, '\t') + "\tS.D.";
  out += '\n';
  size_t groups = 0;
  for (const auto& m : r.means) groups = std::max(groups, m.size());
  char buf[rt::kNumberCharsMax];
  auto number = [&](double v) { out.append(buf, rt::numberChars(buf, v, std::max(digits, 5))); };
  for (size_t j = 0; j < groups; ++j) {
    number((double(j) + 0.5) * r.factor * r.interval / divisor);
    for (size_t c = 0; c < r.means.size(); ++c) {
      out += '\t';
      number(j < r.means[c].size() ? r.means[c][j] : 0.0f);
      out += '\t';
      number(j < r.sds[c].size() ? r.sds[c][j] : 0.0f);
    }
    out += '\n';
    if (out.size() >= kTextChunkBytes) {
      if (!sink({reinterpret_cast<const uint8_t*>(out.data()), out.size()})) return std::string(kTextSinkRefused);
      out.clear();
    }
  }
  if (!sink({reinterpret_cast<const uint8_t*>(out.data()), out.size()})) return std::string(kTextSinkRefused);
  return {};
}

}  // namespace qv

namespace qv {

TimeCompaction timeCompaction(double value, int unit, double interval, int32_t nCases) {
  static constexpr double kSeconds[] = {86400, 3600, 60, 1, 0.001};
  const double factor = unit >= 1 && unit <= 5 ? kSeconds[unit - 1] : 1;
  TimeCompaction t;
  const double n = interval > 0 ? std::trunc(value * factor / interval) : 0;
  t.factor = int32_t(std::clamp(n, 0.0, 2147483647.0));
  t.achieved = interval * t.factor / factor;
  if (t.factor != 0 && 5.0 * t.factor <= nCases) t.intervals = nCases / t.factor;
  else if (t.factor == 0) t.tooShort = true;
  else t.tooLong = true;
  return t;
}

int initialTimeUnit(double d, int32_t nCases) {
  const double T = std::trunc(nCases * d);
  if (T >= 432000) return 1;
  if (d <= 720 && T >= 18000) return 2;
  if (d <= 12 && T >= 300) return 3;
  if (d <= 0.2 && T >= 5) return 4;
  if (d <= 0.0002) return 5;
  return 3;
}

}  // namespace qv
