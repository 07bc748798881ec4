// Event counting over a full-size channel (6,100,000 cases of 10, 0, 10, 10, 0, 0: 4,066,666
// timed events) and the text of its details file, each timed turn about with its bound: one
// read pass of the samples for the count, std::to_chars of the file's numbers for the text.
// Goals: the count within 5 x the read pass, the file's text within 2 x the number writing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fitting/event_count.h"
#include "fitting/event_details.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

constexpr int32_t kCases = 6100000;

const std::vector<float>& samples() {
  static const std::vector<float> v = [] {
    const float p[] = {10, 0, 10, 10, 0, 0};
    std::vector<float> s(size_t(kCases) + 1, 0.0f);
    for (int32_t k = 1; k <= kCases; ++k) s[size_t(k)] = p[(k - 1) % 6];
    return s;
  }();
  return v;
}

double readPass() {
  const float* d = samples().data();
  double s = 0;
  for (int32_t k = 1; k <= kCases; ++k) s += d[k];
  return s;
}

// The numbers of the file's lines as plain shortest text, one buffer.
size_t plainNumbers(const std::vector<TimedEvent>& events, std::string& out) {
  out.clear();
  char buf[64];
  for (const TimedEvent& e : events) {
    for (int k = 0; k < 10; ++k) {
      const double x = k == 1 ? double(e.start) : double(e.duration) + k;
      const auto r = std::to_chars(buf, buf + sizeof buf, x);
      out.append(buf, r.ptr);
      out += ',';
    }
    out += '\n';
  }
  return out.size();
}

void EventCounting(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  auto seconds = [](Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); };
  const std::vector<float>& v = samples();
  EventFileFacts facts;
  facts.fileName = "bench";
  facts.nCases = kCases;
  facts.nChannels = 1;
  facts.last = kCases;
  facts.first = 1;
  facts.upper = 5;
  facts.lower = 5;
  facts.startTime = "10:00:00";
  facts.rateItem = 3;
  std::string plain;
  double bestRead = 1e300, bestCount = 1e300, bestNumbers = 1e300, bestText = 1e300;
  size_t lines = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(readPass());
    const auto t1 = Clock::now();
    const EventCount c = countEvents(v, 1, kCases, 5.0f, 5.0f, 1.0, 0.0);
    const std::vector<TimedEvent>& events = eventsInCaseOrder(c);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(plainNumbers(events, plain));
    const auto t3 = Clock::now();
    const std::string text = eventDetailsText(v, events, facts);
    const auto t4 = Clock::now();
    lines = events.size();
    benchmark::DoNotOptimize(text.size());
    bestRead = std::min(bestRead, seconds(t0, t1));
    bestCount = std::min(bestCount, seconds(t1, t2));
    bestNumbers = std::min(bestNumbers, seconds(t2, t3));
    bestText = std::min(bestText, seconds(t3, t4));
    state.SetIterationTime(seconds(t0, t4));
  }
  std::printf("Event count of %d cases: %.1f ms = %.2f x one read pass (%.1f ms); goal <= 5\n", kCases,
              bestCount * 1e3, bestCount / bestRead, bestRead * 1e3);
  std::printf("Event details text, %zu lines: %.1f ms = %.2f x to_chars of its numbers (%.1f ms); goal <= 2\n",
              lines, bestText * 1e3, bestText / bestNumbers, bestNumbers * 1e3);
  qvbench::recordGoal("Event count", bestCount / bestRead, 5);
  qvbench::recordGoal("Event details text", bestText / bestNumbers, 2);
}

}  // namespace

BENCHMARK(EventCounting)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

BENCHMARK_MAIN();
