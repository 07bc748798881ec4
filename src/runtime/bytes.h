#pragma once
// Explicit byte layouts: big- and little-endian readers and writers over byte buffers.
// A reader never reads past its end; a short read sets `failed` and yields zeros.
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::rt {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  size_t pos() const { return pos_; }
  size_t size() const { return data_.size(); }
  size_t remaining() const { return data_.size() - pos_; }
  bool failed() const { return failed_; }
  bool atEnd() const { return pos_ >= data_.size(); }
  void seek(size_t p) {
    if (p > data_.size()) {
      failed_ = true;
      p = data_.size();
    }
    pos_ = p;
  }
  bool skip(size_t n) {
    if (n > remaining()) {
      failed_ = true;
      pos_ = data_.size();
      return false;
    }
    pos_ += n;
    return true;
  }
  // The next n bytes, or an empty span (and failed) when fewer remain.
  std::span<const uint8_t> take(size_t n) {
    if (n > remaining()) {
      failed_ = true;
      pos_ = data_.size();
      return {};
    }
    auto s = data_.subspan(pos_, n);
    pos_ += n;
    return s;
  }
  uint8_t u8() {
    auto s = take(1);
    return s.empty() ? 0 : s[0];
  }
  uint16_t u16be() { return uint16_t(be(2)); }
  uint32_t u32be() { return uint32_t(be(4)); }
  int16_t i16be() { return int16_t(u16be()); }
  int32_t i32be() { return int32_t(u32be()); }
  float f32be() { return std::bit_cast<float>(u32be()); }
  uint16_t u16le() { return uint16_t(le(2)); }
  uint32_t u32le() { return uint32_t(le(4)); }
  int16_t i16le() { return int16_t(u16le()); }
  int32_t i32le() { return int32_t(u32le()); }
  float f32le() { return std::bit_cast<float>(u32le()); }
  double f64le() { return std::bit_cast<double>(le(8)); }
  std::string bytes(size_t n) {
    auto s = take(n);
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
  }

 private:
  uint64_t be(size_t n) {
    auto s = take(n);
    uint64_t v = 0;
    for (uint8_t b : s) v = (v << 8) | b;
    return v;
  }
  uint64_t le(size_t n) {
    auto s = take(n);
    uint64_t v = 0;
    for (size_t i = s.size(); i > 0; --i) v = (v << 8) | s[i - 1];
    return v;
  }
  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  bool failed_ = false;
};

class ByteWriter {
 public:
  std::vector<uint8_t>& buffer() { return buf_; }
  const std::vector<uint8_t>& buffer() const { return buf_; }
  std::vector<uint8_t> take() { return std::move(buf_); }
  size_t size() const { return buf_.size(); }
  void reserve(size_t n) { buf_.reserve(n); }

  void u8(uint8_t v) { buf_.push_back(v); }
  void u16be(uint16_t v) { be(v, 2); }
  void u32be(uint32_t v) { be(v, 4); }
  void i16be(int16_t v) { be(uint16_t(v), 2); }
  void i32be(int32_t v) { be(uint32_t(v), 4); }
  void f32be(float v) { be(std::bit_cast<uint32_t>(v), 4); }
  void u16le(uint16_t v) { le(v, 2); }
  void u32le(uint32_t v) { le(v, 4); }
  void i16le(int16_t v) { le(uint16_t(v), 2); }
  void i32le(int32_t v) { le(uint32_t(v), 4); }
  void f32le(float v) { le(std::bit_cast<uint32_t>(v), 4); }
  void f64le(double v) { le(std::bit_cast<uint64_t>(v), 8); }
  void bytes(std::string_view s) { buf_.insert(buf_.end(), s.begin(), s.end()); }
  void bytes(std::span<const uint8_t> s) { buf_.insert(buf_.end(), s.begin(), s.end()); }
  // A fixed-length field: the text cut or blank-padded to n bytes.
  void fixedText(std::string_view s, size_t n) {
    for (size_t i = 0; i < n; ++i) buf_.push_back(i < s.size() ? uint8_t(s[i]) : uint8_t(' '));
  }

 private:
  void be(uint64_t v, size_t n) {
    for (size_t i = n; i > 0; --i) buf_.push_back(uint8_t(v >> (8 * (i - 1))));
  }
  void le(uint64_t v, size_t n) {
    for (size_t i = 0; i < n; ++i) buf_.push_back(uint8_t(v >> (8 * i)));
  }
  std::vector<uint8_t> buf_;
};

// Swaps an array of 32-bit words between big-endian file order and the machine's order.
inline void swapWords32(void* data, size_t count) {
  if constexpr (std::endian::native == std::endian::little) {
    auto* p = static_cast<uint32_t*>(data);
    for (size_t i = 0; i < count; ++i) p[i] = __builtin_bswap32(p[i]);
  }
}

}  // namespace qv::rt
