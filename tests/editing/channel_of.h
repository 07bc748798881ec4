#pragma once
// A channel for the baseline tests: entries 0..n of value(i), entry 0 included.
#include <cstdint>
#include <functional>
#include <vector>

inline std::vector<float> channel(int32_t n, const std::function<float(int32_t)>& value) {
  std::vector<float> v(size_t(n) + 1);
  for (int32_t i = 0; i <= n; ++i) v[size_t(i)] = value(i);
  return v;
}
