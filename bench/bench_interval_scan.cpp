// Interval scans over a full-size block (6,100,000 cases) with windows of half of it. The
// running-sum scanners (13, 14, 47) are set beside one read pass of the samples (goal within
// 20x); the rank-tree scanners (19, 22 mode 0) beside one sort of the values (goal within 10x).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "noisy_samples.h"
#include "ratio_reporter.h"
#include "stats/interval_scan.h"

namespace {

constexpr int32_t kCases = qvbench::kChannelCases;

const std::vector<float>& samples() { return qvbench::noisySamples(); }

void SortValues(benchmark::State& state) {
  const std::vector<float>& v = samples();
  for (auto _ : state) {
    std::vector<float> copy(v.begin() + 1, v.end());
    std::sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
  }
}

void Scan(benchmark::State& state, qv::ScanKind kind) {
  qv::ScanRequest r;
  r.samples = samples();
  r.begin = 1;
  r.end = kCases;
  r.length = kCases / 2;
  r.kind = kind;
  r.limits = {false, false, 20.0f, 21.0f};
  for (auto _ : state) benchmark::DoNotOptimize(qv::scanIntervals(r));
}

BENCHMARK(qvbench::ReadPass)->Name("ReadPass")->Unit(benchmark::kMillisecond);
BENCHMARK(SortValues)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, MeanMinimum, qv::ScanKind::MeanMinimum)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, MeanMaximum, qv::ScanKind::MeanMaximum)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, PointToPoint, qv::ScanKind::MostVariablePoints)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, MostLevel, qv::ScanKind::MostLevel)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scan, OverallSlope, qv::ScanKind::MostVariableSlope)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double read = reporter.seconds["ReadPass"], sort = reporter.seconds["SortValues"];
  const struct { const char* name; bool bySort; } rows[] = {
      {"Scan/MeanMinimum", false}, {"Scan/MeanMaximum", false}, {"Scan/PointToPoint", false},
      {"Scan/MostLevel", true},    {"Scan/OverallSlope", true}};
  for (const auto& row : rows) {
    const double t = reporter.seconds[row.name], bound = row.bySort ? sort : read;
    if (t > 0 && bound > 0) {
      std::printf("%s over %d cases: %.1f ms, ratio %.2f to one %s (goal <= %d)\n", row.name, kCases,
                  t * 1e3, t / bound, row.bySort ? "sort" : "read pass", row.bySort ? 10 : 20);
      qvbench::recordGoal(row.name, t / bound, row.bySort ? 10 : 20);
    }
  }
  return 0;
}
