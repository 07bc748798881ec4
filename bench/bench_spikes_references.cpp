// Spike sweep beside the plain pass loop on a million noisy cases at threshold 0 (the worst
// case: thousands of passes), and reference removal with marker edges on a full-size channel
// beside one read pass of it.
#include <benchmark/benchmark.h>

#include <string>

#include <cstdio>
#include <random>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "editing/references.h"
#include "editing/spikes.h"

namespace {

constexpr int32_t kSpikeCases = 1000000;
constexpr int kRounds = 3;
constexpr int32_t kStretches = 15301, kMarkers = 32500;

const std::vector<float>& unitNoise() {
  static const std::vector<float> v = [] {
    std::vector<float> s(size_t(kSpikeCases) + 1);
    std::mt19937 gen(5);
    std::normal_distribution<float> d(0.0f, 1.0f);
    for (auto& f : s) f = d(gen);
    return s;
  }();
  return v;
}

qv::spikes::Range spikeRange() { return qv::spikes::scanRange(1, kSpikeCases, kSpikeCases); }

void SpikePassLoop(benchmark::State& state) {
  std::vector<float> x;
  for (auto _ : state) {
    state.PauseTiming();
    x = unitNoise();
    state.ResumeTiming();
    int64_t passes = 0;
    while (qv::spikes::spikePass(x, spikeRange(), 0.0f, qv::spikes::kAllSpikes) > 0) ++passes;
    state.counters["passes"] = double(passes);
    benchmark::DoNotOptimize(x.data());
  }
}

void SpikeSweep(benchmark::State& state) {
  std::vector<float> x;
  for (auto _ : state) {
    state.PauseTiming();
    x = unitNoise();
    state.ResumeTiming();
    benchmark::DoNotOptimize(qv::spikes::spikeSweep(x, spikeRange(), 0.0f, qv::spikes::kAllSpikes));
  }
}

// Noisy readings near 20 with 15,301 reference dips of ten cases, and 32,500 markers.
struct ReferenceData {
  std::vector<float> x;
  std::vector<int32_t> markers;
};

const ReferenceData& referenceData() {
  static const ReferenceData d = [] {
    ReferenceData r;
    r.x = qvbench::noisySamples();
    const int32_t every = qvbench::kChannelCases / kStretches;
    for (int32_t k = 0; k < kStretches; ++k)
      for (int32_t i = 0; i < 10; ++i) r.x[size_t(k * every + every / 2 + i)] = 1.0f;
    for (int32_t k = 0; k < kMarkers; ++k) r.markers.push_back(1 + int32_t(int64_t(k) * qvbench::kChannelCases / kMarkers));
    return r;
  }();
  return d;
}

void ReferenceRemoval(benchmark::State& state) {
  const ReferenceData& d = referenceData();
  qv::refs::Settings s;
  s.cutoff = 5.0f;
  s.leftToMarker = s.rightToMarker = true;
  std::vector<float> x;
  for (auto _ : state) {
    state.PauseTiming();
    x = d.x;
    state.ResumeTiming();
    const qv::refs::Found f = qv::refs::findStretches(x, 1, qvbench::kChannelCases, s, d.markers, qv::refs::kMostStretches);
    for (const auto& st : f.stretches) qv::refs::replaceStretch(x, st, s);
    state.counters["stretches"] = double(f.stretches.size());
    benchmark::DoNotOptimize(x.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(kRounds, {{"SpikePassLoop", SpikePassLoop, 1}, {"SpikeSweep", SpikeSweep, 1}});
  qvbench::registerRounds(kRounds, "ReferenceReadPass", qvbench::ReadPass, "ReferenceRemoval", ReferenceRemoval);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto t = [&](const char* name) { return reporter.best.count(name) ? reporter.best[name] : 0.0; };
  const double loop = t("SpikePassLoop"), sweep = t("SpikeSweep");
  if (loop > 0) {
    std::printf("spike sweep, threshold 0, %d unit-noise cases: %.1f ms, pass loop %.1f ms, ratio %.3f (goal <= 0.25)\n",
                kSpikeCases, sweep * 1e3, loop * 1e3, sweep / loop);
    qvbench::recordGoal("spike sweep beside the pass loop", sweep / loop, 0.25);
  }
  qvbench::printBestRatio(reporter, "reference removal, marker edges, 15,301 stretches, 32,500 markers",
                          qvbench::kChannelCases, "ReferenceRemoval", "ReferenceReadPass", 5.0);
  return 0;
}
