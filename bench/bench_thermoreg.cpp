// Thermoregulatory costs at full size: 6,100,000 cases at 1 s (70 days of climate held hourly,
// the time running on), one animal's run with its running means beside one read pass of its
// four channels (goal within 10x); and a table of 50 rows, which share the climate's cases,
// beside 50 single runs (goal within 1x).
#include <benchmark/benchmark.h>

#include <vector>

#include "ratio_reporter.h"
#include "thermoreg/treg_model.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr int kRows = 50;

struct Climate {
  std::vector<float> shade, sun, time, day;
};

const Climate& climate() {
  static const Climate c = [] {
    Climate k;
    for (auto* v : {&k.shade, &k.sun, &k.time, &k.day}) v->assign(size_t(kCases) + 1, 0.0f);
    for (int32_t i = 1; i <= kCases; ++i) {
      const int32_t s = i - 1;
      const int hour = (s / 3600) % 24;
      k.time[size_t(i)] = float(s % 86400) / 3600.0f;
      k.shade[size_t(i)] = 8.0f + float(hour);
      k.sun[size_t(i)] = k.shade[size_t(i)] + (hour > 6 && hour <= 18 ? 4.0f : 0.0f);
      k.day[size_t(i)] = float(1 + s / 86400);
    }
    return k;
  }();
  return c;
}

qv::TregChannels channels() {
  const Climate& c = climate();
  return {c.shade, c.sun, c.time, c.day, {}};
}

qv::TregAnimal animal(int row) {
  return qv::TregAnimal{28.0f, 0.015f + 0.0002f * float(row), 0.1675f, true, 39.0f, 15.5f};
}

std::vector<float>& costs() {
  static std::vector<float> v(size_t(kCases) + 1, 0.0f);
  return v;
}

void ReadPass(benchmark::State& state) {
  const Climate& c = climate();
  for (auto _ : state) {
    double sum = 0.0;
    for (int32_t k = 1; k <= kCases; ++k)
      sum += double(c.shade[size_t(k)]) + double(c.sun[size_t(k)]) + double(c.time[size_t(k)]) + double(c.day[size_t(k)]);
    benchmark::DoNotOptimize(sum);
  }
}

void OneAnimal(benchmark::State& state) {
  const qv::TregSettings s;
  for (auto _ : state) {
    const qv::TregResult r = qv::tregRun(channels(), kCases, 1.0, animal(0), s, costs());
    benchmark::DoNotOptimize(r.mean);
  }
}

void FiftySingleRuns(benchmark::State& state) {
  const qv::TregSettings s;
  for (auto _ : state)
    for (int row = 0; row < kRows; ++row) {
      const qv::TregResult r = qv::tregRun(channels(), kCases, 1.0, animal(row), s, costs());
      benchmark::DoNotOptimize(r.mean);
    }
}

void FiftyRows(benchmark::State& state) {
  const qv::TregSettings s;
  for (auto _ : state) {
    const qv::TregCases cases = qv::tregPrepare(channels(), kCases, 1.0, s);
    for (int row = 0; row < kRows; ++row) {
      const qv::TregResult r = qv::tregCompute(cases, animal(row), s, costs());
      benchmark::DoNotOptimize(r.mean);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  climate();
  qvbench::registerRounds(5, "ReadPass", ReadPass, "OneAnimal", OneAnimal);
  qvbench::registerRounds(2, {{"FiftySingleRuns", FiftySingleRuns, 1}, {"FiftyRows", FiftyRows, 1}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  qvbench::printBestRatio(reporter, "thermoregulatory costs of one animal", kCases, "OneAnimal", "ReadPass", 10);
  qvbench::printBestRatio(reporter, "thermoregulatory costs of 50 table rows", kCases, "FiftyRows", "FiftySingleRuns", 1);
  return 0;
}
