// The map picker's pixel geometry: positions under the pointer, the enlarged view and its lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "calculators/world_map.h"

using namespace qv;

TEST(WorldMap, PositionsOfTheWholeMap) {
  struct Case {
    int x, y;
    float lat, lon;
  };
  const Case cases[] = {
      {540, 390, 0.0f, 0.0f},       {0, 30, 90.0f, 180.0f},     {1079, 749, -89.75f, -179.667f},
      {270, 210, 45.0f, 90.0f},     {810, 570, -45.0f, -90.0f},
  };
  for (const Case& c : cases) {
    const MapPosition p = mapPosition({}, c.x, c.y);
    EXPECT_NEAR(p.latitude, c.lat, 0.01f) << c.x << "," << c.y;
    EXPECT_NEAR(p.longitude, c.lon, 0.01f) << c.x << "," << c.y;
  }
  EXPECT_TRUE(onMap(0, 30));
  EXPECT_TRUE(onMap(1079, 749));
  EXPECT_FALSE(onMap(1080, 100));
  EXPECT_FALSE(onMap(100, 29));
}

TEST(WorldMap, EnlargedViewPositionsAndHemispheres) {
  const MapView v = zoomView(450, 210);
  EXPECT_EQ(v.offsetX, -2250);
  EXPECT_EQ(v.offsetY, -675);
  MapPosition p = mapPosition(v, 540, 390);
  EXPECT_NEAR(p.latitude, 21.0f, 1e-3f);
  EXPECT_NEAR(p.longitude, -6.0f, 1e-3f);  // east
  p = mapPosition(v, 0, 30);
  EXPECT_NEAR(p.latitude, 45.0f, 1e-3f);
  EXPECT_NEAR(p.longitude, 30.0f, 1e-3f);  // west
  // Past 180 degrees east the picture folds back to the west.
  p = mapPosition(zoomView(900, 558), 1000, 100);
  EXPECT_NEAR(p.latitude, -46.667f, 1e-3f);
  EXPECT_NEAR(p.longitude, 173.333f, 1e-3f);
  // A corner outside the allowed area is brought back to it.
  const MapView far = zoomView(1000, 700);
  EXPECT_EQ(far.offsetX, -4500);
  EXPECT_EQ(far.offsetY, -1980);
}

TEST(WorldMap, ReferenceLinesFollowTheView) {
  auto has = [](const std::vector<MapLine>& ls, MapLine::Kind k, bool vertical, int at) {
    return std::any_of(ls.begin(), ls.end(),
                       [&](const MapLine& l) { return l.kind == k && l.vertical == vertical && l.at == at; });
  };
  const std::vector<MapLine> whole = mapLines({});
  EXPECT_EQ(whole.size(), 6u);
  EXPECT_TRUE(has(whole, MapLine::Equator, false, 390));
  EXPECT_TRUE(has(whole, MapLine::Meridian, true, 540));
  EXPECT_TRUE(has(whole, MapLine::PolarCircle, false, 123));
  EXPECT_TRUE(has(whole, MapLine::Tropic, false, 484));
  const std::vector<MapLine> zoomed = mapLines(zoomView(450, 210));
  EXPECT_TRUE(has(zoomed, MapLine::Equator, false, 705));
  EXPECT_TRUE(has(zoomed, MapLine::Meridian, true, 450));
  EXPECT_FALSE(has(zoomed, MapLine::PolarCircle, false, -293));
  EXPECT_TRUE(std::none_of(zoomed.begin(), zoomed.end(), [](const MapLine& l) { return !l.vertical && l.at < 30; }));
}

TEST(WorldMap, PanelTexts) {
  EXPECT_EQ(latitudeText(45.0f), "45.00\u00B0 N");
  EXPECT_EQ(latitudeText(-5.5f), " 5.50\u00B0 S");
  EXPECT_EQ(longitudeText(90.0f), " 90.00\u00B0 W");
  EXPECT_EQ(longitudeText(-179.67f), "179.67\u00B0 E");
}
