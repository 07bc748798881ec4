#pragma once
// Mac Roman, the character set of the program's own files (data formats, preferences,
// scripts, custom transforms). Inside the program text is UTF-8; conversion happens
// at the file boundary.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::rt {

// Unicode code point of a Mac Roman byte.
char32_t macRomanToUnicode(uint8_t byte);

// Mac Roman byte of a code point, or -1 when Mac Roman has no such character.
int unicodeToMacRoman(char32_t cp);

// Whole-text conversions. Characters Mac Roman lacks become '?'.
std::string macRomanToUtf8(std::string_view macRoman);
std::string utf8ToMacRoman(std::string_view utf8);

// UTF-8 of one Mac Roman byte (convenient for the special characters built at start-up).
std::string macRomanChar(uint8_t byte);

}  // namespace qv::rt
