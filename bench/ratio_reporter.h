#pragma once
// Console reporters that keep each benchmark's time, so that a program can print its ratios to
// the bounds it measured in the same run once the run is over; and the pieces of benchmarks that
// time their bound themselves, turn about with the work, and keep the best of each.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace qvbench {

// One line of the table `make bench` ends with: a ratio and its goal (met when ratio <= goal).
// The table file is named by QV_BENCH_TABLE, which run_benches sets; a program run by itself
// only prints its own lines.
inline void recordGoal(const std::string& what, double ratio, double goal) {
  const char* table = std::getenv("QV_BENCH_TABLE");
  if (!table || !*table) return;
  if (std::FILE* f = std::fopen(table, "a")) {
    std::fprintf(f, "%s\t%.3f\t%g\n", what.c_str(), ratio, goal);
    std::fclose(f);
  }
}

// The time of each benchmark by its full name.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0)
        seconds[r.benchmark_name()] = r.real_accumulated_time / double(r.iterations);
  }
};

// The best time of each benchmark over its interleaved rounds (the name without "/round").
class BestRatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> best;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
        const std::string name = r.benchmark_name().substr(0, r.benchmark_name().find('/'));
        const double t = r.real_accumulated_time / double(r.iterations);
        if (!best.count(name) || t < best[name]) best[name] = t;
      }
  }
};

// One benchmark of a set that takes turns: its name, its function, a fixed count of iterations
// (0 lets the library choose) and whether it times itself (SetIterationTime).
struct Turn {
  std::string name;
  void (*fn)(benchmark::State&);
  int iterations = 0;
  bool manualTime = false;
};

// Registers `rounds` rounds of the given benchmarks, taken in turns so that a slow spell of the
// machine touches every side of a ratio (for BestRatioReporter).
inline void registerRounds(int rounds, std::initializer_list<Turn> turns) {
  for (int round = 0; round < rounds; ++round) {
    const std::string suffix = "/round:" + std::to_string(round);
    for (const Turn& t : turns) {
      auto* b = benchmark::RegisterBenchmark((t.name + suffix).c_str(), t.fn)->Unit(benchmark::kMillisecond);
      if (t.iterations > 0) b->Iterations(t.iterations);
      if (t.manualTime) b->UseManualTime();
    }
  }
}

// A bound and its work, in turns.
inline void registerRounds(int rounds, const char* bound, void (*boundFn)(benchmark::State&), const char* work,
                           void (*workFn)(benchmark::State&)) {
  registerRounds(rounds, {{bound, boundFn}, {work, workFn}});
}

// Prints "<what> of <cases> cases: work ms, one read pass ms, ratio (goal <= goal)" from the
// best times when both benchmarks ran and the bound took time.
inline void printBestRatio(const BestRatioReporter& r, const char* what, long cases, const std::string& work,
                           const std::string& bound, double goal) {
  const auto w = r.best.find(work), b = r.best.find(bound);
  if (w == r.best.end() || b == r.best.end() || !(b->second > 0)) return;
  std::printf("%s of %ld cases: %.1f ms, one read pass %.1f ms, ratio %.2f (goal <= %g), best of each's rounds\n",
              what, cases, w->second * 1e3, b->second * 1e3, w->second / b->second, goal);
  recordGoal(what, w->second / b->second, goal);
}

// The seconds f takes.
template <class F>
double timed(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The best seconds of a measured pass and of its bound.
struct Best {
  double measured = std::numeric_limits<double>::infinity();
  double bound = std::numeric_limits<double>::infinity();
};

// The counters of a benchmark timed turn about with a read pass of the 40 channels: the best
// of each, in milliseconds, and their ratio.
inline void setBestBesideRead(benchmark::State& state, double bestRead, double best) {
  state.counters["read_ms"] = bestRead * 1e3;
  state.counters["best_ms"] = best * 1e3;
  state.counters["x_read"] = best / bestRead;
}

// The line a reporter prints for a run that set those counters, against its goal; false (nothing
// printed) for any other run.
inline bool printBestBesideRead(const benchmark::BenchmarkReporter::Run& r, double goal) {
  if (!r.counters.count("x_read")) return false;
  std::printf("%s: best %.1f ms = %.2f x one read pass of the 40 channels (best %.1f ms); goal within %g x\n",
              r.benchmark_name().c_str(), double(r.counters.at("best_ms")), double(r.counters.at("x_read")),
              double(r.counters.at("read_ms")), goal);
  recordGoal(r.benchmark_name(), double(r.counters.at("x_read")), goal);
  return true;
}

}  // namespace qvbench
