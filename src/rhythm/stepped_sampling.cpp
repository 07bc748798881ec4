#include "rhythm/stepped_sampling.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/number_chars.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// trunc(seconds / dt + extra) in samples; -1 when too long. A quotient within the 32-bit
// interval's rounding of a whole number is that number: 60 s at 0.001 s is 60,000 samples,
// though 0.001 held in 32 bits is a little more than 0.001.
int64_t samplesOf(float seconds, float dt, int extra) {
  double q = double(seconds) / double(dt);
  const double whole = std::nearbyint(q);
  if (std::fabs(q - whole) <= 1e-6 * std::max(1.0, std::fabs(q))) q = whole;
  const double v = std::trunc(q + extra);
  return v > double(std::numeric_limits<int32_t>::max()) ? -1 : int64_t(v);
}

std::string plain(double v) {
  std::string s = rt::PSstr(v);
  return !s.empty() && s[0] == ' ' ? s.substr(1) : s;
}

}  // namespace

SteppedLayoutResult steppedLayout(float size, float skip, float dt, int64_t left, int64_t start, int64_t right,
                                  int32_t nCases, bool scatter) {
  SteppedLayoutResult r;
  if (!(dt > 0.0f) || !std::isfinite(dt)) {
    r.error = "The file has no sample interval to lay blocks by.";
    return r;
  }
  if (!std::isfinite(size) || !std::isfinite(skip) || size < 0.0f || skip < 0.0f) {
    r.error = "The block size and the skip must be numbers of seconds, 0 or more.";
    return r;
  }
  if (!(left >= 1 && left <= start && start <= right && right <= nCases)) {
    r.error = "The end points must lie between 1 and " + plain(double(nCases)) +
              ", the left end first, the start point between them.";
    return r;
  }
  const int extra = scatter ? 0 : 1;
  const int64_t blockN = samplesOf(size, dt, extra), skipN = samplesOf(skip, dt, extra);
  if (blockN < 0 || skipN < 0 || blockN + skipN > std::numeric_limits<int32_t>::max()) {
    r.error = "The blocks are longer than the file.";
    return r;
  }
  const int64_t step = blockN + skipN;
  if (step < 1) {
    r.error = "The block size and the skip are shorter than one sample interval together.";
    return r;
  }
  SteppedLayout& l = r.layout;
  l.blockN = int32_t(blockN), l.skipN = int32_t(skipN), l.step = int32_t(step);
  l.nBefore = int32_t((start - left) / step);
  l.nAfter = int32_t((right - start) / step);
  l.first = int32_t(start - int64_t(l.nBefore) * step);
  l.last = int32_t((int64_t(l.nAfter) - 1) * step + start);
  if (l.nAfter < 1) {
    r.error = "No block and skip fit between the start point and the right end point.";
    return r;
  }
  if (l.count() > kMaxSteppedBlocks) {
    r.error = "These settings make " + plain(double(l.count())) + " blocks; at most " +
              plain(double(kMaxSteppedBlocks)) + " can be computed. Choose a longer block or skip, or closer end points.";
    return r;
  }
  return r;
}

std::vector<SteppedBlock> steppedBlocks(std::span<const float> y, const SteppedLayout& l, int32_t startPoint,
                                        float dt, std::span<const float> flags) {
  std::vector<SteppedBlock> out;
  if (l.step < 1 || l.count() < 1 || y.size() < 2) return out;
  out.reserve(size_t(l.count()));
  const int64_t lastCase = int64_t(y.size()) - 1;
  for (int64_t b = l.first; b <= l.last; b += l.step) {
    SteppedBlock k;
    k.start = int32_t(b);
    k.end = int32_t(b + l.blockN);
    k.position = int32_t(b - startPoint);
    k.seconds = dt * float(k.position);
    const int64_t lo = std::max<int64_t>(b - 1, 1), hi = std::min<int64_t>(b + l.blockN - 1, lastCase);
    double sum = 0.0;
    int64_t n = 0;
    float mn = INFINITY, mx = -INFINITY;
    for (int64_t c = lo; c <= hi; ++c) {
      const float v = y[size_t(c)];
      if (c < int64_t(flags.size()) && flags[size_t(c)] != 0.0f) k.interpolated = true;
      if (!std::isfinite(v)) continue;
      sum += v, ++n;
      mn = std::min(mn, v), mx = std::max(mx, v);
    }
    if (n == 0) {
      k.mean = k.minimum = k.maximum = k.sd = kNaN;
    } else {
      const double mean = sum / double(n);
      double ss = 0.0;
      for (int64_t c = lo; c <= hi; ++c)
        if (const float v = y[size_t(c)]; std::isfinite(v)) ss += (v - mean) * (v - mean);
      k.mean = float(mean), k.minimum = mn, k.maximum = mx, k.sd = float(std::sqrt(ss / double(n)));
    }
    out.push_back(k);
  }
  return out;
}

