#pragma once
// The reading bound of the text benchmarks: every number of a text through std::from_chars into
// a T, the bytes between numbers skipped, summed so that none of it can be left out.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <system_error>
#include <vector>

namespace qvbench {

template <class T>
void fromCharsPass(const std::vector<uint8_t>& text) {
  const char* p = reinterpret_cast<const char*>(text.data());
  const char* const end = p + text.size();
  double sum = 0;
  while (p < end) {
    if (!((*p >= '0' && *p <= '9') || *p == '-' || *p == '.')) {
      ++p;
      continue;
    }
    T v = 0;
    const std::from_chars_result r = std::from_chars(p, end, v);
    if (r.ec != std::errc()) {
      ++p;
      continue;
    }
    sum += double(v);
    p = r.ptr;
  }
  benchmark::DoNotOptimize(sum);
}

}  // namespace qvbench
