#include "datafiles/file_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

std::optional<FileSource> FileSource::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
    ::close(fd);
    return std::nullopt;
  }
  return FileSource(fd, uint64_t(st.st_size));
}

FileSource::FileSource(FileSource&& other) noexcept : fd_(other.fd_), size_(other.size_), mapping_(other.mapping_) {
  other.fd_ = -1;
  other.mapping_ = nullptr;
}

FileSource::~FileSource() {
  if (mapping_) ::munmap(mapping_, size_t(size_));
  if (fd_ >= 0) ::close(fd_);
}

bool FileSource::readAt(uint64_t offset, void* dst, size_t n) const {
  if (offset > size_ || n > size_ - offset) return false;
  auto* p = static_cast<uint8_t*>(dst);
  while (n > 0) {
    // Large reads come back in pieces; an interrupted one is simply asked again.
    const ssize_t got = ::pread(fd_, p, n, off_t(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    offset += uint64_t(got);
    n -= size_t(got);
  }
  return true;
}

std::vector<uint8_t> FileSource::head(size_t n) const {
  std::vector<uint8_t> bytes(size_t(std::min<uint64_t>(n, size_)));
  if (!readAt(0, bytes.data(), bytes.size())) bytes.clear();
  return bytes;
}

std::optional<std::span<const uint8_t>> FileSource::map() {
  if (size_ == 0) return std::span<const uint8_t>{};
  if (size_ > uint64_t(SIZE_MAX)) return std::nullopt;
  if (!mapping_) {
    void* m = ::mmap(nullptr, size_t(size_), PROT_READ, MAP_PRIVATE, fd_, 0);
    if (m == MAP_FAILED) return std::nullopt;
    ::madvise(m, size_t(size_), MADV_SEQUENTIAL);
    mapping_ = m;
  }
  return std::span<const uint8_t>(static_cast<const uint8_t*>(mapping_), size_t(size_));
}

}  // namespace qv
