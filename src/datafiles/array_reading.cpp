#include "datafiles/array_reading.h"

#include <algorithm>
#include <atomic>

#include "datafiles/binary_format.h"
#include "datafiles/load_fixes.h"
#include "runtime/parallel_runs.h"

namespace qv {

namespace {

// Below this many bytes in all, starting threads costs more than it saves.
constexpr uint64_t kParallelFrom = uint64_t(16) << 20;

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
  const unsigned threads = arrayBytes * arrays.size() < kParallelFrom ? 1 : rt::threadsForRuns(arrays.size());
  std::atomic<bool> failed{false};
  rt::forEachRun(arrays.size(), threads, [&](size_t k) {
    if (!failed && !fillOne(source, offset + k * arrayBytes, arrays[k], entries, bigEndianInFile)) failed = true;
  });
  return !failed;
}

}  // namespace qv
