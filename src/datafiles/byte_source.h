#pragma once
// Where a reader takes the bytes of a data file from: memory already holding them, or the
// file itself by positioned reads, so that a large file is never copied whole first.
#include <cstdint>
#include <cstring>
#include <span>

namespace qv {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t size() const = 0;
  // Copies `n` bytes starting at `offset` into `dst`. False, with `dst` unspecified, when
  // they cannot all be had. Safe to call from several threads at once.
  virtual bool readAt(uint64_t offset, void* dst, size_t n) const = 0;
};

class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  bool readAt(uint64_t offset, void* dst, size_t n) const override {
    if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
    if (n) std::memcpy(dst, bytes_.data() + offset, n);
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace qv
