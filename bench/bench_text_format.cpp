// Writing and reading the own text data format at full size (8 channels of 6,100,000 cases),
// each beside its bound measured in the same run, one bound pass before each measured pass:
// writing beside a bare std::to_chars pass over the same samples, reading beside a bare
// std::from_chars pass over the same text. The ratios compare the best of each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "datafiles/text_data_format.h"
#include "ratio_reporter.h"
#include "text_bounds.h"

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
    return std::move(w.bytes);
  }();
  return t;
}

double megabytes() { return double(text().size()) / 1e6; }

using qvbench::Best;
using qvbench::timed;

Best gWrite, gRead;

// The writing bound: every sample through std::to_chars into a chunk-sized buffer, each
// followed by a comma, a line end per row; the buffer is reused when full.
void toCharsPass() {
  static const std::unique_ptr<char[]> buf = std::make_unique<char[]>(qv::kTextChunkBytes);
  const qv::DataFile& f = recording();
  char* p = buf.get();
  char* const limit = buf.get() + qv::kTextChunkBytes - 1024;
  for (int32_t k = 1; k <= kCases; ++k) {
    if (p > limit) {
      benchmark::DoNotOptimize(buf.get());
      p = buf.get();
    }
    for (int c = 1; c <= kChannels; ++c) {
      p = std::to_chars(p, p + 32, f.channels[size_t(c)][k]).ptr;
      *p++ = ',';
    }
    *p++ = '\r';
  }
  benchmark::DoNotOptimize(p);
}

// The reading bound: every number of the text through std::from_chars into a double.
void fromCharsPass() { qvbench::fromCharsPass<double>(text()); }

void BM_WriteText(benchmark::State& state) {
  const qv::DataFileView v = qv::viewOf(recording());
  for (auto _ : state) {
    gWrite.bound = std::min(gWrite.bound, timed(toCharsPass));
    size_t written = 0;
    const double s = timed([&] {
      const std::string error = qv::writeTextDataFile(v, 0, kCases, kAll, [&written](std::span<const uint8_t> chunk) {
        benchmark::DoNotOptimize(chunk.data());
        written += chunk.size();
        return true;
      });
      if (!error.empty()) state.SkipWithError(error.c_str());
    });
    if (written != text().size()) state.SkipWithError("the text changed size");
    gWrite.measured = std::min(gWrite.measured, s);
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size()));
  state.counters["x_to_chars"] = gWrite.measured / gWrite.bound;
}

void BM_ReadText(benchmark::State& state) {
  for (auto _ : state) {
    gRead.bound = std::min(gRead.bound, timed(fromCharsPass));
    const double s = timed([&] {
      auto r = qv::decodeTextDataFile(text());
      if (!r.ok()) state.SkipWithError("the text did not read back");
      benchmark::DoNotOptimize(r.file->channels[1].get());
    });
    gRead.measured = std::min(gRead.measured, s);
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text().size()));
  state.counters["x_from_chars"] = gRead.measured / gRead.bound;
}

BENCHMARK(BM_WriteText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

void printBeside(const char* what, const Best& b, const char* bound) {
  if (!std::isfinite(b.measured) || !std::isfinite(b.bound)) return;  // left out by a filter
  std::printf("%-8s %8.1f MB/s   %-24s %8.1f MB/s   ratio %.2f (goal at most 2)\n", what, megabytes() / b.measured,
              bound, megabytes() / b.bound, b.measured / b.bound);
  qvbench::recordGoal(std::string("own text format, ") + what, b.measured / b.bound, 2);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("text of %d channels x %d cases: %.1f MB\n", kChannels, kCases, megabytes());
  benchmark::RunSpecifiedBenchmarks();
  printBeside("writing", gWrite, "bare to_chars pass");
  printBeside("reading", gRead, "bare from_chars pass");
  benchmark::Shutdown();
  return 0;
}
