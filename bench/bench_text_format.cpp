// Writing and reading the own text data format at full size (8 channels of 6,100,000 cases),
// in MB of text a second, beside a plain strtof pass over the same text.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "datafiles/text_data_format.h"

namespace {

constexpr int32_t kCases = 6100000;
constexpr int16_t kChannels = 8;
const int16_t kAll[kChannels] = {1, 2, 3, 4, 5, 6, 7, 8};

const qv::DataFile& recording() {
  static qv::DataFile f = [] {
    qv::DataFile d;
    d.nCases = kCases;
    d.nChannels = kChannels;
    for (int c = 0; c <= kChannels; ++c) {
      d.channels[size_t(c)] = qv::allocateSamples(kCases);
      float* p = d.channels[size_t(c)].get();
      uint32_t seed = 12345u + uint32_t(c);
      for (int32_t k = 0; k <= kCases; ++k) {
        seed = seed * 1664525u + 1013904223u;
        const float noise = float(seed >> 8) / float(1 << 24) - 0.5f;
        // Analyser-like channels: a level, a slow wave and some noise, at scales from 0.01 to 1000.
        p[k] = float(std::pow(10.0, c % 5 - 2)) * (20.9f + 2.0f * float(std::sin(k * 1e-4)) + noise);
      }
    }
    d.meta.info[1] = 0.1f;
    return d;
  }();
  return f;
}

const std::vector<uint8_t>& text() {
  static std::vector<uint8_t> t = [] {
    auto w = qv::encodeTextDataFile(qv::viewOf(recording()), 0, kCases, kAll);
    if (!w.ok()) std::abort();
    w.bytes.push_back(0);  // strtof needs the end marked
    return std::move(w.bytes);
  }();
  return t;
}

double megabytes() { return double(text().size() - 1) / 1e6; }

void BM_WriteText(benchmark::State& state) {
  const qv::DataFileView v = qv::viewOf(recording());
  for (auto _ : state) {
    auto w = qv::encodeTextDataFile(v, 0, kCases, kAll);
    benchmark::DoNotOptimize(w.bytes.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size() - 1));
}

void BM_ReadText(benchmark::State& state) {
  const std::span<const uint8_t> bytes(text().data(), text().size() - 1);
  for (auto _ : state) {
    auto r = qv::decodeTextDataFile(bytes);
    if (!r.ok()) state.SkipWithError("the text did not read back");
    benchmark::DoNotOptimize(r.file->channels[1].get());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size() - 1));
}

// The bound: every number of the same text through strtof, nothing else.
void BM_StrtofBound(benchmark::State& state) {
  const char* begin = reinterpret_cast<const char*>(text().data());
  const char* end = begin + text().size() - 1;
  for (auto _ : state) {
    double sum = 0;
    for (const char* p = begin; p < end;) {
      char* e = nullptr;
      const float v = std::strtof(p, &e);
      if (e == p) {
        ++p;
        continue;
      }
      sum += v;
      p = e;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size() - 1));
}

BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StrtofBound)->Unit(benchmark::kMillisecond)->Iterations(2);

// Keeps each benchmark's rate so the summary can set them side by side.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> mbPerSecond;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const double seconds = r.real_accumulated_time / double(r.iterations);
      mbPerSecond[r.benchmark_name()] = megabytes() / seconds;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("text of %d channels x %d cases: %.1f MB\n", kChannels, kCases, megabytes());
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bound = reporter.mbPerSecond["BM_StrtofBound/iterations:2"];
  for (const char* name : {"BM_WriteText/iterations:2", "BM_ReadText/iterations:2"}) {
    const double rate = reporter.mbPerSecond[name];
    std::printf("%-28s %8.1f MB/s   strtof bound %8.1f MB/s   ratio %.2f\n", name, rate, bound,
                bound > 0 ? rate / bound : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
