#include "runtime/utf8.h"

namespace qv::rt {

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(char(cp));
  } else if (cp < 0x800) {
    out.push_back(char(0xC0 | (cp >> 6)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(char(0xE0 | (cp >> 12)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (cp >> 18)));
    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(char(0x80 | (cp & 0x3F)));
  }
}

char32_t decodeUtf8At(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  auto cont = [&](size_t k) -> int {
    if (i + k >= s.size()) return -1;
    auto b = static_cast<unsigned char>(s[i + k]);
    return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
  };
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int need = (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
  if (need < 0) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = b0 & (0x3F >> need);
  for (int k = 1; k <= need; ++k) {
    int c = cont(size_t(k));
    if (c < 0) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | char32_t(c);
  }
  i += size_t(need) + 1;
  return cp;
}

size_t charCount(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

size_t byteOffsetOfChar(std::string_view s, size_t chars) {
  size_t i = 0;
  while (chars > 0 && i < s.size()) {
    decodeUtf8At(s, i);
    --chars;
  }
  return i;
}

std::string midChars(std::string_view s, size_t first, size_t count) {
  size_t a = byteOffsetOfChar(s, first);
  size_t b = a + byteOffsetOfChar(s.substr(a), count);
  return std::string(s.substr(a, b - a));
}

std::string fitChars(std::string_view s, size_t count) {
  std::string out = leftChars(s, count);
  size_t n = charCount(out);
  if (n < count) out.append(count - n, ' ');
  return out;
}

void setMidChars(std::string& s, size_t first, size_t count, std::string_view text) {
  size_t have = charCount(s);
  if (have < first + count) s.append(first + count - have, ' ');
  size_t a = byteOffsetOfChar(s, first);
  size_t b = a + byteOffsetOfChar(std::string_view(s).substr(a), count);
  s.replace(a, b - a, fitChars(text, count));
}

std::string trimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return std::string(s.substr(0, n));
}

std::string leftChars(std::string_view s, size_t count) {
  return std::string(s.substr(0, byteOffsetOfChar(s, count)));
}

}  // namespace qv::rt
