#include "runtime/parallel_runs.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "runtime/helper_threads.h"

namespace qv::rt {

namespace {

constexpr unsigned kMostThreads = 8;

}  // namespace

unsigned threadsForRuns(size_t runs) {
  const size_t most = std::min<size_t>({std::max(1u, std::thread::hardware_concurrency()), kMostThreads, runs});
  return unsigned(std::max<size_t>(most, 1));
}

void forEachRunOf(size_t runs, unsigned threads, void (*work)(const void* context, size_t run), const void* context) {
  std::atomic<size_t> next{0};
  auto take = [&] {
    for (size_t r = next++; r < runs; r = next++) work(context, r);
  };
  HelperThreads helpers(threads > 1 ? threads - 1 : 0, take);
  take();
}

}  // namespace qv::rt
