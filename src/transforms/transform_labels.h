#pragma once
// Texts of the transforms: the result label after a conversion and the display name of a code.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The label text after a run of `code`: conversions 40..66 replace the first `from` by `to`;
// 68 and 69 (per gram, per kilogram) append "/g" or "/Kg" after trailing blanks cut to one.
std::string fixTransformLabel(int16_t code, std::string_view label, std::string_view from, std::string_view to);

// FixTransformLABELS: the same on edit field 204 of the front window, when it has one.
void FixTransformLABELS(int16_t code, std::string_view from, std::string_view to);

// The display name of a transform code ("" for codes without one).
std::string transformTypeName(int16_t code);

}  // namespace qv
