#pragma once
// A full-size channel of noisy values near 20, the same in every run, and the bound most
// benchmarks measure beside their work: one pass that reads cases 1..n into a double sum.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace qvbench {

constexpr int32_t kChannelCases = 6100000;

// Cases 0..n of base + spread x a uniform number in [0, 1), the same for a seed in every run.
inline std::vector<float> noisyChannel(float base, float spread, uint32_t seed) {
  std::vector<float> s(size_t(kChannelCases) + 1);
  for (auto& f : s) {
    seed = seed * 1664525u + 1013904223u;
    f = base + spread * float(seed >> 8) * (1.0f / 16777216.0f);
  }
  return s;
}

inline const std::vector<float>& noisySamples() {
  static const std::vector<float> v = [] {
    std::vector<float> s(size_t(kChannelCases) + 1);
    uint32_t x = 12345;
    for (auto& f : s) {
      x = x * 1664525u + 1013904223u;
      f = 20.0f + float(x >> 8) * (1.0f / 16777216.0f);
    }
    return s;
  }();
  return v;
}

inline void ReadPass(benchmark::State& state) {
  const std::vector<float>& v = noisySamples();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kChannelCases; ++k) sum += double(v[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kChannelCases);
}

}  // namespace qvbench
