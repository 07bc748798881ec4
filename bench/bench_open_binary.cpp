// Opening an own-format binary file of 40 channels of 6,100,000 cases (976 MB) from a file
// on disk, as the open road reads it (detection from the first bytes, then the reader on
// the file), beside a plain buffered read of the same file into one buffer. The two runs
// alternate; the bound is the best of its runs. The open's peak memory is printed beside
// the file's size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "datafiles/binary_format.h"
#include "datafiles/file_source.h"
#include "datafiles/format_detect.h"
#include "full_size_file.h"
#include "ratio_reporter.h"

using namespace qv;

namespace {

constexpr int kRuns = 5;

// The recording on disk for the length of the run.
struct Recording {
  std::string path;
  uint64_t size = 0;
  Recording() {
    path = (std::filesystem::temp_directory_path() / ("qv-open-bench-" + std::to_string(getpid()) + ".KXdata")).string();
    const std::vector<uint8_t> bytes = qvbench::fullSizeFileBytes(qvbench::makeFullSizeFile());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    size = bytes.size();
  }
  ~Recording() { std::filesystem::remove(path); }
};

const Recording& recording() {
  static const Recording r;
  return r;
}

// The bound: the whole file read into one buffer with buffered reads.
size_t plainRead(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::vector<uint8_t> buffer(size_t(recording().size));
  const size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
  std::fclose(f);
  benchmark::DoNotOptimize(buffer.data());
  return got;
}

// What the open road does with the file before any window: detection, then the reader.
bool openFromDisk(const std::string& path) {
  std::optional<FileSource> file = FileSource::open(path);
  if (!file) return false;
  if (detectDataFormat(file->head(512)).type != kTypeOwnBinary) return false;
  BinaryLoadResult r = decodeBinaryFile(*file);
  benchmark::DoNotOptimize(r.file.channels.data());
  return r.ok() && r.file.nCases == qvbench::kCases;
}

long statusKilobytes(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return -1;
}

// The growth of the resident set at its peak while `work` runs, in bytes (-1 when the
// platform cannot tell).
template <class F>
long long peakGrowth(F&& work) {
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const long before = statusKilobytes("VmRSS:");
  work();
  const long peak = statusKilobytes("VmHWM:");
  return before < 0 || peak < 0 ? -1 : (peak - before) * 1024LL;
}

template <class F>
double seconds(F&& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_OpenBinaryFromDisk(benchmark::State& state) {
  const Recording& rec = recording();
  long long peak = -1;
  peak = peakGrowth([&] {
    if (!openFromDisk(rec.path)) state.SkipWithError("the file was refused");
  });
  double bound = 1e9, openTotal = 0;
  for (auto _ : state) {
    bound = std::min(bound, seconds([&] { plainRead(rec.path); }));
    openTotal += seconds([&] { openFromDisk(rec.path); });
    bound = std::min(bound, seconds([&] { plainRead(rec.path); }));
  }
  const double open = openTotal / double(state.iterations());
  state.counters["open_ms"] = open * 1e3;
  state.counters["plain_read_ms"] = bound * 1e3;
  state.counters["x_plain_read"] = open / bound;
  state.counters["file_MB"] = double(rec.size) / 1e6;
  state.counters["open_peak_MB"] = double(peak) / 1e6;
  state.counters["peak_over_file_MB"] = double(peak - (long long)rec.size) / 1e6;
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rec.size));
  std::printf("open %.0f ms = %.2f x plain read %.0f ms (goal <= 3); open peak %.0f MB for a file of %.0f MB (goal <= +64)\n",
              open * 1e3, open / bound, bound * 1e3, double(peak) / 1e6, double(rec.size) / 1e6);
  qvbench::recordGoal("open own binary file", open / bound, 3);
  qvbench::recordGoal("open own binary file: peak over the file, MB", double(peak - (long long)rec.size) / 1e6, 64);
}

}  // namespace

BENCHMARK(BM_OpenBinaryFromDisk)->Unit(benchmark::kMillisecond)->Iterations(kRuns);

BENCHMARK_MAIN();
