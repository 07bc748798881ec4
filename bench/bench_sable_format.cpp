// Reading and writing a Sable ExpeData file of 40 channels of 6,100,000 cases (976 MB) on
// disk: the reader on the file as the open road runs it, beside a plain buffered read of the
// same bytes; the writer streaming to the disk as the save road runs it, beside a plain
// write of the same bytes. The runs alternate; each side is the best of its runs, so both
// meet the machine at its least loaded.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "datafiles/file_source.h"
#include "datafiles/sable_format.h"
#include "ratio_reporter.h"
#include "runtime/atomic_file.h"
#include "full_size_file.h"

using namespace qv;

namespace {

constexpr int32_t kCases = kMaxCases;
constexpr int kChannels = kMaxChannels;

std::string tempPath(const char* what) {
  return (std::filesystem::temp_directory_path() / ("qv-sable-bench-" + std::to_string(getpid()) + what)).string();
}

struct Recording {
  DataFile file;
  std::vector<int16_t> channels;
  std::string path = tempPath(".RIVozar");
  uint64_t size = 0;
  Recording() {
    file = qvbench::makeFullSizeFile();
    file.meta.info[1] = 1.0f;
    file.meta.startDate = "01-01-2024";
    file.meta.startTime = "00:00:00";
    for (int16_t c = 1; c <= kChannels; ++c) channels.push_back(c);
    writeToDisk(path);
    size = std::filesystem::file_size(path);
  }
  ~Recording() {
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".again");
    std::filesystem::remove(path + ".plain");
  }
  bool writeToDisk(const std::string& to) const {
    rt::AtomicFileWriter out(to);
    if (out.failed()) return false;
    const std::string error = writeSableFile(
        viewOf(file), 0, kCases, channels,
        [&out](std::span<const uint8_t> chunk) { return out.write(chunk.data(), chunk.size()); }, {});
    return error.empty() && out.commit();
  }
};

const Recording& recording() {
  static const Recording r;
  return r;
}

// The bound: the whole file read into a buffer already allocated and touched, as the open's
// bound reads (a fresh buffer would add the kernel's zero-filling of 1 GB to the bound).
size_t plainRead(const std::string& path, std::vector<uint8_t>& buffer) {
  buffer.resize(size_t(recording().size));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  const size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
  std::fclose(f);
  benchmark::DoNotOptimize(buffer.data());
  return got;
}

bool plainWrite(const std::string& path, const std::vector<uint8_t>& buffer) {
  rt::AtomicFileWriter out(path);
  return out.write(buffer.data(), buffer.size()) && out.commit();
}

bool readFromDisk(const std::string& path) {
  std::optional<FileSource> file = FileSource::open(path);
  if (!file) return false;
  SableLoadResult r = decodeSableFile(*file);
  benchmark::DoNotOptimize(r.file.channels.data());
  return r.ok() && r.file.nCases == kCases;
}

template <class F>
double seconds(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_ReadSableFromDisk(benchmark::State& state) {
  const Recording& rec = recording();
  std::vector<uint8_t> buffer(size_t(rec.size));
  double bound = 1e9, read = 1e9;
  for (auto _ : state) {
    bound = std::min(bound, seconds([&] { plainRead(rec.path, buffer); }));
    read = std::min(read, seconds([&] {
      if (!readFromDisk(rec.path)) state.SkipWithError("the file was refused");
    }));
  }
  state.counters["read_ms"] = read * 1e3;
  state.counters["plain_read_ms"] = bound * 1e3;
  state.counters["x_plain_read"] = read / bound;
  state.counters["file_MB"] = double(rec.size) / 1e6;
  qvbench::recordGoal("Sable read beside a plain read", read / bound, 2);
}

void BM_WriteSableToDisk(benchmark::State& state) {
  const Recording& rec = recording();
  std::vector<uint8_t> buffer(size_t(rec.size));
  plainRead(rec.path, buffer);
  double bound = 1e9, write = 1e9;
  for (auto _ : state) {
    bound = std::min(bound, seconds([&] { plainWrite(rec.path + ".plain", buffer); }));
    write = std::min(write, seconds([&] {
      if (!rec.writeToDisk(rec.path + ".again")) state.SkipWithError("the file was not written");
    }));
  }
  state.counters["write_ms"] = write * 1e3;
  state.counters["plain_write_ms"] = bound * 1e3;
  state.counters["x_plain_write"] = write / bound;
  qvbench::recordGoal("Sable write beside a plain write", write / bound, 2);
}

}  // namespace

BENCHMARK(BM_ReadSableFromDisk)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WriteSableToDisk)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK_MAIN();
