#pragma once
// The custom-transform file: 114-byte big-endian records without a header, each a 48-byte
// Mac Roman name and the words [1]..[20] of one custom transform.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "transforms/transform_engine.h"

namespace qv {

constexpr size_t kCustomRecordBytes = 114;
constexpr size_t kCustomNameBytes = 48;

struct CustomRecord {
  std::string name;              // UTF-8, as read (48 characters, blank-padded)
  std::array<float, 21> words{};  // [1]..[20]; [0] the deletion mark, not stored
};

// The run parameters a record's words [3], [5]..[7], [10]..[20] give (code, a, b, exponent,
// polynomial; the constant of conversions 66-69 is its a).
TransformParams customRecordParams(const std::array<float, 21>& words);

struct CustomFileContents {
  std::vector<CustomRecord> records;
  // Records no run can use, each as `number "name": why` (an unknown code, a constant that is
  // no number). They stay in `records`, so that the others keep the numbers scripts name them
  // by; a run of one is refused.
  std::vector<std::string> unusable;
  size_t tailBytes = 0;       // bytes after the last whole record, not read
  size_t recordsInFile = 0;   // whole records in the file (may exceed `limit`)
};

// Reads whole records only, at most `limit` of them.
CustomFileContents decodeCustomTransforms(std::span<const uint8_t> bytes, size_t limit);
// The name is cut or blank-padded to 48 bytes; integer words are truncated toward zero and
// clamped to 16 bits (NaN as 0).
std::vector<uint8_t> encodeCustomTransforms(const std::vector<CustomRecord>& records);

}  // namespace qv
