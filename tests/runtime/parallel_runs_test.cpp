// Work shared between threads a run at a time, and memory freed behind the caller.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "runtime/background_release.h"
#include "runtime/parallel_runs.h"

using namespace qv;

namespace {

TEST(ParallelRuns, EveryRunIsDoneOnceWhateverTheThreads) {
  for (const unsigned threads : {1u, 3u, 8u, 64u}) {
    std::vector<std::atomic<int>> seen(1000);
    rt::forEachRun(seen.size(), threads, [&](size_t r) { ++seen[r]; });
    for (size_t r = 0; r < seen.size(); ++r) ASSERT_EQ(seen[r].load(), 1) << threads << " threads, run " << r;
  }
  rt::forEachRun(0, 4, [](size_t) { FAIL() << "no run to do"; });
  EXPECT_GE(rt::threadsForRuns(100), 1u);
  EXPECT_LE(rt::threadsForRuns(100), 8u);
  EXPECT_EQ(rt::threadsForRuns(1), 1u);
  EXPECT_EQ(rt::threadsForRuns(0), 1u);
}

// What is handed over is freed, in order, without the caller waiting for it.
TEST(BackgroundRelease, WhatIsHandedOverIsFreedInOrder) {
  // Shared with the deleters, which may outlive a failed wait.
  auto order = std::make_shared<std::vector<int>>();
  auto freed = std::make_shared<std::atomic<int>>(0);
  for (int i = 0; i < 5; ++i) {
    std::shared_ptr<void> owner(new int(i), [order, freed](void* p) {
      order->push_back(*static_cast<int*>(p));
      delete static_cast<int*>(p);
      ++*freed;
    });
    rt::releaseInBackground(std::move(owner));
  }
  rt::releaseInBackground(nullptr);
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (freed->load() < 5 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(freed->load(), 5);
  EXPECT_EQ(*order, (std::vector<int>{0, 1, 2, 3, 4}));
}

}  // namespace
