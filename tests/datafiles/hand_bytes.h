#pragma once
// Data files put together byte by byte from the layout, for tests that must not trust the
// program's own writer.
#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "datafiles/datafile.h"

namespace qvtest {

struct HandBytes {
  std::vector<uint8_t> b;

  HandBytes& text(std::string_view s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  HandBytes& cr() { return u8(13); }
  HandBytes& u8(uint8_t v) {
    b.push_back(v);
    return *this;
  }
  HandBytes& i16(int v) { return be(uint16_t(v), 2); }
  HandBytes& i32(int32_t v) { return be(uint32_t(v), 4); }
  HandBytes& f32(float v) { return be(std::bit_cast<uint32_t>(v), 4); }
  HandBytes& f32le(float v) {
    const uint32_t w = std::bit_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(w >> (8 * i)));
    return *this;
  }
  HandBytes& i32le(uint32_t w) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(w >> (8 * i)));
    return *this;
  }
  HandBytes& padded(std::string_view s, size_t n) {
    for (size_t i = 0; i < n; ++i) b.push_back(i < s.size() ? uint8_t(s[i]) : uint8_t(' '));
    return *this;
  }
  HandBytes& zeros(size_t n) {
    b.insert(b.end(), n, 0);
    return *this;
  }
  size_t size() const { return b.size(); }

 private:
  HandBytes& be(uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
    return *this;
  }
};

// A file of `cases` cases and `channels` channels with plausible samples (no tiny or huge
// values near the start, entry 0 equal to case 1), labels, file values, a comment, three
// markers (the last at the last case) and two notes.
qv::DataFile sampleFile(int32_t cases, int channels);

// Same counts, samples bit for bit, and the same description.
void expectSameFile(const qv::DataFile& a, const qv::DataFile& b);

}  // namespace qvtest
