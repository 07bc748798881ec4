// Typed expressions run over a full-size channel (6,100,000 cases) beside the same formula
// written in C++ over the same span, timed in turns; goal: within 10 times of the C++.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "ratio_reporter.h"
#include "transforms/expression.h"

namespace {

constexpr size_t kCases = 6100000;
constexpr double kGoal = 10;

struct Data {
  std::vector<float> x, y, out;
};

Data& data() {
  static Data d = [] {
    Data s;
    s.x.resize(kCases);
    s.y.resize(kCases);
    s.out.resize(kCases);
    uint32_t seed = 977;
    for (size_t i = 0; i < kCases; ++i) {
      seed = seed * 1664525u + 1013904223u;
      s.x[i] = 0.5f + float(seed >> 8) * (1.0f / 16777216.0f);
      s.y[i] = 2.0f - s.x[i];
    }
    return s;
  }();
  return d;
}

const qv::expr::Code& compiled(const char* text) {
  static std::vector<std::pair<const char*, qv::expr::Code>> cache;
  for (const auto& [t, c] : cache)
    if (t == text) return c;
  cache.emplace_back(text, qv::expr::compile(text).code);
  return cache.back().second;
}

constexpr const char* kDefault = "10 * (x + y)/2.0 + sin( \u03C0*0.5 ) `[ example ]`";
constexpr const char* kNested = "1+x*(2+x*(3+x*(4+x*(5+x*6))))";

void run(benchmark::State& state, const char* text) {
  Data& d = data();
  const qv::expr::Code& code = compiled(text);
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::expr::evaluateSpan(code, d.x, d.y, d.out));
    benchmark::ClobberMemory();
  }
}

template <class F>
void native(benchmark::State& state, F f) {
  Data& d = data();
  for (auto _ : state) {
    for (size_t i = 0; i < kCases; ++i) d.out[i] = float(f(double(d.x[i]), double(d.y[i])));
    benchmark::ClobberMemory();
  }
}

void DefaultText(benchmark::State& s) { run(s, kDefault); }
void DefaultTextInCpp(benchmark::State& s) {
  native(s, [](double x, double y) { return 10 * (x + y) / 2.0 + std::sin(std::numbers::pi * 0.5); });
}
void NestedPolynomial(benchmark::State& s) { run(s, kNested); }
void NestedPolynomialInCpp(benchmark::State& s) {
  native(s, [](double x, double) { return 1 + x * (2 + x * (3 + x * (4 + x * (5 + x * 6)))); });
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(3, "DefaultTextInCpp", DefaultTextInCpp, "DefaultText", DefaultText);
  qvbench::registerRounds(3, "NestedPolynomialInCpp", NestedPolynomialInCpp, "NestedPolynomial", NestedPolynomial);
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  for (const auto& [work, bound] : {std::pair<const char*, const char*>{"DefaultText", "DefaultTextInCpp"},
                                    {"NestedPolynomial", "NestedPolynomialInCpp"}}) {
    const auto w = reporter.best.find(work), b = reporter.best.find(bound);
    if (w == reporter.best.end() || b == reporter.best.end() || !(b->second > 0)) continue;
    std::printf("Expression %s over %zu cases: %.1f ms, the same formula in C++ %.1f ms, ratio %.2f (goal <= %g)\n",
                work, kCases, w->second * 1e3, b->second * 1e3, w->second / b->second, kGoal);
    qvbench::recordGoal(std::string("expression ") + work + " / the same formula in C++", w->second / b->second, kGoal);
  }
  return 0;
}
