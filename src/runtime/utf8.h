#pragma once
// UTF-8 text counted in characters: the program's fixed-width text cells (a channel
// label is 30 characters) count characters, not bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv::rt {

void appendUtf8(std::string& out, char32_t cp);

// Calls f(code point) for each character; a malformed byte is taken as U+FFFD.
template <class F>
void forEachCodePoint(std::string_view s, F&& f);

char32_t decodeUtf8At(std::string_view s, size_t& i);  // advances i past the character

size_t charCount(std::string_view s);

// Byte offset of character index `chars` (clamped to the end).
size_t byteOffsetOfChar(std::string_view s, size_t chars);

// Characters [first, first + count) (0-based), clamped to the text.
std::string midChars(std::string_view s, size_t first, size_t count);

// Overwrites characters [first, first + count) with `text`, which is padded with blanks
// or cut to exactly `count` characters. A text shorter than first + count is blank-padded first.
void setMidChars(std::string& s, size_t first, size_t count, std::string_view text);

// Blank-pads or cuts to exactly `count` characters.
std::string fitChars(std::string_view s, size_t count);

// The text without trailing blanks.
std::string trimRight(std::string_view s);

// The first `count` characters.
std::string leftChars(std::string_view s, size_t count);

template <class F>
void forEachCodePoint(std::string_view s, F&& f) {
  size_t i = 0;
  while (i < s.size()) f(decodeUtf8At(s, i));
}

}  // namespace qv::rt
