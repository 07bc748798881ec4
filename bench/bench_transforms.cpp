// Transforms over a full-size channel (6,100,001 entries, entry 0 included) beside one plain
// pass that reads the same samples. "x - constant" (code 7) should stay within 3x of the
// pass, "ln x" (code 12) within 8x and a ninth-degree polynomial within 4x.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "transforms/transform_engine.h"

namespace {

constexpr size_t kEntries = 6100001;

const std::vector<float>& channel() {
  static const std::vector<float> v = [] {
    std::vector<float> s(kEntries);
    uint32_t seed = 4242;
    for (auto& f : s) {
      seed = seed * 1664525u + 1013904223u;
      f = 0.5f + float(seed >> 8) * (1.0f / 16777216.0f);
    }
    return s;
  }();
  return v;
}

void ReadPass(benchmark::State& state) {
  const std::vector<float>& x = channel();
  for (auto _ : state) {
    float sum = 0.0f;
    for (float v : x) sum += v;
    benchmark::DoNotOptimize(sum);
  }
}

void runCode(benchmark::State& state, qv::TransformParams p) {
  std::vector<float> work = channel();
  for (auto _ : state) {
    const auto out = qv::runTransform(p, work, {}, 0, int32_t(kEntries - 1));
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(work.data());
  }
}

void MinusConstant(benchmark::State& state) {
  qv::TransformParams p;
  p.code = 7;
  p.a = 1e-30f;  // keeps the samples where they are over many iterations
  runCode(state, p);
}

void NaturalLog(benchmark::State& state) {
  // ln of ln ... would leave the domain: each iteration starts from the channel again.
  const std::vector<float>& x = channel();
  qv::TransformParams p;
  p.code = 12;
  std::vector<float> work(kEntries);
  for (auto _ : state) {
    state.PauseTiming();
    work = x;
    state.ResumeTiming();
    benchmark::DoNotOptimize(qv::runTransform(p, work, {}, 0, int32_t(kEntries - 1)));
  }
}

void PolynomialNine(benchmark::State& state) {
  const std::vector<float>& x = channel();
  qv::TransformParams p;
  p.code = 2;
  p.degree = 9;
  for (int i = 1; i <= 10; ++i) p.poly[size_t(i)] = 0.1f * float(i);
  std::vector<float> work(kEntries);
  for (auto _ : state) {
    state.PauseTiming();
    work = x;
    state.ResumeTiming();
    benchmark::DoNotOptimize(qv::runTransform(p, work, {}, 0, int32_t(kEntries - 1)));
  }
}

// A conversion as the Transformations window runs it: the undo copy, channel X into the work
// column, the run, the kept result into its channel.
void Conversion(benchmark::State& state) {
  const std::vector<float>& x = channel();
  qv::TransformParams p;
  p.code = 61;  // minutes to seconds
  p.a = 60.0f;
  std::vector<float> backup(kEntries), work(kEntries), kept(kEntries);
  for (auto _ : state) {
    std::copy(x.begin(), x.end(), backup.begin());
    std::copy(x.begin(), x.end(), work.begin());
    benchmark::DoNotOptimize(qv::runTransform(p, work, {}, 0, int32_t(kEntries - 1)));
    std::copy(work.begin(), work.end(), kept.begin());
    benchmark::DoNotOptimize(kept.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Each transform takes turns with its own read pass; the best of each counts.
  constexpr int kRounds = 3;
  const struct { const char* name; void (*fn)(benchmark::State&); const char* label; double goal; } rows[] = {
      {"MinusConstant", MinusConstant, "code 7, x - constant", 3},
      {"Conversion", Conversion, "conversion with its three copies", 8},
      {"NaturalLog", NaturalLog, "code 12, ln x", 8},
      {"PolynomialNine", PolynomialNine, "code 2, degree 9 in Horner's form", 4}};
  for (const auto& row : rows)
    qvbench::registerRounds(kRounds, (std::string("ReadFor") + row.name).c_str(), ReadPass, row.name, row.fn);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  for (const auto& row : rows)
    qvbench::printBestRatio(reporter, (std::string("Transform ") + row.label).c_str(), long(kEntries) - 1, row.name,
                            std::string("ReadFor") + row.name, row.goal);
  return 0;
}
