// Reading and writing a whole own-format binary file of 40 channels of 6,100,000 cases
// (about 1 GB), beside a plain copy of the same bytes into fresh arrays, in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "datafiles/binary_format.h"
#include "full_size_file.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

using qvbench::kCases;
using qvbench::kChannels;
using qvbench::timed;

double gPlainSeconds = 0;

const DataFile& sourceFile() {
  static const DataFile f = qvbench::makeFullSizeFile();
  return f;
}

std::vector<int16_t> allChannels() {
  std::vector<int16_t> v;
  for (int c = 1; c <= kChannels; ++c) v.push_back(int16_t(c));
  return v;
}

const std::vector<uint8_t>& fileBytes() {
  static const std::vector<uint8_t> bytes = qvbench::fullSizeFileBytes(sourceFile());
  return bytes;
}

void report(benchmark::State& state, double seconds) {
  const double perIteration = seconds / double(state.iterations());
  state.counters["x_plain"] = gPlainSeconds > 0 ? perIteration / gPlainSeconds : 0;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fileBytes().size()));
}

// The bound: the array bytes copied as they are into freshly allocated channel arrays.
void BM_PlainCopy(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = fileBytes();
  const size_t arrayBytes = (size_t(kCases) + 1) * 4;
  double seconds = 0;
  for (auto _ : state) {
    seconds += timed([&] {
      std::vector<SampleArray> arrays(kChannels + 1);
      // As many bytes as the arrays hold, from the end of the file.
      const uint8_t* src = bytes.data() + bytes.size() - size_t(kChannels) * arrayBytes;
      for (int c = 1; c <= kChannels; ++c) {
        arrays[size_t(c)] = allocateSamples(kCases);
        std::memcpy(arrays[size_t(c)].get(), src + size_t(c - 1) * arrayBytes, arrayBytes);
      }
      benchmark::DoNotOptimize(arrays.data());
    });
  }
  gPlainSeconds = seconds / double(state.iterations());
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void BM_DecodeBinaryFile(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = fileBytes();
  double seconds = 0;
  for (auto _ : state) {
    seconds += timed([&] {
      BinaryLoadResult r = decodeBinaryFile(bytes);
      if (!r.ok()) state.SkipWithError("file refused");
      benchmark::DoNotOptimize(r.file.channels.data());
    });
  }
  report(state, seconds);
}

void BM_SaveFPBinary(benchmark::State& state) {
  const auto ch = allChannels();
  const DataFileView view = viewOf(sourceFile());
  double seconds = 0;
  for (auto _ : state) {
    seconds += timed([&] {
      BinarySaveResult r = saveFPBinary(view, 0, kCases, ch, "01-01-2024", "00:00:00");
      benchmark::DoNotOptimize(r.bytes.data());
    });
  }
  report(state, seconds);
}

}  // namespace

BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DecodeBinaryFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveFPBinary)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
