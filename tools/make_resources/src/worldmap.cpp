// The world map of the position picker. The picker scales the picture into a frame in which longitude
// 180 W is at the left edge, 180 E at 96 % of the width and latitude runs linearly from 90 N to 90 S; so the
// picture spans 375 degrees of longitude (the first 15 degrees repeat east of the date line) and 180 of
// latitude, at 3 pixels a degree both ways.
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "continents.h"
#include "makers.h"
#include "paint.h"

namespace mk {
namespace {

constexpr int kPxPerDeg = 3;
constexpr int kWidth = 375 * kPxPerDeg;
constexpr int kHeight = 180 * kPxPerDeg;

struct Range {
  std::vector<QPointF> line;  // (lon, lat)
  double width, height;       // degrees, 0..1
};

struct Patch {
  double lon, lat, rx, ry, weight;
};

const std::vector<Range>& ranges() {
  static const std::vector<Range> r = {
      {{{-150, 62}, {-135, 58}, {-123, 50}, {-115, 45}, {-110, 40}, {-106, 35}, {-105, 30}, {-103, 25}, {-100, 20}, {-97, 17}}, 5.0, 0.75},
      {{{-122, 48}, {-121, 42}, {-119, 37}}, 1.8, 0.55},
      {{{-160, 67}, {-145, 68}}, 2.0, 0.45},
      {{{-153, 62}, {-146, 62.5}, {-141, 61}}, 1.8, 0.7},
      {{{-84, 34}, {-80, 37}, {-76, 41}, {-72, 44}, {-68, 46}}, 2.5, 0.35},
      {{{-78, 8}, {-77, 2}, {-78, -3}, {-76, -10}, {-70, -16}, {-68, -22}, {-69, -30}, {-71, -38}, {-72, -46}, {-73, -52}}, 3.2, 1.0},
      {{{-47, -12}, {-44, -18}, {-45, -22}}, 5.0, 0.3},
      {{{6, 45}, {10, 46.5}, {14, 47}}, 2.0, 0.85},
      {{{-1.5, 42.8}, {3, 42.5}}, 1.2, 0.55},
      {{{6, 60}, {12, 64}, {17, 68}, {20, 69.5}}, 2.5, 0.45},
      {{{40, 43.5}, {47, 41.5}}, 1.6, 0.75},
      {{{45, 36}, {50, 32}, {56, 28}, {60, 27}}, 2.6, 0.55},
      {{{73, 36}, {78, 33}, {84, 29}, {90, 28}, {95, 29}}, 3.0, 1.0},
      {{{79, 34}, {87, 33}, {95, 33}}, 5.0, 0.5},
      {{{70, 41}, {80, 42}, {88, 43}}, 2.5, 0.7},
      {{{86, 49}, {95, 47}}, 2.5, 0.5},
      {{{59, 50}, {59, 58}, {61, 65}, {65, 68}}, 1.6, 0.35},
      {{{38, 9}, {37, 3}, {36, -3}, {34, -8}, {33, -12}}, 3.5, 0.55},
      {{{-8, 31}, {-2, 33}, {5, 35.5}}, 2.0, 0.55},
      {{{29, -30}, {31, -26}}, 2.5, 0.5},
      {{{146, -38}, {150, -33}, {152, -28}, {147, -20}, {145, -16}}, 2.0, 0.4},
      {{{131, 33}, {138, 36}, {141, 40}, {143, 43}}, 1.3, 0.5},
      {{{167, -46}, {170, -44}, {172.5, -42}}, 1.3, 0.65},
      {{{128, 62}, {135, 67}, {145, 65}, {155, 65}, {165, 63}}, 3.5, 0.4},
      {{{156, 51}, {160, 56}, {162, 60}}, 1.8, 0.5},
      {{{96, 46}, {105, 47}, {112, 46}}, 6.0, 0.35},
      {{{36, 28}, {40, 20}, {44, 14}}, 1.8, 0.45},
      {{{76, 15}, {77, 20}}, 4.0, 0.25},
      {{{100, 27}, {103, 22}, {106, 15}}, 3.0, 0.45},
  };
  return r;
}

const std::vector<Patch>& deserts() {
  static const std::vector<Patch> d = {
      {10, 23, 25, 9, 1.0},  {47, 23, 9, 7, 1.0},    {71, 27, 4, 3, 0.8},   {57, 32, 7, 4, 0.8},
      {62, 43, 8, 4, 0.7},     {83, 39, 7, 2.5, 0.9},  {105, 42, 10, 4, 0.8}, {130, -25, 14, 8, 0.9},
      {19, -23, 6, 6, 0.7},    {-70, -23, 2, 6, 0.9},  {-68, -45, 4, 5, 0.5}, {-112, 33, 7, 5, 0.75},
      {-117, 40, 4, 3, 0.6},   {-105, 28, 4, 3, 0.6},  {45, 6, 5, 4, 0.6},    {14, -20, 3, 6, 0.8},
  };
  return d;
}

double segmentDistance(QPointF p, QPointF a, QPointF b) {
  QPointF ab = b - a, ap = p - a;
  double len2 = ab.x() * ab.x() + ab.y() * ab.y();
  double t = len2 > 0 ? std::clamp((ap.x() * ab.x() + ap.y() * ab.y()) / len2, 0.0, 1.0) : 0.0;
  QPointF q = a + ab * t - p;
  return std::hypot(q.x(), q.y());
}

double smoothstep(double e0, double e1, double x) {
  double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// Paints the outlines of one surface kind, repeated a full turn either side so the seam closes.
QImage coverage(Surface kind) {
  QImage img = canvas(kWidth, kHeight, Qt::black);
  QPainter p;
  begin(p, img);
  p.setPen(Qt::NoPen);
  for (const Outline& o : outlines()) {
    bool wanted = kind == Surface::Water ? o.surface == Surface::Water
                                         : (kind == Surface::Ice ? o.surface == Surface::Ice : o.surface != Surface::Water);
    if (!wanted) continue;
    for (int turn = -1; turn <= 1; ++turn) {
      QPolygonF poly;
      for (const QPointF& q : o.points)
        poly << QPointF((q.x() + 180.0 + 360.0 * turn) * kPxPerDeg, (90.0 - q.y()) * kPxPerDeg);
      QPainterPath path;
      path.addPolygon(poly);
      path.closeSubpath();
      path.setFillRule(Qt::WindingFill);
      p.fillPath(path, Qt::white);
    }
  }
  p.end();
  return img;
}

std::vector<float> channel(const QImage& img) {
  std::vector<float> v(size_t(kWidth) * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < kWidth; ++x) v[size_t(y) * kWidth + x] = float(qRed(row[x])) / 255.0f;
  }
  return v;
}

// Repeated box blurs: the result says how near the coast a sea pixel lies.
std::vector<float> blurred(std::vector<float> v, int radius, int passes) {
  std::vector<float> tmp(v.size());
  for (int pass = 0; pass < passes; ++pass) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        double s = 0;
        for (int k = -radius; k <= radius; ++k) s += v[size_t(y) * kWidth + size_t(std::clamp(x + k, 0, kWidth - 1))];
        tmp[size_t(y) * kWidth + x] = float(s / (2 * radius + 1));
      }
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        double s = 0;
        for (int k = -radius; k <= radius; ++k) s += tmp[size_t(std::clamp(y + k, 0, kHeight - 1)) * kWidth + x];
        v[size_t(y) * kWidth + x] = float(s / (2 * radius + 1));
      }
  }
  return v;
}

