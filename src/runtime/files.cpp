#include "runtime/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::rt {
namespace {

std::map<int, std::FILE*> gFiles;
std::map<int, std::string> gPaths;
std::map<int, bool> gFailed;
int gInjectedFailures = 0;

}  // namespace

std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path, uint64_t maxBytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  auto size = std::filesystem::file_size(path, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::vector<uint8_t> data;
  try {
    data.resize(size_t(size));
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    return std::nullopt;
  }
  size_t got = size ? std::fread(data.data(), 1, data.size(), f) : 0;
  std::fclose(f);
  if (got != data.size()) return std::nullopt;
  return data;
}

void injectWriteFailures(int count) { gInjectedFailures = count; }

bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::string dir = folderOf(path);
  std::string tmpl = (dir.empty() ? std::string(".") : dir) + "/." + fileNameOf(path) + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return fail(std::string("cannot create a file in ") + dir + ": " + std::strerror(errno));
  std::string tmp(name.data());
  bool ok = true;
  if (gInjectedFailures > 0) {
    --gInjectedFailures;
    ok = false;
  }
  const auto* p = static_cast<const uint8_t*>(data);
  size_t left = size;
  while (ok && left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      ok = false;
      break;
    }
    p += n;
    left -= size_t(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok) ::chmod(tmp.c_str(), 0644);
  if (!ok || std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    return fail("cannot write " + path);
  }
  return true;
}

bool writeFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  return writeFileAtomic(path, bytes.data(), bytes.size(), error);
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

uint64_t fileSize(const std::string& path) {
  std::error_code ec;
  auto s = std::filesystem::file_size(path, ec);
  return ec ? 0 : uint64_t(s);
}

std::string fileNameOf(const std::string& path) {
  auto p = path.find_last_of('/');
  return p == std::string::npos ? path : path.substr(p + 1);
}

std::string folderOf(const std::string& path) {
  auto p = path.find_last_of('/');
  if (p == std::string::npos) return ".";
  if (p == 0) return "/";
  return path.substr(0, p);
}

bool makeFolders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

bool openOutputFile(int number, const std::string& path, bool append) {
  closeFile(number);
  std::FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!f) return false;
  gFiles[number] = f;
  gPaths[number] = path;
  gFailed[number] = false;
  return true;
}

bool isFileOpen(int number) { return gFiles.count(number) != 0; }

std::string openFilePath(int number) {
  auto it = gPaths.find(number);
  return it == gPaths.end() ? std::string() : it->second;
}

bool writeToFile(int number, std::string_view bytes) {
  auto it = gFiles.find(number);
  if (it == gFiles.end()) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), it->second) != bytes.size()) {
    gFailed[number] = true;
    return false;
  }
  return true;
}

bool closeFile(int number) {
  auto it = gFiles.find(number);
  if (it == gFiles.end()) return true;
  bool ok = !gFailed[number];
  if (std::fclose(it->second) != 0) ok = false;
  gFiles.erase(it);
  gPaths.erase(number);
  gFailed.erase(number);
  return ok;
}

void closeAllFiles() {
  while (!gFiles.empty()) closeFile(gFiles.begin()->first);
}

}  // namespace qv::rt
