#pragma once
// Which reader a data file needs, told from its first bytes: a Sable file by its first four
// bytes, the program's own files by the first number of their first line.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// TypeOfFile values that come out of detection.
constexpr int16_t kTypeOwnText = 1;
constexpr int16_t kTypeBCD = 2;
constexpr int16_t kTypeSable = 4;
constexpr int16_t kTypeOwnBinary = 6;
constexpr int16_t kTypeRefused = 9;

// The Sable signature: the first four bytes hold this value as a little-endian single.
constexpr float kSableSignature = 1003.0f;
// The Finder road takes a document for an own text file only up to this first number.
constexpr int64_t kFinderTextLimit = 132768;

struct FormatDetection {
  int16_t type = kTypeRefused;  // 1, 2, 4, 6, or 9 when refused
  int64_t firstNumber = 0;      // the first text item as a whole number (0 for Sable)
  // When refused: the refusal window's kind, 1 "Too many cases to fit!", 0 damaged.
  int16_t badFileKind = 0;
};

// The first item of the first line: leading blanks and tabs skipped, then up to a comma,
// tab, carriage return or line feed (at most 255 characters).
std::string firstTextItem(std::span<const uint8_t> head);

// The first item read as a whole number (its leading number, truncated toward zero; 0 when
// it is not a number).
int64_t firstTextNumber(std::span<const uint8_t> head);

// Detection on the open road. `head` is the start of the file (the first line is enough);
// `casesInOriginalFile` is the case count of the file being merged into (0 for a new slot),
// which decides whether a refused count is "too many cases".
FormatDetection detectDataFormat(std::span<const uint8_t> head, int32_t casesInOriginalFile = 0);

// The Finder road's own look at a document: 6 (own binary or BCD, the open road then
// detects again), 4 Sable, 1 own text (first number 5 to 132,768), 0 skipped.
int16_t finderDocumentType(std::span<const uint8_t> head);

// Why a handed-over document that finderDocumentType skips was not opened, in words that
// name it: missing, a text recording longer than the desktop road takes, or no recording.
std::vector<std::string> handedOverRefusal(const std::string& name, std::span<const uint8_t> head, bool exists);

}  // namespace qv
