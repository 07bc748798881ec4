#pragma once
// Files: whole-file reads for the codecs, safe whole-file writes, and the numbered
// text files of the output routes (closed and flushed when the program ends).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::rt {

// Reads a whole file; nothing when it cannot be read. `maxBytes` guards against
// reading something absurd.
std::optional<std::vector<uint8_t>> readWholeFile(const std::string& path,
                                                  uint64_t maxBytes = (uint64_t(1) << 34));
// Writes a file through a temporary in the same folder renamed over the target, so a
// failed write leaves the old file as it was. Returns false (and sets `error`) on failure.
bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* error = nullptr);
bool writeFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);
// Tests make the next atomic writes fail.
void injectWriteFailures(int count);

bool fileExists(const std::string& path);
uint64_t fileSize(const std::string& path);
std::string fileNameOf(const std::string& path);   // last component
std::string folderOf(const std::string& path);     // without the trailing slash
bool makeFolders(const std::string& path);

// Numbered files (2 read, 3 write, 4 text results, 5 spreadsheet results, 6 spool).
bool openOutputFile(int number, const std::string& path, bool append = false);
bool isFileOpen(int number);
std::string openFilePath(int number);
bool writeToFile(int number, std::string_view bytes);
bool closeFile(int number);  // flushes; false when a write failed
void closeAllFiles();

}  // namespace qv::rt
