// The analyser humidity compensation over a full-size channel (6,100,000 cases) with an RH
// channel and a temperature channel, beside one plain pass that reads the same three inputs
// (goal: within 3x); and the effective volume of a block of the whole channel (printed).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "respirometry/analyser_humidity.h"
#include "respirometry/effective_volume.h"

namespace {

constexpr size_t kCases = size_t(qvbench::kChannelCases);

std::vector<float> noisy(float base, float spread, uint32_t seed) { return qvbench::noisyChannel(base, spread, seed); }

const std::vector<float>& gas() {
  static const std::vector<float> v = noisy(20.5f, 0.5f, 12345);
  return v;
}
const std::vector<float>& humidity() {
  static const std::vector<float> v = noisy(40.0f, 20.0f, 777);
  return v;
}
const std::vector<float>& temperature() {
  static const std::vector<float> v = noisy(18.0f, 6.0f, 4242);
  return v;
}
// A washout that falls a little every case, with noise: some pairs rise.
const std::vector<float>& washout() {
  static const std::vector<float> v = [] {
    std::vector<float> s = noisy(0.0f, 1e-3f, 99);
    for (size_t k = 0; k <= kCases; ++k) s[k] = float(10.0 * std::exp(-1e-6 * double(k))) + s[k];
    return s;
  }();
  return v;
}

void ReadPass(benchmark::State& state) {
  const std::vector<float>& g = gas();
  const std::vector<float>& h = humidity();
  const std::vector<float>& t = temperature();
  for (auto _ : state) {
    float sum = 0.0f;
    for (size_t k = 0; k <= kCases; ++k) sum += g[k] + h[k] + t[k];
    benchmark::DoNotOptimize(sum);
  }
}

void Analyser(benchmark::State& state) {
  qv::AnalyserHumiditySettings s;
  s.unit = 1;
  s.deflection = false;
  std::vector<float> out(kCases + 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::compensateAnalyser(s, {gas(), humidity(), temperature()}, out));
    benchmark::DoNotOptimize(out.data());
  }
}

void EffectiveVolume(benchmark::State& state) {
  std::vector<float> volumes(kCases);
  for (auto _ : state) {
    const qv::WashoutVolumes r = qv::washoutVolumes(washout(), 0, int32_t(kCases), 600.0f, 1.0f, volumes);
    benchmark::DoNotOptimize(r.mean);
  }
}

constexpr int kRounds = 5;

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, {{"ReadPass", ReadPass}, {"Analyser", Analyser}, {"EffectiveVolume", EffectiveVolume}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double bound = reporter.best["ReadPass"];
  if (bound <= 0) return 0;
  const double analyser = reporter.best["Analyser"], volume = reporter.best["EffectiveVolume"];
  std::printf("Analyser humidity over %zu cases with RH and temperature channels: %.1f ms, read pass %.1f ms, "
              "ratio %.2f (goal <= 3), best of %d rounds each\n",
              kCases, analyser * 1e3, bound * 1e3, analyser / bound, kRounds);
  qvbench::recordGoal("Analyser humidity", analyser / bound, 3);
  std::printf("Effective volume over a %zu-case block: %.1f ms (read pass %.1f ms)\n", kCases, volume * 1e3,
              bound * 1e3);
  return 0;
}
