// Edits that change a file's shape, at full size (40 channels of 6,100,000 cases): a block
// cut from every channel and a crop beside one memmove of the same bytes; re-arranging
// (its backup file written, then the channels moved) beside saveFPBinary of the file alone;
// deleting 20 channels beside copying one. Bound and work take turns; the best of each counts.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "full_size_file.h"
#include "ratio_reporter.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "datafiles/datafile.h"
#include "editing/file_reshape.h"
#include "editing/slot_reshape.h"
#include "runtime/files.h"

using namespace qv;

namespace {

constexpr int32_t kCases = qvbench::kCases;
constexpr int kChannels = qvbench::kChannels;
constexpr int32_t kCutFirst = 1000001, kCutLast = 2000000;
constexpr int32_t kCropFirst = 1000001, kCropLast = 5000000;

// The full-size file in slot 0 of the table, made once; a deletion's channels are put back.
void makeSlot() {
  static bool made = false;
  if (!made) {
    made = true;
    prefsArray[44] = 0;
    prefsArray[7] = 0;
    DataFile d = qvbench::makeFullSizeFile();
    for (int c = 1; c <= kChannels; ++c) d.meta.labels[size_t(c)] = "chan " + std::to_string(c);
    commitDataFile(std::move(d), 0);
    TheFileInUse = 0;
  }
  for (int c = nChannels[0] + 1; c <= kChannels; ++c) {
    gPointersToFileData[0][c] = allocateSamples(kCases);
    std::memset(channelData(0, c), 0, (size_t(kCases) + 1) * sizeof(float));
  }
  nChannels[0] = kChannels;
  nCases[0] = kCases;
}

std::span<float> channel(int c) { return {channelData(0, c), size_t(kCases) + 1}; }

void moveBytes(int32_t to, int32_t from, int32_t count) {
  for (int c = 1; c <= kChannels; ++c)
    std::memmove(channelData(0, c) + to, channelData(0, c) + from, size_t(count) * sizeof(float));
  benchmark::ClobberMemory();
}

void CutBound(benchmark::State& state) {
  makeSlot();
  for (auto _ : state) moveBytes(kCutFirst, kCutLast + 1, kCases - kCutLast);
}

void Cut(benchmark::State& state) {
  makeSlot();
  for (auto _ : state) {
    for (int c = 1; c <= kChannels; ++c) benchmark::DoNotOptimize(reshape::cutCases(channel(c), kCutFirst, kCutLast));
    benchmark::ClobberMemory();
  }
}

void CropBound(benchmark::State& state) {
  makeSlot();
  for (auto _ : state) moveBytes(1, kCropFirst, kCropLast - kCropFirst + 1);
}

void Crop(benchmark::State& state) {
  makeSlot();
  for (auto _ : state) {
    for (int c = 1; c <= kChannels; ++c) reshape::cropCases(channel(c), kCropFirst, kCropLast);
    benchmark::ClobberMemory();
  }
}

void SaveBound(benchmark::State& state) {
  makeSlot();
  std::vector<int16_t> all;
  for (int c = 1; c <= kChannels; ++c) all.push_back(int16_t(c));
  for (auto _ : state) {
    FileMeta meta;
    const BinarySaveResult r = saveFPBinary(viewOfSlot(0, meta), 0, kCases, all, StartDate[0], StartTime[0]);
    benchmark::DoNotOptimize(r.bytes.data());
  }
}

void Rearrange(benchmark::State& state) {
  makeSlot();
  const std::string path = "/tmp/qv_bench_RearrangeBackup.KXdata";
  std::vector<int16_t> reversed;
  for (int c = kChannels; c >= 1; --c) reversed.push_back(int16_t(c));
  for (auto _ : state) {
    std::string error;
    if (!writeBackupFile(0, path, error)) state.SkipWithError(error.c_str());
    rearrangeChannels(0, reversed);
  }
}

void CopyOneBound(benchmark::State& state) {
  makeSlot();
  static std::vector<float> copy(size_t(kCases) + 1);
  for (auto _ : state) {
    std::memcpy(copy.data(), channelData(0, 1), copy.size() * sizeof(float));
    benchmark::ClobberMemory();
  }
}

void DeleteTwenty(benchmark::State& state) {
  std::array<bool, kChannels + 1> ticked{};
  for (int c = 1; c <= kChannels; c += 2) ticked[size_t(c)] = true;
  for (auto _ : state) {
    state.PauseTiming();
    makeSlot();
    state.ResumeTiming();
    benchmark::DoNotOptimize(deleteChannels(0, ticked));
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qvbench::registerRounds(3, "CutBound", CutBound, "Cut", Cut);
  qvbench::registerRounds(3, "CropBound", CropBound, "Crop", Crop);
  qvbench::registerRounds(3, "SaveBound", SaveBound, "Rearrange", Rearrange);
  // Each deletion's 20 channels are made again, untimed, before it: a fixed count of deletions
  // keeps that making from taking minutes now that the deletion itself is quick.
  qvbench::registerRounds(3, {{"CopyOneBound", CopyOneBound}, {"DeleteTwenty", DeleteTwenty, 300}});
  qvbench::BestRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::remove("/tmp/qv_bench_RearrangeBackup.KXdata");
  qvbench::printBestRatio(reporter, "cutting a block from 40 channels", kCases, "Cut", "CutBound", 1.5);
  qvbench::printBestRatio(reporter, "cropping 40 channels", kCases, "Crop", "CropBound", 1.5);
  qvbench::printBestRatio(reporter, "re-arranging 40 channels", kCases, "Rearrange", "SaveBound", 1.2);
  qvbench::printBestRatio(reporter, "deleting 20 of 40 channels", kCases, "DeleteTwenty", "CopyOneBound", 0.1);
  return 0;
}
