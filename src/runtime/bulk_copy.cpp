#include "runtime/bulk_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "runtime/parallel_runs.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv::rt {

namespace {

// Below this a copy is left to memcpy: it may well fit in the cache, and whoever asked for it
// may read it from there.
constexpr size_t kBulkFrom = size_t(8) << 20;
constexpr size_t kRunBytes = size_t(1) << 20;
// Past four threads the streams only crowd one another.
constexpr unsigned kMostThreads = 4;

void streamCopy(char* to, const char* from, size_t bytes) {
#if defined(__SSE2__)
  const size_t lead = std::min(bytes, size_t(-reinterpret_cast<uintptr_t>(to) & 15u));
  std::memcpy(to, from, lead);
  size_t i = lead;
  for (; i + 64 <= bytes; i += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i + 48));
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + i), a);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + i + 16), b);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + i + 32), c);
    _mm_stream_si128(reinterpret_cast<__m128i*>(to + i + 48), d);
  }
  std::memcpy(to + i, from + i, bytes - i);
  // Streaming stores are not ordered with the rest: fence them before the run counts as done.
  _mm_sfence();
#else
  std::memcpy(to, from, bytes);
#endif
}

struct Copy {
  char* to;
  const char* from;
  size_t bytes;
};

}  // namespace

void copyBulk(void* to, const void* from, size_t bytes) noexcept {
  if (bytes < kBulkFrom) {
    if (bytes) std::memcpy(to, from, bytes);
    return;
  }
  const Copy copy{static_cast<char*>(to), static_cast<const char*>(from), bytes};
  const size_t runs = (bytes + kRunBytes - 1) / kRunBytes;
  forEachRun(runs, std::min(kMostThreads, threadsForRuns(runs)), [&copy](size_t r) {
    const size_t at = r * kRunBytes;
    streamCopy(copy.to + at, copy.from + at, std::min(kRunBytes, copy.bytes - at));
  });
}

}  // namespace qv::rt
