// Undo and the interpolation flags at full size: a channel of 6,100,000 cases, 16,000
// interpolated spans (unsorted, some overlapping). Each result is printed with its ratio to
// one memcpy of the channel measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/undo.h"

using namespace qv;

namespace {

constexpr int32_t kCases = 6100000;
constexpr int kSpans = 16000;

void makeFile() {
  static bool made = false;
  if (made) return;
  made = true;
  TheFileInUse = 0;
  nCases[0] = kCases;
  nChannels[0] = 1;
  FileSHORTS[0][kInUseWord] = 1;
  gPointersToFileData[0][1] = allocateSamples(kCases);
  for (int32_t k = 0; k <= kCases; ++k) PutDatum(0, 1, k, float(k % 1000) * 0.25f);
  std::mt19937 gen(42);
  std::uniform_int_distribution<int32_t> at(1, kCases), len(1, 2000);
  for (int s = 0; s < kSpans; ++s) {
    const int32_t start = at(gen);
    MarkersArray[0][2 * s + 1][1] = start;
    MarkersArray[0][2 * s + 1][2] = 200;
    MarkersArray[0][2 * s + 2][1] = std::min(kCases, start + len(gen));
    MarkersArray[0][2 * s + 2][2] = 199;
  }
  FileSHORTS[0][kMarkerCountWord] = int16_t(2 * kSpans);
  prefsArray[7] = 0;
  prefsArray[44] = 0;
}

std::vector<float>& copyTarget() {
  static std::vector<float> v(size_t(kCases) + 1);
  return v;
}

// Seconds of one memcpy of the channel, the best of a few runs.
double memcpySeconds() {
  static double best = [] {
    makeFile();
    double b = 1e9;
    for (int i = 0; i < 15; ++i) {
      auto t0 = std::chrono::steady_clock::now();
      std::memcpy(copyTarget().data(), channelData(0, 1), (size_t(kCases) + 1) * sizeof(float));
      benchmark::ClobberMemory();
      b = std::min(b, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return b;
  }();
  return best;
}

template <class F>
void timed(benchmark::State& state, F&& work) {
  makeFile();
  const double bound = memcpySeconds();
  double total = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    work();
    benchmark::ClobberMemory();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["memcpy_ms"] = bound * 1e3;
  state.counters["x_memcpy"] = total / double(state.iterations()) / bound;
}

void BM_MemcpyChannel(benchmark::State& state) {
  timed(state, [] { std::memcpy(copyTarget().data(), channelData(0, 1), (size_t(kCases) + 1) * sizeof(float)); });
}

void BM_MakeInterpolationRecord(benchmark::State& state) {
  timed(state, [&] {
    if (!MakeInterpolationRecord()) state.SkipWithError("no backup store");
  });
}

void BM_BackupAndUndo(benchmark::State& state) {
  timed(state, [&] {
    if (!MAKEBACKUP(1) || !UNDO()) state.SkipWithError("undo refused");
  });
}

}  // namespace

BENCHMARK(BM_MemcpyChannel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeInterpolationRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackupAndUndo)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
