#pragma once
// Console reporters that keep each benchmark's time, so that a program can print its ratios to
// the bounds it measured in the same run once the run is over.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace qvbench {

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

}  // namespace qvbench
