#include "runtime/files.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

namespace qv::rt {
namespace {

std::map<int, std::FILE*> gFiles;
std::map<int, std::string> gPaths;
std::map<int, bool> gFailed;

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
