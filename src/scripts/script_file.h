#pragma once
// The script file: the 52 records of 28 big-endian 32-bit floats of the step array, record 0
// first, then the automatic-run switch as a big-endian 16-bit integer (5,826 bytes; files of
// 5,824 bytes come without the switch).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/script_state.h"

namespace qv {

constexpr size_t kScriptArrayBytes = size_t(kScriptRecords) * kScriptWords * 4;  // 5,824
constexpr size_t kScriptFileBytes = kScriptArrayBytes + 2;                         // 5,826

struct ScriptImage {
  std::array<std::array<float, kScriptWords>, kScriptRecords> records{};
  int16_t autoscript = 0;
};

// Why a file is no script file, in words for the warning window.
struct ScriptFileError {
  std::string reason;
};

std::vector<uint8_t> encodeScript(const ScriptImage& script);
// A complete script, or the first reason the bytes are not one. Steps 1..40 must hold a
// pause flag of 0 or 1 and a whole code of 0..45 or 99, an OPEN FILE step a recorded file
// type; records 0 and 41..51 are carried as they are.
std::variant<ScriptImage, ScriptFileError> decodeScript(std::span<const uint8_t> bytes);

// The step array and switch in memory, and back.
ScriptImage currentScript();
void installScript(const ScriptImage& script);

}  // namespace qv
