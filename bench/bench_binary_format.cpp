// Reading and writing a whole own-format binary file of 40 channels of 6,100,000 cases
// (about 1 GB), beside a plain copy of the same bytes into arrays already touched, taken in
// turns in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "datafiles/binary_format.h"
#include "full_size_file.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

using qvbench::kCases;
using qvbench::kChannels;
using qvbench::timed;

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
  state.SetIterationTime(seconds);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fileBytes().size()));
}

// The bound: the array bytes copied as they are into channel arrays already allocated and
// touched, so that it holds no page faults of its own.
void PlainCopy(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = fileBytes();
  const size_t arrayBytes = (size_t(kCases) + 1) * 4;
  static std::vector<std::vector<float>> arrays(kChannels + 1, std::vector<float>(size_t(kCases) + 1));
  for (auto _ : state) {
    state.SetIterationTime(timed([&] {
      // As many bytes as the arrays hold, from the end of the file.
      const uint8_t* src = bytes.data() + bytes.size() - size_t(kChannels) * arrayBytes;
      for (int c = 1; c <= kChannels; ++c)
        std::memcpy(arrays[size_t(c)].data(), src + size_t(c - 1) * arrayBytes, arrayBytes);
      benchmark::DoNotOptimize(arrays.data());
    }));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void DecodeBinaryFile(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = fileBytes();
  for (auto _ : state) {
    report(state, timed([&] {
      BinaryLoadResult r = decodeBinaryFile(bytes);
      if (!r.ok()) state.SkipWithError("file refused");
      benchmark::DoNotOptimize(r.file.channels.data());
    }));
  }
}

void SaveFPBinary(benchmark::State& state) {
  const auto ch = allChannels();
  const DataFileView view = viewOf(sourceFile());
  for (auto _ : state) {
    report(state, timed([&] {
      BinarySaveResult r = saveFPBinary(view, 0, kCases, ch, "01-01-2024", "00:00:00");
      benchmark::DoNotOptimize(r.bytes.data());
    }));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // The copy takes turns with the decode and the save; the best of each counts.
  constexpr int kRounds = 3;
  qvbench::registerRounds(kRounds, {{"PlainCopy", PlainCopy, 1, true},
                                    {"DecodeBinaryFile", DecodeBinaryFile, 1, true},
                                    {"SaveFPBinary", SaveFPBinary, 1, true}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  // A decode makes new channel arrays (their first touch is part of its work); a save swaps
  // every byte into a new buffer.
  qvbench::printBestRatio(reporter, "decoding the own binary format", kCases, "DecodeBinaryFile", "PlainCopy", 3);
  qvbench::printBestRatio(reporter, "saving the own binary format", kCases, "SaveFPBinary", "PlainCopy", 3);
  return 0;
}
