// Appending two files of 40 x 3,050,000 cases (a full-size joint file) beside a memcpy of
// the same samples, and halving the interval of a 40 x 3,050,000 file beside one read and
// one write pass of the samples, each the best of its turns beside the best of its bound's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "datafiles/merge.h"
#include "datafiles/resample.h"
#include "full_size_file.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

constexpr int32_t kHalf = kMaxCases / 2;

DataFile makeFile(int32_t cases) {
  DataFile d = qvbench::makeFullSizeFile(cases);
  d.meta.info[1] = 1.0f;
  return d;
}

double seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The same samples copied into new arrays, the bound of any join.
double plainCopy(const DataFile& a, const DataFile& b) {
  const auto t0 = std::chrono::steady_clock::now();
  DataFile j;
  for (int c = 0; c <= kMaxChannels; ++c) {
    j.channels[size_t(c)] = allocateSamples(a.nCases + b.nCases);
    float* d = j.channels[size_t(c)].get();
    std::memcpy(d, a.channels[size_t(c)].get(), (size_t(a.nCases) + 1) * sizeof(float));
    std::memcpy(d + a.nCases + 1, b.channels[size_t(c)].get() + 1, size_t(b.nCases) * sizeof(float));
    benchmark::DoNotOptimize(d);
  }
  return seconds(t0);
}

void BM_AppendTwoHalfFiles(benchmark::State& state) {
  const DataFile a = makeFile(kHalf), b = makeFile(kHalf);
  double best = 1e9, bound = 1e9;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    MergeResult r = appendFiles(viewOf(a), b, MergeChoices{});
    benchmark::DoNotOptimize(r.file->channels[1].get());
    best = std::min(best, seconds(t0));
    bound = std::min(bound, plainCopy(a, b));
  }
  state.counters["append_ms"] = best * 1e3;
  state.counters["memcpy_ms"] = bound * 1e3;
  state.counters["x_memcpy"] = best / bound;
  qvbench::recordGoal("appending two 40 x 3,050,000 files beside a memcpy", best / bound, 3);
}

// One read and one write pass over the samples of the halved file.
double readWritePass(const DataFile& a) {
  const auto t0 = std::chrono::steady_clock::now();
  // The new arrays are all held at once, as the adjustment holds them.
  std::vector<SampleArray> outs(kMaxChannels + 1);
  for (int c = 1; c <= kMaxChannels; ++c) {
    outs[size_t(c)] = allocateSamples(2 * a.nCases);
    const float* s = a.channels[size_t(c)].get();
    float* d = outs[size_t(c)].get();
    for (int32_t i = 0; i <= a.nCases; ++i) d[2 * i] = d[2 * i + 1] = s[i];
    benchmark::DoNotOptimize(d);
  }
  return seconds(t0);
}

void BM_HalveTheInterval(benchmark::State& state) {
  double best = 1e9, bound = 1e9;
  for (auto _ : state) {
    state.PauseTiming();
    DataFile f = makeFile(kHalf);
    state.ResumeTiming();
    bound = std::min(bound, readWritePass(f));
    const auto t0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(adjustTimeScale(f, 0.5f));
    best = std::min(best, seconds(t0));
  }
  state.counters["halve_ms"] = best * 1e3;
  state.counters["read_write_ms"] = bound * 1e3;
  state.counters["x_read_write"] = best / bound;
  qvbench::recordGoal("halving the interval of 40 x 3,050,000 beside a read and a write pass", best / bound, 3);
}

}  // namespace

BENCHMARK(BM_AppendTwoHalfFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HalveTheInterval)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
