#pragma once
// Four float lanes in the compiler's vector extension (GCC and Clang): scans over millions of
// samples keep one running result per lane and merge the lanes at the end. A comparison of two
// lane vectors gives a mask lane of all ones where it holds.
#include <cstdint>
#include <cstring>

namespace qv::plot::lanes {

using F4 = float __attribute__((vector_size(16)));
using I4 = int32_t __attribute__((vector_size(16)));

inline F4 load(const float* p) {
  F4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline F4 splat(float v) { return F4{v, v, v, v}; }
inline I4 splat(int32_t v) { return I4{v, v, v, v}; }

// Lanes of a where m is set, of b elsewhere, bit for bit.
inline F4 select(I4 m, F4 a, F4 b) { return F4((I4(a) & m) | (I4(b) & ~m)); }
inline I4 select(I4 m, I4 a, I4 b) { return (a & m) | (b & ~m); }

}  // namespace qv::plot::lanes
