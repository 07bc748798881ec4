#include "runtime/parallel_runs.h"

#include <algorithm>
#include <atomic>
#include <system_error>
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

void forEachRun(size_t runs, unsigned threads, const std::function<void(size_t)>& work) {
  std::atomic<size_t> next{0};
  auto take = [&] {
    for (size_t r = next++; r < runs; r = next++) work(r);
  };
  std::vector<std::jthread> helpers;
  helpers.reserve(threads);
  try {
    for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(take);
  } catch (const std::system_error&) {
    // No more threads to be had: those started and this one share the work.
  }
  take();
}

}  // namespace qv::rt
