#include "runtime/helper_threads.h"

namespace qv::rt {

HelperThreads::HelperThreads(unsigned count, void (*loop)(const void* context), const void* context) noexcept {
  try {
    threads_.reserve(count);
    for (unsigned t = 0; t < count; ++t) threads_.emplace_back(loop, context);
  } catch (...) {
    // Those started carry on; the caller's thread does the rest.
  }
}

}  // namespace qv::rt
