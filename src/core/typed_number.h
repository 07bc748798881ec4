#pragma once
// A number typed into a field where the program keeps a single-precision value.
#include <optional>
#include <string_view>

namespace qv {

// The whole text read as a number (the runtime's strict reading: no trailing letters, no
// empty text) whose single-precision value is finite; nothing otherwise, so the caller can
// refuse it with its own message.
std::optional<double> typedNumber(std::string_view text);

}  // namespace qv
