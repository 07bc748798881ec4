#pragma once
// The pieces every result text is made of: numbers as the reports write them, cells of a
// delimited line, and the symbols of the report layouts. Result files are UTF-8 with line
// feeds; numbers always take a decimal point, whatever the locale.
#include <string>
#include <string_view>

namespace qv {

// A number with `digits` significant digits, trailing zeros dropped, one blank before a
// value that is not negative; "**" for a value that is not a number (a division by zero).
std::string reportNumber(double x, int digits);
// A whole number with no blank in front.
std::string wholeNumber(long long n);
// A whole number with its blank in front, as channel numbers are written.
std::string blankedNumber(long long n);

// One cell of a delimited line: as it stands, or between double quotes (quotes inside
// doubled) when it holds the separator, a double quote or a line end.
std::string quoteCell(std::string_view text, char separator);

// Carriage returns (alone or before a line feed) become line feeds.
std::string withLineFeeds(std::string_view text);

std::string repeated(std::string_view piece, int times);

inline constexpr std::string_view kBullet = "\u2022";
inline constexpr std::string_view kEmDash = "\u2014";
inline constexpr std::string_view kPlusMinus = "\u00B1";
inline constexpr std::string_view kSummation = "\u2211";
inline constexpr std::string_view kDegreesC = "\u00B0C";

}  // namespace qv