double normalLon(double lon) {
  while (lon >= 180) lon -= 360;
  while (lon < -180) lon += 360;
  return lon;
}

// Noise that repeats once round the globe, so the two copies of the date-line strip match.
double globeNoise(double lon, double lat, std::uint32_t seed, int octaves, double cellsPerTurn) {
  double x = (normalLon(lon) + 180.0) / 360.0 * cellsPerTurn;
  double y = (90.0 - lat) / 360.0 * cellsPerTurn;
  return fractalNoise(x, y, seed, octaves, int(cellsPerTurn));
}

double elevation(double lon, double lat) {
  lon = normalLon(lon);
  double e = 0.12 * globeNoise(lon, lat, 11, 5, 48);
  for (const Range& r : ranges()) {
    double d = 1e9;
    for (size_t i = 0; i + 1 < r.line.size(); ++i) d = std::min(d, segmentDistance({lon, lat}, r.line[i], r.line[i + 1]));
    if (d > r.width * 3) continue;
    double rough = 0.45 + 0.9 * globeNoise(lon, lat, 23, 5, 120);
    e += r.height * std::exp(-(d * d) / (r.width * r.width)) * rough;
  }
  return std::min(e, 1.1);
}

double aridity(double lon, double lat) {
  lon = normalLon(lon);
  double a = 0;
  for (const Patch& d : deserts()) {
    double u = (lon - d.lon) / d.rx, v = (lat - d.lat) / d.ry;
    // A ragged edge: the boundary wanders with the noise instead of following the ellipse.
    double r = std::sqrt(u * u + v * v) + (globeNoise(lon, lat, 53, 4, 40) - 0.5) * 0.9;
    a = std::max(a, d.weight * (1.0 - smoothstep(0.55, 1.15, r)));
  }
  return std::clamp(a * (0.75 + 0.5 * globeNoise(lon, lat, 41, 4, 60)), 0.0, 1.0);
}

