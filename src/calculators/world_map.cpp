#include "calculators/world_map.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv {

namespace {

constexpr int kTop = 30, kWidth = 1080, kBottom = 750;

}  // namespace

bool onMap(int x, int y) { return x >= 0 && x < kWidth && y >= kTop && y < kBottom; }

MapPosition mapPosition(const MapView& view, int x, int y) {
  if (!view.zoomed) return {float(90.0 - (y - kTop) / 4.0), float(180.0 - x / 3.0)};
  const double xs = x - view.offsetX, ys = y - kTop - view.offsetY;
  double lon = 180.0 - xs / 15.0;
  // The enlarged picture runs on to 195 degrees east: that strip is the far west again.
  if (lon < -180.0) lon += 360.0;
  return {float(90.0 - ys / 15.0), float(lon)};
}

void clampZoomCorner(int& x, int& y) {
  x = std::clamp(x, 0, 900);
  y = std::clamp(y, kTop, 558);
}

MapView zoomView(int x, int y) {
  clampZoomCorner(x, y);
  return {true, -5 * x, int(std::lround(-3.75 * (y - kTop)))};
}

std::vector<MapLine> mapLines(const MapView& view) {
  std::vector<MapLine> lines;
  const int oy = view.zoomed ? view.offsetY : 0, ox = view.zoomed ? view.offsetX : 0;
  auto horizontal = [&](MapLine::Kind k, int y) {
    if (y >= kTop && y < kBottom) lines.push_back({k, false, y});
  };
  if (!view.zoomed) {
    horizontal(MapLine::Equator, 390);
    lines.push_back({MapLine::Meridian, true, 540});
    for (int y : {123, 656}) horizontal(MapLine::PolarCircle, y);
    for (int y : {296, 484}) horizontal(MapLine::Tropic, y);
    return lines;
  }
  horizontal(MapLine::Equator, oy + 1380);
  for (int x : {ox + 2700, ox + 5400})
    if (x >= 0 && x < kWidth) lines.push_back({MapLine::Meridian, true, x});
  for (int y : {oy + 382, oy + 2378}) horizontal(MapLine::PolarCircle, y);
  for (int y : {oy + 1028, oy + 1732}) horizontal(MapLine::Tropic, y);
  return lines;
}

std::string latitudeText(float latitude) {
  return rt::PSusing("##.##", std::fabs(latitude)) + "\u00B0" + (latitude >= 0.0f ? " N" : " S");
}

std::string longitudeText(float longitude) {
  return rt::PSusing("###.##", std::fabs(longitude)) + "\u00B0" + (longitude >= 0.0f ? " W" : " E");
}

}  // namespace qv
