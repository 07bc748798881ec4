#pragma once
// The file the benchmarks work on: 40 channels of 6,100,000 cases of recording-like values
// (or of fewer cases, for the benchmarks that join two files), and its bytes in the own binary
// format.
#include <cstdint>
#include <vector>

#include "datafiles/binary_format.h"

namespace qvbench {

constexpr int32_t kCases = qv::kMaxCases;
constexpr int kChannels = qv::kMaxChannels;

inline qv::DataFile makeFullSizeFile(int32_t cases = kCases) {
  qv::DataFile d;
  d.nCases = cases;
  d.nChannels = kChannels;
  for (int c = 0; c <= kChannels; ++c) {
    d.channels[size_t(c)] = qv::allocateSamples(cases);
    float* a = d.channels[size_t(c)].get();
    for (int32_t i = 0; i <= cases; ++i) a[i] = 20.0f + float(c) + 0.001f * float(i % 997);
  }
  return d;
}

inline std::vector<uint8_t> fullSizeFileBytes(const qv::DataFile& d) {
  std::vector<int16_t> channels;
  for (int c = 1; c <= kChannels; ++c) channels.push_back(int16_t(c));
  return qv::saveFPBinary(qv::viewOf(d), 0, kCases, channels, "01-01-2024", "00:00:00").bytes;
}

}  // namespace qvbench