QColor vegetation(double lat, double wet) {
  double al = std::abs(lat);
  QColor tropical(38, 112, 48), temperate(92, 142, 64), boreal(58, 104, 66), tundra(142, 150, 122);
  QColor c = al < 14 ? tropical : mix(tropical, temperate, smoothstep(14, 26, al));
  if (al > 45) c = mix(c, boreal, smoothstep(45, 55, al));
  if (al > 60) c = mix(c, tundra, smoothstep(60, 68, al));
  return mix(c, c.lighter(115), wet);
}

}  // namespace

bool makeWorldMap(const QString& dir) {
  std::vector<float> land = channel(coverage(Surface::Land));
  std::vector<float> ice = channel(coverage(Surface::Ice));
  std::vector<float> water = channel(coverage(Surface::Water));
  for (size_t i = 0; i < land.size(); ++i) land[i] = std::max(0.0f, land[i] - water[i]);
  std::vector<float> near = blurred(land, 5, 3);

  std::vector<float> height(land.size());
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      size_t i = size_t(y) * kWidth + x;
      if (land[i] <= 0) continue;
      double lon = -180.0 + (x + 0.5) / kPxPerDeg, lat = 90.0 - (y + 0.5) / kPxPerDeg;
      height[i] = float(elevation(lon, lat));
    }

  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  const QColor deep(24, 62, 122), shallow(74, 136, 196), desert(212, 184, 128), upland(140, 114, 80),
      rock(160, 152, 140), snow(246, 247, 250);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    double lat = 90.0 - (y + 0.5) / kPxPerDeg;
    for (int x = 0; x < kWidth; ++x) {
      size_t i = size_t(y) * kWidth + x;
      double lon = -180.0 + (x + 0.5) / kPxPerDeg;
      double n = globeNoise(lon, lat, 7, 3, 90);
      QColor sea = mix(deep, shallow, std::pow(double(near[i]), 0.7) * 0.9 + n * 0.08);
      sea = mix(sea, QColor(120, 150, 180), smoothstep(62, 85, std::abs(lat)) * 0.5);
      double cover = land[i];
      if (cover <= 0) {
        row[x] = sea.rgb();
        continue;
      }
      // Light from the north-west over the height field gives the relief.
      auto h = [&](int xx, int yy) {
        return double(height[size_t(std::clamp(yy, 0, kHeight - 1)) * kWidth + size_t(std::clamp(xx, 0, kWidth - 1))]);
      };
      double dx = h(x + 1, y) - h(x - 1, y), dy = h(x, y + 1) - h(x, y - 1);
      double shade = std::clamp(1.0 + (-dx - dy) * 3.5, 0.7, 1.25);
      double e = height[i];
      QColor c = mix(vegetation(lat, n), desert, aridity(lon, lat));
      c = mix(c, upland, smoothstep(0.15, 0.6, e));
      c = mix(c, rock, smoothstep(0.6, 0.85, e));
      c = mix(c, snow, smoothstep(0.92, 1.08, e) + smoothstep(76, 82, std::abs(lat)) * 0.8);
      if (ice[i] > 0) c = mix(c, mix(QColor(226, 234, 242), snow, n), ice[i]);
      c = QColor::fromRgbF(float(std::clamp(c.redF() * shade, 0.0, 1.0)), float(std::clamp(c.greenF() * shade, 0.0, 1.0)),
                           float(std::clamp(c.blueF() * shade, 0.0, 1.0)));
      row[x] = mix(sea, c, cover).rgb();
    }
  }
  return save(img, dir, "world relief map.png");
}

}  // namespace mk
