#pragma once
#include <cstdint>

namespace qv::rt {

// A rectangle as the program gives it: left, top, right, bottom (window pixels,
// y downwards). Width is right - left.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

struct PointF {
  double x = 0, y = 0;
};

// A colour as RGB of 16-bit components.
struct RGB {
  uint16_t red = 0, green = 0, blue = 0;
  bool operator==(const RGB&) const = default;
};

}  // namespace qv::rt
