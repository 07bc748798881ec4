#pragma once
// Asking the system to back a large array with large pages: a full-size channel (24 MB) is then
// faulted in a few hundred steps instead of six thousand, which is most of the cost of filling
// fresh arrays. Only advice: the memory and its contents are the same either way.
#include <cstddef>

namespace qv::rt {

void adviseLargePages(void* start, size_t bytes);

}  // namespace qv::rt
