// Sample arrays between file bytes and host floats, a whole array at a time. The loops
// work on fixed groups so the compiler turns them into vector byte shuffles.
#include <bit>
#include <cstring>

#include "datafiles/binary_format.h"

namespace qv {

namespace {

constexpr size_t kGroup = 16;

inline uint32_t toBig(uint32_t v) {
  if constexpr (std::endian::native == std::endian::little) return __builtin_bswap32(v);
  return v;
}
inline uint32_t toLittle(uint32_t v) {
  if constexpr (std::endian::native == std::endian::big) return __builtin_bswap32(v);
  return v;
}

template <uint32_t (*Order)(uint32_t)>
void convert(uint8_t* dst, const uint8_t* src, size_t n) {
  size_t i = 0;
  for (; i + kGroup <= n; i += kGroup) {
    uint32_t w[kGroup];
    std::memcpy(w, src + 4 * i, sizeof w);
    for (size_t k = 0; k < kGroup; ++k) w[k] = Order(w[k]);
    std::memcpy(dst + 4 * i, w, sizeof w);
  }
  for (; i < n; ++i) {
    uint32_t w;
    std::memcpy(&w, src + 4 * i, 4);
    w = Order(w);
    std::memcpy(dst + 4 * i, &w, 4);
  }
}

}  // namespace

void storeSamplesBigEndian(uint8_t* dst, const float* src, size_t n) {
  convert<toBig>(dst, reinterpret_cast<const uint8_t*>(src), n);
}
void storeSamplesLittleEndian(uint8_t* dst, const float* src, size_t n) {
  if constexpr (std::endian::native == std::endian::little) {
    if (n) std::memcpy(dst, src, 4 * n);
  } else {
    convert<toLittle>(dst, reinterpret_cast<const uint8_t*>(src), n);
  }
}

void samplesToHostInPlace(float* samples, size_t n, bool bigEndianInFile) {
  if (bigEndianInFile == (std::endian::native == std::endian::big)) return;
  auto* p = reinterpret_cast<uint8_t*>(samples);
  // Either order is a plain reversal of each value's bytes when it is not the host's.
  if (bigEndianInFile)
    convert<toBig>(p, p, n);
  else
    convert<toLittle>(p, p, n);
}

float SwapSingleBigToHost(uint32_t bits) { return std::bit_cast<float>(__builtin_bswap32(bits)); }

}  // namespace qv
