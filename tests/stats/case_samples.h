#pragma once
// Samples of a channel as the program keeps them, indexed by case from 1, for the tests of the
// block computations.
#include <initializer_list>
#include <vector>

namespace statstest {

// Entry 0 holds no sample, so it gets a value that would show if it were read.
inline std::vector<float> channel(std::initializer_list<float> values) {
  std::vector<float> v{-9999.0f};
  v.insert(v.end(), values);
  return v;
}

}  // namespace statstest
