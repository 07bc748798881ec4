#pragma once
// A data file opened for reading in place: its size, positioned reads straight into the
// caller's memory, and a read-only mapping for readers that walk the whole text.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "datafiles/byte_source.h"

namespace qv {

class FileSource final : public ByteSource {
 public:
  // Nothing when `path` is not a regular file that can be opened for reading.
  static std::optional<FileSource> open(const std::string& path);

  FileSource(FileSource&& other) noexcept;
  FileSource& operator=(FileSource&&) = delete;
  FileSource(const FileSource&) = delete;
  ~FileSource() override;

  uint64_t size() const override { return size_; }
  bool readAt(uint64_t offset, void* dst, size_t n) const override;

  // The first `n` bytes (fewer when the file is shorter; empty when they cannot be read).
  std::vector<uint8_t> head(size_t n) const;
  // The whole file, mapped read-only for as long as this object lives. Nothing when it
  // cannot be mapped; an empty file maps to an empty span.
  std::optional<std::span<const uint8_t>> map();

 private:
  FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  int fd_ = -1;
  uint64_t size_ = 0;
  void* mapping_ = nullptr;
};

}  // namespace qv