std::vector<float> steppedMeanLine(const std::vector<SteppedBlock>& blocks) {
  std::vector<float> line;
  const auto centre = std::find_if(blocks.begin(), blocks.end(), [](const SteppedBlock& b) { return b.position == 0; });
  if (centre == blocks.end()) return line;
  const size_t c = size_t(centre - blocks.begin());
  line.push_back(blocks[c].mean);
  for (size_t j = 1; j <= c && c + j < blocks.size(); ++j)
    line.push_back((blocks[c - j].mean + blocks[c + j].mean) * 0.5f);
  return line;
}

std::vector<float> steppedMeans(std::span<const float> y, const SteppedLayout& l) {
  std::vector<float> out;
  if (l.step < 1 || y.size() < 2) return out;
  const int64_t lastCase = int64_t(y.size()) - 1;
  for (int64_t b = l.first; b <= l.last; b += l.step) {
    double sum = 0.0;
    int64_t n = 0;
    for (int64_t c = std::max<int64_t>(b, 1); c <= std::min<int64_t>(b + l.blockN, lastCase); ++c)
      if (const float v = y[size_t(c)]; std::isfinite(v)) sum += v, ++n;
    out.push_back(n ? float(sum / double(n)) : kNaN);
  }
  return out;
}

std::string steppedExportText(const SteppedExport& e, const std::vector<std::vector<SteppedBlock>>& tables) {
  const char d = e.separator;
  const int digits = std::max(e.digits, 5);
  std::string out = "Source file: '" + e.fileName + "'     " + rt::PSstrLong(e.nCases) + " cases," +
                    rt::PSstrLong(e.nChannels) + " channels; " + e.date + "\n";
  out += "     block duration: " + plain(e.size) + " sec   skip duration: " + plain(e.skip) +
         " sec    sample interval" + rt::PSstr(e.dt) + " seconds\n";
  out += "     initial point = " + rt::PSstrLong(e.startPoint) + "; = " +
         rt::PSstr(double(e.startPoint) * double(e.dt)) + " seconds\n";
  const size_t nTables = std::min(tables.size(), std::min(e.channels.size(), size_t(10)));
  for (size_t j = 0; j < nTables; ++j)
    out += "channel" + rt::PSstrLong(e.channels[j]) + ":  " + (j < e.labels.size() ? e.labels[j] : "") + "\n";
  out += "last channel is interpolation status ('9999' = interpolated) \n";
  out += std::string("start block") + d + "end block" + d + "position" + d + "Dt (sec) ";
  for (size_t j = 0; j < nTables; ++j) {
    const std::string c = "chan" + std::to_string(e.channels[j]);
    out += d + c + " mean" + d + "min" + d + "max" + d + "SD";
  }
  out += std::string(1, d) + "interpolate\n";
  char buf[rt::kNumberCharsMax];
  const auto cell = [&](double v) {
    if (!std::isfinite(v)) return;
    const char* s = buf;
    char* p = rt::numberChars(buf, v, digits);
    while (s < p && *s == ' ') ++s;
    out.append(s, size_t(p - s));
  };
  const size_t rows = nTables ? tables[0].size() : 0;
  for (size_t k = 0; k < rows; ++k) {
    const SteppedBlock& b = tables[0][k];
    cell(b.start), out += d, cell(b.end), out += d, cell(b.position), out += d, cell(b.seconds);
    bool interpolated = false;
    for (size_t j = 0; j < nTables; ++j) {
      if (k >= tables[j].size()) {
        out += std::string(4, d);
        continue;
      }
      const SteppedBlock& t = tables[j][k];
      interpolated = interpolated || t.interpolated;
      out += d, cell(t.mean), out += d, cell(t.minimum), out += d, cell(t.maximum), out += d, cell(t.sd);
    }
    out += d;
    cell(interpolated ? 9999.0 : 0.0);
    out += '\n';
  }
  return out;
}

}  // namespace qv
