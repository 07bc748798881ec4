// Area integration of a full-size channel (6,100,000 cases) with the cross-channel subset on:
// DoAREA (the baseline, the sum of the cases kept and the field) and INTPLOT (the cumulative
// pass into the scratch channel, the curve cut to its columns and its drawing in window 250),
// each timed turn about with one read pass of the same samples, best of the rounds.
// Goals: DoAREA within 3 x the read pass, INTPLOT with its drawing within 10 x.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/filetable.h"
#include "core/prefs.h"
#include "datafiles/datafile.h"
#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/runtime.h"
#include "output/area_integral.h"
#include "stats/area_window.h"
#include "stats/commands.h"
#include "core/stats_state.h"
#include "output/subset.h"

using namespace qv;

namespace {

constexpr int32_t kCases = qvbench::kChannelCases;

void loadFile() {
  const std::vector<float>& v = qvbench::noisySamples();
  DataFile f;
  f.nCases = kCases;
  f.nChannels = 1;
  SampleArray a = allocateSamples(kCases);
  std::copy(v.begin(), v.begin() + kCases + 1, a.get());
  f.channels[1] = std::move(a);
  f.meta.name = "bench.KXdata";
  f.meta.info[1] = 0.1f;
  commitDataFile(std::move(f), 0);
  TheFileInUse = 0;
  ActiveChannel = chanB = ch = 1;
  FileSHORTS[0][1] = 1;
  FileSHORTS[0][8] = 1;
  DrawMAINWINDOW(0, 0);
  BeginBlock[0] = 1;
  EndBlock[0] = kCases;
  FileSHORTS[0][2] = 2;
  // The subset keeps the cases at or above 20.1: about nine in ten.
  CrossChanSelectionArray[1] = {0, 1, 0, 0, 20.1f, 0, 0};
  UseCrossChanIndex = 1;
  CrossChanIndex();
  IntegrationMode = kBaselineProportional;
  IntegrationUnit = kUnitMinutes;
}

double readPass() {
  const float* d = gPointersToFileData[0][1].get();
  double s = 0;
  for (int32_t k = 1; k <= kCases; ++k) s += d[k];
  return s;
}

void AreaIntegration(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  double bestRead = 1e300, bestArea = 1e300, bestPlot = 1e300;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(readPass());
    const auto t1 = Clock::now();
    DoAREA(0, 0, 0, false);
    benchmark::DoNotOptimize(meanValue);
    const auto t2 = Clock::now();
    INTPLOT(0, 0, false);
    const auto t3 = Clock::now();
    bestRead = std::min(bestRead, std::chrono::duration<double>(t1 - t0).count());
    bestArea = std::min(bestArea, std::chrono::duration<double>(t2 - t1).count());
    bestPlot = std::min(bestPlot, std::chrono::duration<double>(t3 - t2).count());
    state.SetIterationTime(std::chrono::duration<double>(t3 - t0).count());
  }
  state.counters["read_ms"] = bestRead * 1e3;
  state.counters["doarea_ms"] = bestArea * 1e3;
  state.counters["intplot_ms"] = bestPlot * 1e3;
  std::printf("DoAREA of %d cases, subset on: %.1f ms = %.2f x one read pass (%.1f ms); goal <= 3\n", kCases,
              bestArea * 1e3, bestArea / bestRead, bestRead * 1e3);
  std::printf("INTPLOT with its drawing: %.1f ms = %.2f x one read pass; goal <= 10\n", bestPlot * 1e3,
              bestPlot / bestRead);
  qvbench::recordGoal("DoAREA with the subset on", bestArea / bestRead, 3);
  qvbench::recordGoal("INTPLOT with its drawing", bestPlot / bestRead, 10);
}

}  // namespace

BENCHMARK(AreaIntegration)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(8);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("QV_EVENTS");
  rt::initRuntime(argc, argv);
  loadFile();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
