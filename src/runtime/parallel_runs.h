#pragma once
// Long, independent work shared between this thread and helper threads, a run at a time. The runs
// must not depend on one another; whatever has to come out in order is the caller's to gather.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace qv::rt {

// The threads (this one included) worth starting for `runs` runs of work: as many as the machine
// has, at most 8, never more than the runs.
unsigned threadsForRuns(size_t runs);

// work(r) for every run r in 0..runs-1, on up to `threads` threads (this one among them); returns
// when every run is done. Where no helper can be started, this thread does the rest. work must
// not throw: a helper thread has nobody to hand an exception to.
template <class Work>
void forEachRun(size_t runs, unsigned threads, const Work& work);

// The same through a plain function and its context; what forEachRun calls.
void forEachRunOf(size_t runs, unsigned threads, void (*work)(const void* context, size_t run), const void* context);

template <class Work>
void forEachRun(size_t runs, unsigned threads, const Work& work) {
  forEachRunOf(
      runs, threads, [](const void* context, size_t run) { (*static_cast<const Work*>(context))(run); }, &work);
}

// Cases first..last in runs of runLength (the last one shorter): work(from, to) for each run, shared
// between threads where the range holds at least threadsFrom cases.
template <class Work>
void forEachRunOfCases(int64_t first, int64_t last, int64_t runLength, int64_t threadsFrom, const Work& work) {
  if (last < first || runLength < 1) return;
  const size_t runs = size_t((last - first) / runLength) + 1;
  const unsigned threads = last - first + 1 < threadsFrom ? 1 : threadsForRuns(runs);
  forEachRun(runs, threads, [&](size_t r) {
    const int64_t from = first + int64_t(r) * runLength;
    work(from, std::min(last, from + (runLength - 1)));
  });
}

}  // namespace qv::rt
