// VO2 in water over a full-size channel (6,100,000 cases) with a flow channel, beside one
// pass that reads the same two inputs: the open pass should stay within 2x of it.
#include <benchmark/benchmark.h>

#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "respirometry/water_vo2.h"

namespace {

constexpr size_t kCases = 6100000;

const std::vector<float>& o2() {
  static const std::vector<float> v = qvbench::noisyChannel(85.0f, 10.0f, 4242);
  return v;
}
const std::vector<float>& flow() {
  static const std::vector<float> v = qvbench::noisyChannel(45.0f, 10.0f, 777);
  return v;
}

void ReadPass(benchmark::State& state) {
  const std::vector<float>& a = o2();
  const std::vector<float>& b = flow();
  for (auto _ : state) {
    float sum = 0.0f;
    for (size_t k = 1; k <= kCases; ++k) sum += a[k] + b[k];
    benchmark::DoNotOptimize(sum);
  }
}

void OpenPass(benchmark::State& state) {
  std::vector<float> out(kCases + 1);
  const qv::WaterFactor f{0.00635087f, 100.0f};
  for (auto _ : state) {
    qv::waterOpenPass(o2(), flow(), 50.0f, f, true, out);
    benchmark::DoNotOptimize(out.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(5, "ReadPass", ReadPass, "OpenPass", OpenPass);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "VO2 in water, open pass with a flow channel,", long(kCases), "OpenPass",
                          "ReadPass", 2);
  return 0;
}
