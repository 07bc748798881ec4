#pragma once
// The size of a warning window and its message lines, from the widths its texts take in
// their fonts: the window grows to its longest line, and a line longer than the widest
// window the screen allows is wrapped between words.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Width in pixels of a text in the font it will be drawn in.
using MeasureText = std::function<int(std::string_view)>;

// Where the heading and the message lines start, right of the caution icon, and the room
// kept between the longest line and the striped border on the right.
constexpr int kWarningTextX = 62;
constexpr int kWarningRightMargin = 24;
constexpr int kWarningButtonWidth = 110;
constexpr int kWarningButtonGap = 10;
constexpr int kWarningLineStep = 20;

struct WarningLayout {
  int width = 0, height = 0;
  std::vector<std::string> lines;
};

// `minWidth` is the width the caller asked for; `maxWidth` the widest the window may be.
WarningLayout layoutWarning(int minWidth, int maxWidth, int headingWidth, const std::vector<std::string>& lines,
                            int buttonCount, const MeasureText& measureLine);

// The line cut into pieces no wider than `room`, between words where it can be and between
// characters inside a word wider than the room; never an empty list.
std::vector<std::string> wrapLine(std::string_view line, int room, const MeasureText& measure);

// The text as it is when it fits `room`; else cut after a whole character and ended with
// "\u2026" (`always`: the mark is added even to a text that fits, as the end of something longer).
std::string fitWithEllipsis(std::string_view text, int room, const MeasureText& measure, bool always = false);

}  // namespace qv
