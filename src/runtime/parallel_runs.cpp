#include "runtime/parallel_runs.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

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
  std::vector<std::jthread> helpers;
  try {
    helpers.reserve(threads);
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(take);
  } catch (...) {
    // No more threads (or no memory for one): those started and this one share the work.
  }
  take();
}

}  // namespace qv::rt
