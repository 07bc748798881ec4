// Peak and valley detection by the five-point shape rule over a full-size channel (6,100,000
// cases of a noisy wave of period 50 cases: 122,000 peaks and as many valleys) beside one pass
// that reads the same samples into a double sum; goal within 5x.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "rhythm/waveform.h"

namespace {

constexpr int32_t kCases = qvbench::kChannelCases;

const std::vector<float>& waves() {
  static const std::vector<float> v = [] {
    std::vector<float> s(size_t(kCases) + 1);
    const std::vector<float>& noise = qvbench::noisySamples();
    for (size_t i = 0; i < s.size(); ++i)
      s[i] = float(std::sin(6.283185307179586 * double(i % 50) / 50.0)) + 0.001f * (noise[i] - 20.5f);
    return s;
  }();
  return v;
}

void ReadPass(benchmark::State& state) {
  const std::vector<float>& v = waves();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k) sum += double(v[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
}

qv::PeakTable& table() {
  static qv::PeakTable t;
  return t;
}

void NormalMethod(benchmark::State& state) {
  const std::vector<float>& v = waves();
  qv::WaveformResult r;
  for (auto _ : state) {
    qv::FindPeaksAndValleys({v, 1, kCases, 0.01, -1.5f, 1.5f, 0, qv::WaveMethod::Normal}, table(), r);
    benchmark::DoNotOptimize(r.P);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(5, "ReadPass", ReadPass, "NormalMethod", NormalMethod);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "waveform peaks and valleys", kCases, "NormalMethod", "ReadPass", 5);
  return 0;
}
