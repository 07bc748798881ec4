#include "runtime/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "runtime/files.h"

namespace qv::rt {

namespace {

int gInjectedFailures = 0;

}  // namespace

void injectWriteFailures(int count) { gInjectedFailures = count; }

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
  const std::string dir = folderOf(path_);
  const std::string pattern = (dir.empty() ? std::string(".") : dir) + "/." + fileNameOf(path_) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = mkstemp(name.data());
  if (fd_ < 0) {
    error_ = "cannot create a file in " + dir + ": " + std::strerror(errno);
    failed_ = true;
    return;
  }
  temp_ = name.data();
  if (gInjectedFailures > 0) {
    --gInjectedFailures;
    fail("cannot write " + path_);
  }
}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

void AtomicFileWriter::fail(std::string why) {
  if (!failed_) error_ = std::move(why);
  failed_ = true;
}

void AtomicFileWriter::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) std::remove(temp_.c_str());
  temp_.clear();
}

bool AtomicFileWriter::write(const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (!failed_ && size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      fail("cannot write " + path_ + (n < 0 ? std::string(": ") + std::strerror(errno) : std::string()));
      break;
    }
    p += n;
    size -= size_t(n);
    written_ += size_t(n);
  }
  // Start putting what has been written on the disk while the rest is made, so that the
  // commit's fsync waits only for the last stretch instead of the whole file.
  if (!failed_ && written_ - flushed_ >= kWritebackStretch) {
    ::sync_file_range(fd_, off_t(flushed_), off_t(written_ - flushed_), SYNC_FILE_RANGE_WRITE);
    flushed_ = written_;
  }
  return !failed_;
}

bool AtomicFileWriter::commit() {
  if (!failed_ && ::fsync(fd_) != 0) fail("cannot write " + path_ + ": " + std::strerror(errno));
  if (fd_ >= 0 && ::close(fd_) != 0) fail("cannot write " + path_);
  fd_ = -1;
  if (!failed_) {
    ::chmod(temp_.c_str(), 0644);
    if (std::rename(temp_.c_str(), path_.c_str()) == 0) {
      temp_.clear();
      return true;
    }
    fail("cannot write " + path_ + ": " + std::strerror(errno));
  }
  discard();
  return false;
}

bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
  AtomicFileWriter out(path);
  if (out.write(data, size) && out.commit()) return true;
  if (error) *error = out.error();
  return false;
}

bool writeFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  return writeFileAtomic(path, bytes.data(), bytes.size(), error);
}

}  // namespace qv::rt
