// Delimited text at full size, each beside its bound measured in the same run, one bound pass
// before each measured pass, the ratios taken between the best of each:
// - the csv export of 40 channels x 6,100,000 cases with time columns and a marker column
//   over 32,500 markers, beside a bare std::to_chars pass over the same samples (goal <= 2);
// - the import of 2,000,000 lines of 40 columns, beside a bare std::from_chars pass over the
//   same text (goal <= 2);
// - the compaction kernel on 40 x 6,100,000 cases (factor 16, the smallest that fits), beside
//   one read pass of the same samples; the kernel reads each group twice (the sum, then the
//   deviations from the mean) so about 2x is expected (goal <= 3).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "datafiles/compaction.h"
#include "datafiles/csv_export.h"
#include "datafiles/text_import.h"
#include "full_size_file.h"
#include "ratio_reporter.h"
#include "text_bounds.h"

namespace {

using qvbench::kCases;
using qvbench::kChannels;

constexpr int32_t kMarkers = 32500;
constexpr int64_t kImportLines = 2000000;
constexpr int32_t kFactor = 16;

const qv::DataFile& recording() {
  static qv::DataFile f = [] {
    qv::DataFile d = qvbench::makeFullSizeFile();
    d.meta.info[1] = 0.1f;
    d.meta.startTime = "09:30:00";
    d.meta.startDate = "05/14/2024";
    for (int c = 1; c <= kChannels; ++c) d.meta.labels[size_t(c)] = "channel " + std::to_string(c);
    // Markers spread over the file, given out of order as a user adds them.
    for (int32_t m = 0; m < kMarkers; ++m)
      d.meta.markers.push_back({int32_t((int64_t(m) * 7919 % kMarkers) * (kCases / kMarkers) + 1), 65 + m % 26});
    return d;
  }();
  return f;
}

std::vector<int16_t> allChannels() {
  std::vector<int16_t> c;
  for (int16_t k = 1; k <= kChannels; ++k) c.push_back(k);
  return c;
}

// The import's text: the first 2,000,000 entries of the file as a label line and data rows.
const std::vector<uint8_t>& importText() {
  static std::vector<uint8_t> t = [] {
    qv::CsvRequest r;
    r.first = 0, r.last = int32_t(kImportLines - 1), r.headerMode = qv::kCsvLabelsOnly, r.channels = allChannels();
    std::vector<uint8_t> bytes;
    const std::string error = qv::writeCsvFile(qv::viewOf(recording()), r, [&bytes](std::span<const uint8_t> chunk) {
      bytes.insert(bytes.end(), chunk.begin(), chunk.end());
      return true;
    });
    if (!error.empty()) std::abort();
    return bytes;
  }();
  return t;
}

using qvbench::Best;
using qvbench::timed;

Best gCsv, gImport, gKernel;

// The writing bound: every sample of every channel through std::to_chars into a chunk-sized
// buffer, a comma after each, a line end per row; the buffer is reused when full.
void toCharsPass() {
  static const std::unique_ptr<char[]> buf = std::make_unique<char[]>(qv::kTextChunkBytes);
  const qv::DataFile& f = recording();
  const float* ch[kChannels + 1];
  for (int c = 1; c <= kChannels; ++c) ch[c] = f.channels[size_t(c)].get();
  char* p = buf.get();
  char* const limit = buf.get() + qv::kTextChunkBytes - 4096;
  for (int32_t k = 0; k <= kCases; ++k) {
    if (p > limit) {
      benchmark::DoNotOptimize(buf.get());
      p = buf.get();
    }
    for (int c = 1; c <= kChannels; ++c) {
      p = std::to_chars(p, p + 32, ch[c][k]).ptr;
      *p++ = ',';
    }
    p[-1] = '\n';
  }
  benchmark::DoNotOptimize(p);
}

// The reading bound: every number of the text through std::from_chars into a float.
void fromCharsPass() { qvbench::fromCharsPass<float>(importText()); }

// The kernel's bound: one pass reading cases 1..nCases of every channel into a double sum.
void readPass() {
  const qv::DataFile& f = recording();
  double sum = 0;
  for (int c = 1; c <= kChannels; ++c) {
    const float* s = f.channels[size_t(c)].get();
    for (int32_t k = 1; k <= kCases; ++k) sum += double(s[k]);
  }
  benchmark::DoNotOptimize(sum);
}

void BM_CsvExport(benchmark::State& state) {
  qv::CsvRequest r;
  r.first = 0, r.last = kCases, r.markerColumn = true, r.channels = allChannels();
  const qv::DataFileView v = qv::viewOf(recording());
  size_t written = 0;
  for (auto _ : state) {
    gCsv.bound = std::min(gCsv.bound, timed(toCharsPass));
    written = 0;
    const double s = timed([&] {
      const std::string error = qv::writeCsvFile(v, r, [&written](std::span<const uint8_t> chunk) {
        benchmark::DoNotOptimize(chunk.data());
        written += chunk.size();
        return true;
      });
      if (!error.empty()) state.SkipWithError(error.c_str());
    });
    gCsv.measured = std::min(gCsv.measured, s);
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
  state.counters["x_to_chars"] = gCsv.measured / gCsv.bound;
}

void BM_TextImport(benchmark::State& state) {
  qv::ImportRequest r;
  r.firstDataLine = 2, r.labelLine = 1, r.name = "import.csv";
  for (int c = 1; c <= qv::kImportColumns; ++c) r.load[size_t(c)] = true;
  for (auto _ : state) {
    gImport.bound = std::min(gImport.bound, timed(fromCharsPass));
    const double s = timed([&] {
      qv::ImportResult got = qv::stageImport(importText(), r);
      if (!got.file || got.file->nCases != kImportLines - 1) state.SkipWithError("the text did not import whole");
      else benchmark::DoNotOptimize(got.file->channels[1].get());
    });
    gImport.measured = std::min(gImport.measured, s);
    state.SetIterationTime(s);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(importText().size()));
  state.counters["x_from_chars"] = gImport.measured / gImport.bound;
}

void BM_CompactionKernel(benchmark::State& state) {
  const qv::DataFile& f = recording();
  const auto groups = size_t(qv::compactedGroups(kCases, kFactor));
  std::vector<std::vector<float>> means(kChannels + 1, std::vector<float>(groups)), sds = means;
  for (auto _ : state) {
    gKernel.bound = std::min(gKernel.bound, timed(readPass));
    const double s = timed([&] {
      for (int c = 1; c <= kChannels; ++c)
        qv::compactChannel(f.channels[size_t(c)].get(), kCases, kFactor, 1, means[size_t(c)].data(),
                           sds[size_t(c)].data());
      benchmark::DoNotOptimize(means[1].data());
    });
    gKernel.measured = std::min(gKernel.measured, s);
    state.SetIterationTime(s);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kCases) * kChannels);
  state.counters["x_read_pass"] = gKernel.measured / gKernel.bound;
}

BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_TextImport)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_CompactionKernel)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void printBeside(const char* what, const Best& b, const char* bound, double goal) {
  if (!std::isfinite(b.measured) || !std::isfinite(b.bound)) return;  // left out by a filter
  std::printf("%-52s %8.0f ms   %-22s %8.0f ms   ratio %.2f (goal at most %.0f)\n", what, b.measured * 1e3, bound,
              b.bound * 1e3, b.measured / b.bound, goal);
  qvbench::recordGoal(what, b.measured / b.bound, goal);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  recording();
  importText();
  std::printf("import text of %lld lines x %d columns: %.1f MB\n", static_cast<long long>(kImportLines), kChannels,
              double(importText().size()) / 1e6);
  benchmark::RunSpecifiedBenchmarks();
  printBeside("csv of 40 x 6,100,000 cases with 32,500 markers", gCsv, "bare to_chars pass", 2);
  printBeside("import of 2,000,000 lines x 40 columns", gImport, "bare from_chars pass", 2);
  printBeside("compaction kernel, 40 x 6,100,000 cases by 16", gKernel, "one read pass", 3);
  benchmark::Shutdown();
  return 0;
}
