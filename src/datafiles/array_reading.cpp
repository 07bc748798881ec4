#include "datafiles/array_reading.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include "datafiles/binary_format.h"
#include "datafiles/load_fixes.h"

namespace qv {

namespace {

// Below this many bytes in all, starting threads costs more than it saves.
constexpr uint64_t kParallelFrom = uint64_t(16) << 20;
constexpr unsigned kMostThreads = 8;

bool fillOne(const ByteSource& source, uint64_t offset, float* a, size_t entries, bool bigEndianInFile) {
  if (!source.readAt(offset, a, entries * sizeof(float))) return false;
  // Entry 0 holds no sample; it is written in host order and stays so.
  samplesToHostInPlace(a + 1, entries - 1, bigEndianInFile);
  fixStartOfArray({a, entries});
  return true;
}

}  // namespace

bool fillArrays(const ByteSource& source, uint64_t offset, std::span<float* const> arrays, size_t entries,
                bool bigEndianInFile) {
  const uint64_t arrayBytes = uint64_t(entries) * sizeof(float);
  const uint64_t total = arrayBytes * arrays.size();
  unsigned threads = std::min<unsigned>({std::max(1u, std::thread::hardware_concurrency()), kMostThreads,
                                         unsigned(arrays.size())});
  if (total < kParallelFrom) threads = 1;

  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto work = [&] {
    for (size_t k = next++; k < arrays.size() && !failed; k = next++)
      if (!fillOne(source, offset + k * arrayBytes, arrays[k], entries, bigEndianInFile)) failed = true;
  };
  std::vector<std::jthread> helpers;
  helpers.reserve(threads);
  try {
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
  } catch (const std::system_error&) {
    // No more threads to be had: those started and this one share the work.
  }
  work();
  helpers.clear();
  return !failed;
}

}  // namespace qv
