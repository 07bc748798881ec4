// Whole-file redraw of a 6,100,000-case channel at 1,800 pixels, beside one read pass of
// the same samples measured in the same run; and the multi-channel view's full redraw of 40
// strips of 6,100,000 cases, timed turn about with one read pass of the same 40 channels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "datafiles/datafile.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/runtime.h"
#include "full_size_file.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

constexpr int32_t kCases = kMaxCases;
constexpr int kWidth = 1800;
constexpr int kStripSlot = 1;

void widenPlot(int slot) {
  const rt::Rect r = rt::windowContentRect(1000 + slot);
  rt::setWindowContentRect(1000 + slot, {r.left, r.top, r.left + kWidth, r.top + r.height()});
}

// Slot 1: 40 channels in strips, whole file in the width.
void loadStripFile() {
  commitDataFile(qvbench::makeFullSizeFile(), kStripSlot);
  FileName[kStripSlot] = "strips.KXdata";
  FileInfoFLOATS[kStripSlot][1] = 0.1f;
  TheFileInUse = kStripSlot;
  ActiveChannel = 1;
  FileSHORTS[kStripSlot][1] = 1;
  FileSHORTS[kStripSlot][8] = 1;
  DrawMAINWINDOW(0, 0);
  widenPlot(kStripSlot);
  FileSHORTS[kStripSlot][4] = 1;
  FileSHORTS[kStripSlot][kViewModeWord] = 1;
  for (int c = 1; c <= qvbench::kChannels; ++c) overlayFlag(kStripSlot, 1, c) = 1;
}

void loadFile() {
  DataFile f;
  f.nCases = kCases;
  f.nChannels = 1;
  SampleArray a = allocateSamples(kCases);
  std::mt19937 rng(3);
  std::normal_distribution<float> noise(0, 0.02f);
  a[0] = 0;
  for (int32_t k = 1; k <= kCases; ++k) a[k] = 20.9f - 0.4f * float(std::sin(k * 2e-5)) + noise(rng);
  f.channels[1] = std::move(a);
  f.meta.name = "bench.KXdata";
  f.meta.info[1] = 0.1f;
  f.meta.startTime = "09:15:00";
  commitDataFile(std::move(f), 0);
  TheFileInUse = 0;
  ActiveChannel = 1;
  FileSHORTS[0][1] = 1;
  FileSHORTS[0][8] = 1;
  DrawMAINWINDOW(0, 0);
  widenPlot(0);
  FileSHORTS[0][4] = 1;
  for (int w : {10, 11, 13, 19, 21}) prefsArray[w] = 1;
}

void useSlot(int slot) {
  TheFileInUse = int16_t(slot);
  ActiveChannel = 1;
}

void ReadChannelOnce(benchmark::State& state) {
  useSlot(0);
  const float* d = channelData(0, 1);
  for (auto _ : state) {
    float s = 0;
    for (int32_t k = 1; k <= kCases; ++k) s += d[k];
    benchmark::DoNotOptimize(s);
  }
}

void WholeFileRedraw(benchmark::State& state) {
  useSlot(0);
  prefsArray[74] = int16_t(state.range(0));  // 1: anti-aliased renderer beyond 2,000,000 cases
  for (auto _ : state) DrawPlot(0, 0, 0, 1);
  prefsArray[74] = 0;
}

float readAllStripChannels() {
  float s = 0;
  for (int c = 1; c <= qvbench::kChannels; ++c) {
    const float* d = channelData(kStripSlot, c);
    for (int32_t k = 1; k <= kCases; ++k) s += d[k];
  }
  return s;
}

// Each iteration times one read pass of the 40 channels, then one full redraw, so both see
// the same machine load; the bound is the best read pass of the run.
void MultiChannelRedraw(benchmark::State& state) {
  useSlot(kStripSlot);
  using Clock = std::chrono::steady_clock;
  double bestRead = 1e300, bestRedraw = 1e300;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(readAllStripChannels());
    const auto t1 = Clock::now();
    DrawALLCHANNELS(0);
    const auto t2 = Clock::now();
    const double read = std::chrono::duration<double>(t1 - t0).count();
    const double redraw = std::chrono::duration<double>(t2 - t1).count();
    bestRead = std::min(bestRead, read);
    bestRedraw = std::min(bestRedraw, redraw);
    state.SetIterationTime(redraw);
  }
  qvbench::setBestBesideRead(state, bestRead, bestRedraw);
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // All runs are in milliseconds.
    for (const Run& r : runs) {
      if (qvbench::printBestBesideRead(r, 3)) continue;
      times_[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double read = times_["ReadChannelOnce"];
    for (const auto& [name, t] : times_) {
      if (name == "ReadChannelOnce" || read <= 0) continue;
      std::printf("%-24s %8.2f ms = %5.1f x one read pass of the channel (%.2f ms); goal under 50 ms\n",
                  name.c_str(), t, t / read, read);
      qvbench::recordGoal(name + ": ms", t, 50);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

BENCHMARK(ReadChannelOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeFileRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MultiChannelRedraw)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(6);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  unsetenv("QV_EVENTS");
  rt::initRuntime(argc, argv);
  loadFile();
  loadStripFile();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
