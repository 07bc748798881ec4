// Reading the older BCD data format into a DataFile.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>
#include <optional>
#include <string>

#include "datafiles/bcd_format.h"
#include "datafiles/file_facts.h"
#include "datafiles/load_fixes.h"
#include "runtime/bytes.h"
#include "runtime/macroman.h"

namespace qv {

namespace {

constexpr size_t kDateBytes = 10, kTimeBytes = 8;
constexpr size_t kLongestFirstLine = 256;
constexpr uint8_t kCR = 13;

struct Reader {
  const ByteSource& source;
  SampleArray (*allocate)(int32_t);
  const std::function<void(int)>& converted;
  BCDLoadResult res;
  uint64_t offset = 0;

  void refuse(int16_t kind) {
    res.failure = LoadFailure::Damaged;
    res.badFileKind = kind;
    res.file = DataFile{};
  }

  bool next(uint64_t n, std::vector<uint8_t>& into) {
    if (offset > source.size() || n > source.size() - offset) return false;
    into.resize(size_t(n));
    if (!source.readAt(offset, into.data(), size_t(n))) return false;
    offset += n;
    return true;
  }
  // The next BCD value; NaN when the file ends first.
  double value() {
    std::vector<uint8_t> b;
    if (!next(4, b)) return std::nan("");
    return Read_BCD(std::span<const uint8_t, 4>(b.data(), 4));
  }
  std::string text(size_t n) {
    std::vector<uint8_t> b;
    if (!next(n, b)) return {};
    return rt::macRomanToUtf8(std::string(b.begin(), b.end()));
  }
  // A count read as the format rounds it; nothing when it is no number.
  static std::optional<int64_t> count(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 1e12) return std::nullopt;
    return std::llround(v);
  }

  bool skipFirstLine() {
    std::vector<uint8_t> head(size_t(std::min<uint64_t>(source.size(), kLongestFirstLine)));
    if (!source.readAt(0, head.data(), head.size())) return false;
    const auto cr = std::find(head.begin(), head.end(), kCR);
    if (cr == head.end()) return false;
    offset = uint64_t(cr - head.begin()) + 1;
    return true;
  }

  void readMarkers(int32_t count, int32_t cases) {
    res.markersInFile = count;
    auto& markers = res.file.meta.markers;
    for (int32_t k = 0; k < count; ++k) {
      const double at = value(), code = value();
      const int64_t kase = std::isfinite(at) && std::fabs(at) < 1e9 ? int64_t(at) : 0;
      if (kase < 1 || kase > cases) {
        ++res.markersDropped;
        continue;
      }
      if (int(markers.size()) < kMaxMarkers)
        markers.push_back({int32_t(kase), std::isfinite(code) && std::fabs(code) < 1e9 ? int32_t(code) : 0});
    }
  }

  bool readData(int32_t cases, int channels) {
    DataFile& f = res.file;
    const size_t entries = size_t(cases) + 1;
    for (int c = 0; c <= channels; ++c) {
      f.channels[size_t(c)] = allocate(cases);
      if (!f.channels[size_t(c)]) {
        res.failure = LoadFailure::OutOfMemory;
        return false;
      }
    }
    std::fill_n(f.channels[0].get(), entries, 0.0f);
    std::vector<uint8_t> block;
    for (int c = 1; c <= channels; ++c) {
      if (!next(entries * 4, block)) return false;
      float* a = f.channels[size_t(c)].get();
      for (size_t k = 0; k < entries; ++k) a[k] = Read_BCD(std::span<const uint8_t, 4>(block.data() + 4 * k, 4));
      if (converted) converted(c);
    }
    return true;
  }

  // Whole values only: a file that ends inside one keeps what it held.
  void readTrailer() {
    FileMeta& m = res.file.meta;
    std::vector<uint8_t> b;
    if (!next(4, b)) return;
    res.hasTrailer = true;
    rt::ByteReader r(b);
    m.info[7] = r.f32be();
    for (int c = 1; c <= 6 && source.size() - offset >= 4; ++c) {
      const float v = float(value());
      if (c <= 5) m.variables[c][14] = v;
    }
  }

  void run() {
    if (!skipFirstLine()) return refuse(0);
    const auto cases = count(value());
    const double interval = value();
    const auto channels = count(value());
    if (!cases || !channels) return refuse(0);
    if (*cases < 1 || *cases > kBCDMostCases || *channels < 1 || *channels > kMaxChannels) return refuse(3);
    FileMeta& m = res.file.meta;
    m.startDate = text(kDateBytes);
    m.startTime = text(kTimeBytes);
    const auto commentLength = count(value());
    if (!commentLength) return refuse(0);
    if (*commentLength > 0) {
      if (uint64_t(*commentLength) > source.size() - offset) return refuse(0);
      m.comment = text(size_t(*commentLength));
    } else {
      m.comment = std::string(kNoComments);
    }
    const int n = int(*channels);
    // The channel records, file values and marker count must all be there.
    if (uint64_t(n) * (20 + kLabelWidth) + 24 > source.size() - offset) return refuse(0);
    for (int c = 1; c <= n; ++c) {
      for (int w = 2; w <= 6; ++w) m.variables[c][w] = float(value());
      m.labels[size_t(c)] = text(kLabelWidth);
    }
    for (int w : {2, 6, 4, 3, 5}) m.info[w] = float(value());
    const auto markers = count(value());
    if (!markers) return refuse(0);
    const int32_t markerCount = int32_t(std::max<int64_t>(0, *markers));
    if (uint64_t(markerCount) * 8 > source.size() - offset) return refuse(0);
    readMarkers(markerCount, int32_t(*cases));
    const uint64_t dataBytes = uint64_t(n) * (uint64_t(*cases) + 1) * 4;
    if (dataBytes > source.size() - offset) return refuse(0);
    if (!readData(int32_t(*cases), n)) {
      if (res.failure != LoadFailure::OutOfMemory) return refuse(0);
      res.file = DataFile{};
      return;
    }
    readTrailer();

    res.file.nCases = int32_t(*cases);
    res.file.nChannels = int16_t(n);
    const SampleIntervalCheck check = sampleIntervalCheck(float(interval));
    res.zeroInterval = check.needsWarning;
    m.info[1] = check.interval;
  }
};

}  // namespace

float Read_BCD(std::span<const uint8_t, 4> b) {
  const bool negative = b[0] & 0x80;
  const int magnitude = b[0] & 0x3F;
  const int exponent = (b[0] & 0x40) ? magnitude - 64 : magnitude;
  std::string digits;
  for (int i = 1; i <= 3; ++i) {
    const int hi = b[size_t(i)] >> 4, lo = b[size_t(i)] & 0x0F;
    if (hi > 9) break;
    digits.push_back(char('0' + hi));
    if (lo > 9) break;
    digits.push_back(char('0' + lo));
  }
  double v = 0;
  if (!digits.empty()) {
    // The digits as the text d1.d2d3..e<exponent>, so the decimal is converted exactly once.
    const std::string t =
        digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "e" + std::to_string(exponent);
    std::from_chars(t.data(), t.data() + t.size(), v);
  }
  const float f = float(v);
  return negative ? -f : f;
}

BCDLoadResult decodeBCDFile(const ByteSource& source, SampleArray (*allocate)(int32_t),
                            const std::function<void(int)>& converted) {
  Reader reader{source, allocate ? allocate : allocateSamples, converted, {}};
  try {
    reader.run();
  } catch (const std::bad_alloc&) {
    reader.res.failure = LoadFailure::OutOfMemory;
    reader.res.file = DataFile{};
  }
  return std::move(reader.res);
}

}  // namespace qv
