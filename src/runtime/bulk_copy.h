#pragma once
// Copying whole channels (tens of megabytes) as fast as the memory allows. A copy that size is
// not read again soon, so it is written past the cache: streaming stores need not read each
// destination line in before writing it, which a plain copy does. One core cannot keep the memory
// busy that way, so a long copy is shared between a few threads. Small copies stay plain ones.
#include <cstddef>

namespace qv::rt {

// memcpy's contract: the two ranges must not overlap. Every byte lands before this returns.
void copyBulk(void* to, const void* from, size_t bytes) noexcept;

}  // namespace qv::rt
