#pragma once
// The texts of the data bar's readouts (fields 54, 55 and 56 of a plot window) while the
// pointer moves over the plot. Each readout has a field of fixed width: a number that would
// not fit in it, or that cannot be told, is shown as "**".
#include <cstdint>
#include <string>

namespace qv::plot {

// The most characters a number of a readout may take (leading blanks not counted).
constexpr size_t kReadoutDigits = 8;
constexpr const char* kCannotShow = "**";

// Field 54: " #" and the case counted from 1, then the time since the start of the file in
// seconds, minutes, hours or days by its size.
std::string dataBarCaseText(double seconds, int64_t kase);
// Field 55: "h:mm:ss" of a time of day given in minutes after midnight of the file's first
// day; later days are taken off.
std::string clockText(double minutesOfDay);
// Field 56: "value " and the value.
std::string dataBarValueText(float value);

// `text`, the number text of `value`, with one leading blank; when it has more than
// `kReadoutDigits` characters, `value` with as many significant digits in exponent form as
// fit ("1.2E+31"); " **" when the value is not a number or infinite.
std::string fitNumber(double value, const std::string& text);

}  // namespace qv::plot
