#include "core/warning_layout.h"

#include <algorithm>
#include <cstdint>

namespace qv {

namespace {

// Bytes of the UTF-8 character that starts at s[i] (1 for a stray continuation byte).
size_t charLength(std::string_view s, size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
  return std::min(n, s.size() - i);
}

// A word wider than the room, cut between characters; the last piece is returned in `rest`.
void breakWord(std::string_view word, int room, const MeasureText& measure, std::vector<std::string>& out,
               std::string& rest) {
  std::string piece;
  for (size_t i = 0; i < word.size();) {
    const size_t n = charLength(word, i);
    std::string longer = piece + std::string(word.substr(i, n));
    if (!piece.empty() && measure(longer) > room) {
      out.push_back(piece);
      longer = std::string(word.substr(i, n));
    }
    piece = std::move(longer);
    i += n;
  }
  rest = piece;
}

}  // namespace

std::vector<std::string> wrapLine(std::string_view line, int room, const MeasureText& measure) {
  if (measure(line) <= room) return {std::string(line)};
  std::vector<std::string> out;
  std::string current;
  size_t i = 0;
  while (i < line.size()) {
    const size_t end = std::min(line.find(' ', i), line.size());
    const std::string_view word = line.substr(i, end - i);
    const std::string joined = current.empty() ? std::string(word) : current + " " + std::string(word);
    if (measure(joined) <= room) {
      current = joined;
    } else {
      if (!current.empty()) out.push_back(current);
      current.clear();
      if (measure(word) > room) breakWord(word, room, measure, out, current);
      else current = std::string(word);
    }
    i = end + 1;
  }
  if (!current.empty() || out.empty()) out.push_back(current);
  return out;
}

std::string fitWithEllipsis(std::string_view text, int room, const MeasureText& measure, bool always) {
  static constexpr std::string_view kEllipsis = "\u2026";
  if (!always && measure(text) <= room) return std::string(text);
  std::string cut(text);
  while (!cut.empty() && measure(cut + std::string(kEllipsis)) > room) {
    // Whole characters only: step back over UTF-8 continuation bytes.
    size_t at = cut.size() - 1;
    while (at > 0 && (uint8_t(cut[at]) & 0xC0) == 0x80) --at;
    cut.resize(at);
  }
  return cut + std::string(kEllipsis);
}

WarningLayout layoutWarning(int minWidth, int maxWidth, int headingWidth, const std::vector<std::string>& lines,
                            int buttonCount, const MeasureText& measureLine) {
  const int n = std::max(0, buttonCount);
  const int buttonsWidth = 2 * kWarningButtonGap + n * kWarningButtonWidth + std::max(0, n - 1) * kWarningButtonGap;
  int widest = headingWidth;
  for (const auto& line : lines) widest = std::max(widest, measureLine(line));
  WarningLayout l;
  l.width = std::max({minWidth, kWarningTextX + widest + kWarningRightMargin, buttonsWidth});
  l.width = std::max(std::min(l.width, maxWidth), buttonsWidth);
  const int room = l.width - kWarningTextX - kWarningRightMargin;
  for (const auto& line : lines)
    for (auto& piece : wrapLine(line, room, measureLine)) l.lines.push_back(std::move(piece));
  l.height = 118 + kWarningLineStep * int(l.lines.size());
  return l;
}

}  // namespace qv
