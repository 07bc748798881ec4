#include "runtime/background_release.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

namespace qv::rt {

namespace {

class Releaser {
 public:
  // Throws where no thread could be started or the queue has no room; owner is then left as it was.
  void take(std::shared_ptr<void>& owner) {
    std::lock_guard lock(mutex_);
    if (!worker_.joinable()) worker_ = std::jthread([this](std::stop_token stop) { run(stop); });
    queue_.push_back(std::move(owner));
    wake_.notify_one();
  }

  ~Releaser() {
    if (!worker_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      worker_.request_stop();
    }
    wake_.notify_one();
    worker_.join();
  }

 private:
  // Frees what it is given until told to stop, and then whatever is still waiting.
  void run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return !queue_.empty() || stop.stop_requested(); });
      if (queue_.empty()) return;
      std::shared_ptr<void> owner = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      owner.reset();
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::shared_ptr<void>> queue_;
  std::jthread worker_;
};

}  // namespace

void releaseInBackground(std::shared_ptr<void> owner) noexcept {
  static Releaser releaser;
  if (!owner) return;
  try {
    releaser.take(owner);
    return;
  } catch (...) {
    // No thread or no room in the queue (which then leaves owner as it was): freed here.
  }
  owner.reset();
}

}  // namespace qv::rt
