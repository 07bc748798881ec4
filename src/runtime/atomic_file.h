#pragma once
// A file written piece by piece into a temporary in the same folder and renamed over the
// target only when it is complete, so a failed or abandoned write leaves any file already
// there as it was. writeFileAtomic (files.h) is the one-piece form.
#include <cstddef>
#include <string>

namespace qv::rt {

class AtomicFileWriter {
 public:
  // Creates the temporary; failed() says when it could not.
  explicit AtomicFileWriter(std::string path);
  // Removes the temporary unless commit() succeeded.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Appends; false once any write has failed (the rest is then ignored).
  bool write(const void* data, size_t size);
  // Puts the file on the disk in place of the target; false (and the temporary gone) when
  // anything failed.
  bool commit();

  bool failed() const { return failed_; }
  const std::string& error() const { return error_; }

 private:
  void fail(std::string why);
  void discard();

  std::string path_, temp_, error_;
  static constexpr size_t kWritebackStretch = size_t(8) << 20;
  int fd_ = -1;
  size_t written_ = 0, flushed_ = 0;
  bool failed_ = false;
};

}  // namespace qv::rt
