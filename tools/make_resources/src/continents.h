// Hand-traced outlines of the land masses for the world map.
#pragma once

#include <QPointF>
#include <vector>

namespace mk {

enum class Surface { Land, Ice, Water };

struct Outline {
  const char* name;
  Surface surface;
  std::vector<QPointF> points;  // (longitude, latitude) in degrees
};

const std::vector<Outline>& outlines();

}  // namespace mk
