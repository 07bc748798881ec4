#pragma once
// Long, independent work shared between this thread and helper threads, a run at a time. The runs
// must not depend on one another; whatever has to come out in order is the caller's to gather.
#include <cstddef>
#include <functional>

namespace qv::rt {

// The threads (this one included) worth starting for `runs` runs of work: as many as the machine
// has, at most 8, never more than the runs.
unsigned threadsForRuns(size_t runs);

// work(r) for every run r in 0..runs-1, on up to `threads` threads (this one among them); returns
// when every run is done. Where no helper can be started, this thread does the rest.
void forEachRun(size_t runs, unsigned threads, const std::function<void(size_t)>& work);

}  // namespace qv::rt
