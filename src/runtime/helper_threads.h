#pragma once
// Helper threads for long work: up to a given count, each running one loop until it returns, all
// joined when the helpers go. Where a thread cannot be started (the system has no more, or no
// memory for one) the helpers are those that did start, so the caller's own thread must always be
// able to finish the work alone.
#include <thread>
#include <vector>

namespace qv::rt {

class HelperThreads {
 public:
  HelperThreads(unsigned count, void (*loop)(const void* context), const void* context) noexcept;

  // loop() on each helper; loop must outlive the helpers and must not throw.
  template <class Loop>
  HelperThreads(unsigned count, const Loop& loop) noexcept
      : HelperThreads(count, [](const void* context) { (*static_cast<const Loop*>(context))(); }, &loop) {}

  HelperThreads(const HelperThreads&) = delete;
  HelperThreads& operator=(const HelperThreads&) = delete;

  unsigned started() const { return unsigned(threads_.size()); }

 private:
  std::vector<std::jthread> threads_;
};

}  // namespace qv::rt
