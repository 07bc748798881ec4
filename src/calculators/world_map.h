#pragma once
// The world map position picker: a relief map in Mercator-like pixel geometry (3 pixels a degree
// of longitude and 4 of latitude, or 15 of each when enlarged five times), the reference lines,
// and the position under the pointer.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

constexpr int16_t kWorldMapWindow = 778, kMapLinesLayer = 776, kMapPanel = 775;

// The enlarged map's offsets; zoomed false is the whole map.
struct MapView {
  bool zoomed = false;
  int offsetX = 0, offsetY = 0;
};

// Signed degrees, north and west positive.
struct MapPosition {
  float latitude = 0.0f, longitude = 0.0f;
};

// Whether a pixel of the map window is on the map (the cross cursor's area).
bool onMap(int x, int y);
MapPosition mapPosition(const MapView& view, int x, int y);
// The enlarged view of the 216 x 192 area whose top-left corner is (x, y), the corner first
// kept within the map.
MapView zoomView(int x, int y);
// The chosen area's corner kept where the whole area shows the map.
void clampZoomCorner(int& x, int& y);

// Reference lines: the equator, the meridians 0 and 180, the tropics and polar circles.
struct MapLine {
  enum Kind { Equator, Meridian, PolarCircle, Tropic } kind;
  bool vertical;
  int at;  // x of a vertical line, y of a horizontal one
};
// The lines of a view that fall on the map (a horizontal line above its top is left out).
std::vector<MapLine> mapLines(const MapView& view);

// "45.00° N" and " 90.00° W" as the panel shows a position.
std::string latitudeText(float latitude);
std::string longitudeText(float longitude);

}  // namespace qv

namespace qv {

// What the picker returns: whether a position was chosen and that position; the caller keeps it.
struct MapChoice {
  bool chosen = false;
  MapPosition position;
};
// Runs the picker over the world map; `returnWindow` comes forward again at the end.
MapChoice GetMapCoordinates(int16_t returnWindow);

}  // namespace qv
