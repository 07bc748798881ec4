// The start-up pictures: painted scenes from the field and the lab, 550 x 297, and the name laid over them.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "makers.h"
#include "paint.h"

namespace mk {
namespace {

constexpr int W = 550, H = 297;
constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- scenery

struct Sky {
  QColor top, horizon, sun;
};

Sky pickSky(Rng& rng) {
  static const Sky skies[] = {
      {QColor(40, 90, 170), QColor(170, 205, 235), QColor(255, 250, 220)},   // midday
      {QColor(52, 48, 120), QColor(250, 160, 110), QColor(255, 220, 140)},   // dusk
      {QColor(90, 120, 190), QColor(255, 200, 170), QColor(255, 235, 190)},  // dawn
      {QColor(20, 40, 90), QColor(230, 120, 70), QColor(255, 190, 90)},      // late sunset
      {QColor(70, 140, 200), QColor(215, 235, 245), QColor(255, 255, 235)},  // clear morning
      {QColor(110, 80, 150), QColor(250, 190, 150), QColor(255, 225, 170)},  // violet evening
  };
  return skies[rng.pick(int(std::size(skies)))];
}

// The sky runs from its top colour to the horizon colour at `horizonY` and keeps that colour below,
// so no gap opens where the land dips under the horizon line.
void paintSky(QPainter& p, const Sky& s, double horizonY) {
  QLinearGradient g(0, 0, 0, H);
  g.setColorAt(0, s.top);
  g.setColorAt(std::clamp(horizonY / H, 0.05, 1.0), s.horizon);
  g.setColorAt(1, s.horizon);
  p.fillRect(QRectF(0, 0, W, H), g);
}

void paintSun(QPainter& p, QPointF c, double r, QColor col) {
  QRadialGradient glow(c, r * 4.5);
  QColor a = col;
  a.setAlpha(110);
  glow.setColorAt(0, a);
  a.setAlpha(0);
  glow.setColorAt(1, a);
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(c, r * 4.5, r * 4.5);
  p.setBrush(col);
  p.drawEllipse(c, r, r);
}

void paintClouds(QPainter& p, Rng& rng, int n, double maxY, QColor col) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < n; ++i) {
    double cx = rng.range(-20, W + 20), cy = rng.range(15, maxY);
    double s = rng.range(0.6, 1.4);
    QColor c = col;
    c.setAlpha(int(rng.range(70, 150)));
    p.setBrush(c);
    for (int k = 0; k < 6; ++k)
      p.drawEllipse(QPointF(cx + rng.range(-40, 40) * s, cy + rng.range(-6, 6) * s), rng.range(18, 34) * s, rng.range(8, 14) * s);
  }
}

// A ridge line by midpoint displacement, filled down to the bottom.
QPainterPath ridge(Rng& rng, double baseY, double amp, double rough) {
  const int n = 65;
  std::vector<double> h(n, 0.0);
  h[0] = rng.range(-1, 1);
  h[n - 1] = rng.range(-1, 1);
  for (int step = (n - 1) / 2, level = 0; step >= 1; step /= 2, ++level) {
    for (int i = step; i < n - 1; i += 2 * step)
      h[i] = (h[i - step] + h[i + step]) / 2 + rng.range(-1, 1) * std::pow(rough, level);
  }
  QPainterPath path;
  path.moveTo(-5, H + 5);
  for (int i = 0; i < n; ++i) path.lineTo(-5 + (W + 10.0) * i / (n - 1), baseY - h[i] * amp);
  path.lineTo(W + 5, H + 5);
  path.closeSubpath();
  return path;
}

// Gentle rolling hills: a sum of a few sines.
QPainterPath hills(Rng& rng, double baseY, double amp) {
  double f1 = rng.range(0.006, 0.012), f2 = rng.range(0.015, 0.03), p1 = rng.range(0, 6), p2 = rng.range(0, 6);
  QPainterPath path;
  path.moveTo(-5, H + 5);
  for (int x = -5; x <= W + 5; x += 5) path.lineTo(x, baseY - amp * (0.7 * std::sin(x * f1 + p1) + 0.3 * std::sin(x * f2 + p2)));
  path.lineTo(W + 5, H + 5);
  path.closeSubpath();
  return path;
}

void fillLayer(QPainter& p, const QPainterPath& path, QColor top, QColor bottom) {
  QRectF b = path.boundingRect();
  QLinearGradient g(0, b.top(), 0, H);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(path);
}

// ---------------------------------------------------------------- silhouettes

void deer(QPainter& p, QPointF at, double s, bool left, QColor c, bool antlers) {
  p.save();
  p.translate(at);
  p.scale(left ? -s : s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(0, 0), 22, 9.5);
  QPolygonF neck;
  neck << QPointF(12, -5) << QPointF(20, -24) << QPointF(27, -22) << QPointF(21, 2);
  p.drawPolygon(neck);
  p.save();
  p.translate(27, -24);
  p.rotate(25);
  p.drawEllipse(QPointF(3, 0), 8, 4);
  p.restore();
  QPolygonF ear;
  ear << QPointF(20, -26) << QPointF(16, -33) << QPointF(23, -27);
  p.drawPolygon(ear);
  QPen leg(c, 2.6, Qt::SolidLine, Qt::RoundCap);
  p.setPen(leg);
  p.drawLine(QPointF(-15, 4), QPointF(-17, 28));
  p.drawLine(QPointF(-10, 5), QPointF(-8, 28));
  p.drawLine(QPointF(12, 5), QPointF(13, 28));
  p.drawLine(QPointF(16, 4), QPointF(20, 27));
  p.drawLine(QPointF(-21, -3), QPointF(-25, 2));
  if (antlers) {
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath a;
    a.moveTo(23, -28);
    a.cubicTo(20, -40, 28, -44, 32, -48);
    a.moveTo(23, -34);
    a.lineTo(17, -42);
    a.moveTo(27, -42);
    a.lineTo(22, -50);
    p.drawPath(a);
  }
  p.restore();
}

void bird(QPainter& p, QPointF at, double s, QColor c) {
  QPainterPath b;
  b.moveTo(at + QPointF(-10 * s, -1 * s));
  b.quadTo(at + QPointF(-5 * s, -6 * s), at);
  b.quadTo(at + QPointF(5 * s, -6 * s), at + QPointF(10 * s, -1 * s));
  p.setPen(QPen(c, std::max(1.0, 1.6 * s), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(b);
}

void flock(QPainter& p, Rng& rng, QRectF area, int n, QColor c) {
  for (int i = 0; i < n; ++i)
    bird(p, QPointF(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom())), rng.range(0.5, 1.1), c);
}

void mouse(QPainter& p, QPointF at, double s, QColor c, bool left = false) {
  p.save();
  p.translate(at);
  p.scale(left ? -s : s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(0, 0), 10, 6.5);
  p.drawEllipse(QPointF(9, -2), 5, 4);
  p.drawEllipse(QPointF(7, -6.5), 3, 3);
  p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath tail;
  tail.moveTo(-9, 2);
  tail.cubicTo(-16, 5, -18, -4, -25, -1);
  p.drawPath(tail);
  p.restore();
}

void lizard(QPainter& p, QPointF at, double s, QColor c) {
  p.save();
  p.translate(at);
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(0, 0), 14, 4.5);
  p.drawEllipse(QPointF(15, -1), 6, 3.4);
  QPainterPath tail;
  tail.moveTo(-12, -2.5);
  tail.cubicTo(-26, -4, -34, 6, -44, 2);
  tail.cubicTo(-34, 8, -25, 2, -12, 3);
  tail.closeSubpath();
  p.drawPath(tail);
  p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
  for (double x : {-7.0, 8.0}) {
    p.drawLine(QPointF(x, 2), QPointF(x - 4, 8));
    p.drawLine(QPointF(x - 4, 8), QPointF(x - 1, 10));
    p.drawLine(QPointF(x, -2), QPointF(x + 4, -8));
    p.drawLine(QPointF(x + 4, -8), QPointF(x + 7, -9));
  }
  p.restore();
}

void fish(QPainter& p, QPointF at, double s, QColor c, bool left) {
  p.save();
  p.translate(at);
  p.scale(left ? -s : s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(QPointF(0, 0), 14, 6);
  QPolygonF tail;
  tail << QPointF(-11, 0) << QPointF(-21, -7) << QPointF(-19, 0) << QPointF(-21, 7);
  p.drawPolygon(tail);
  QPolygonF fin;
  fin << QPointF(-3, -5) << QPointF(3, -11) << QPointF(6, -5);
  p.drawPolygon(fin);
  p.setBrush(QColor(255, 255, 255, 160));
  p.drawEllipse(QPointF(8, -1.5), 1.4, 1.4);
  p.restore();
}

void bat(QPainter& p, QPointF at, double s, QColor c) {
  QPainterPath b;
  auto P = [&](double x, double y) { return at + QPointF(x * s, y * s); };
  b.moveTo(P(0, -3));
  b.quadTo(P(-8, -10), P(-18, -6));
  b.quadTo(P(-14, -2), P(-15, 2));
  b.quadTo(P(-11, -1), P(-9, 3));
  b.quadTo(P(-5, 0), P(-3, 4));
  b.lineTo(P(0, 6));
  b.lineTo(P(3, 4));
  b.quadTo(P(5, 0), P(9, 3));
  b.quadTo(P(11, -1), P(15, 2));
  b.quadTo(P(14, -2), P(18, -6));
  b.quadTo(P(8, -10), P(0, -3));
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(b);
  p.drawEllipse(P(0, -1), 2.5 * s, 3.5 * s);
}

void pine(QPainter& p, QPointF base, double h, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawRect(QRectF(base.x() - h * 0.03, base.y() - h * 0.15, h * 0.06, h * 0.16));
  for (int k = 0; k < 4; ++k) {
    double top = base.y() - h + k * h * 0.18, bottom = base.y() - h * 0.12 - (3 - k) * h * 0.12;
    double half = h * (0.12 + 0.07 * k);
    QPolygonF t;
    t << QPointF(base.x(), top) << QPointF(base.x() + half, bottom) << QPointF(base.x() - half, bottom);
    p.drawPolygon(t);
  }
}

void broadTree(QPainter& p, Rng& rng, QPointF base, double h, QColor trunk, QColor crown) {
  p.setPen(QPen(trunk, h * 0.05, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(base, base + QPointF(0, -h * 0.55));
  p.setPen(Qt::NoPen);
  p.setBrush(crown);
  for (int k = 0; k < 6; ++k)
    p.drawEllipse(base + QPointF(rng.range(-0.25, 0.25) * h, -h * rng.range(0.6, 0.9)), h * rng.range(0.16, 0.26), h * rng.range(0.14, 0.22));
}

// A flat-topped savanna tree.
void acacia(QPainter& p, QPointF base, double h, QColor c) {
  p.setPen(QPen(c, h * 0.04, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(base, base + QPointF(h * 0.05, -h * 0.6));
  p.drawLine(base + QPointF(h * 0.03, -h * 0.45), base + QPointF(-h * 0.25, -h * 0.75));
  p.drawLine(base + QPointF(h * 0.05, -h * 0.55), base + QPointF(h * 0.3, -h * 0.78));
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawEllipse(base + QPointF(0, -h * 0.82), h * 0.55, h * 0.12);
  p.drawEllipse(base + QPointF(-h * 0.2, -h * 0.88), h * 0.3, h * 0.09);
}

void cactus(QPainter& p, QPointF base, double h, QColor c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  double w = h * 0.16;
  p.drawRoundedRect(QRectF(base.x() - w / 2, base.y() - h, w, h), w / 2, w / 2);
  p.drawRoundedRect(QRectF(base.x() - w * 2.2, base.y() - h * 0.72, w * 0.8, h * 0.36), w * 0.4, w * 0.4);
  p.drawRect(QRectF(base.x() - w * 2.2 + w * 0.4, base.y() - h * 0.42, w * 1.8, w * 0.7));
  p.drawRoundedRect(QRectF(base.x() + w * 1.4, base.y() - h * 0.82, w * 0.8, h * 0.4), w * 0.4, w * 0.4);
  p.drawRect(QRectF(base.x(), base.y() - h * 0.5, w * 1.8, w * 0.7));
}

void hummingbird(QPainter& p, QPointF at, double s, QColor body, QColor wing) {
  p.save();
  p.translate(at);
  p.scale(s, s);
  p.rotate(-20);
  p.setPen(Qt::NoPen);
  p.setBrush(wing);
  p.drawEllipse(QPointF(-2, -10), 4, 11);
  p.setBrush(body);
  p.drawEllipse(QPointF(0, 0), 9, 4);
  p.drawEllipse(QPointF(8, -2), 3.5, 3.2);
  QPolygonF tail;
  tail << QPointF(-8, 0) << QPointF(-16, -3) << QPointF(-15, 4);
  p.drawPolygon(tail);
  p.setPen(QPen(body, 0.9));
  p.drawLine(QPointF(11, -2), QPointF(22, 0));
  p.restore();
}

void penguin(QPainter& p, QPointF base, double s) {
  p.save();
  p.translate(base);
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(25, 28, 35));
  p.drawEllipse(QPointF(0, -14), 7, 14);
  p.drawEllipse(QPointF(0, -29), 5, 5);
  p.setBrush(QColor(240, 240, 235));
  p.drawEllipse(QPointF(1.5, -12), 4.5, 11);
  p.setBrush(QColor(240, 170, 40));
  QPolygonF beak;
  beak << QPointF(4, -30) << QPointF(9, -29) << QPointF(4, -28);
  p.drawPolygon(beak);
  p.drawEllipse(QPointF(-2, 0), 3, 1.2);
  p.drawEllipse(QPointF(3, 0), 3, 1.2);
  p.restore();
}

void seal(QPainter& p, QPointF base, double s, QColor c) {
  p.save();
  p.translate(base);
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  QPainterPath b;
  b.moveTo(-30, 0);
  b.cubicTo(-20, -10, 5, -14, 16, -18);
  b.cubicTo(20, -24, 28, -22, 28, -16);
  b.cubicTo(26, -10, 18, -4, 16, 0);
  b.closeSubpath();
  p.drawPath(b);
  QPolygonF tail;
  tail << QPointF(-28, -1) << QPointF(-38, -6) << QPointF(-36, 1);
  p.drawPolygon(tail);
  p.restore();
}

void bubbles(QPainter& p, Rng& rng, QRectF area, int n, QColor rim) {
  for (int i = 0; i < n; ++i) {
    QPointF c(rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom()));
    double r = rng.range(1.5, 6.0) * (0.4 + (c.y() - area.top()) / std::max(1.0, area.height()));
    p.setPen(QPen(rim, 1.0));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.35), r * 0.25, r * 0.25);
  }
}

// A physiological record: a breathing rhythm, a slow drift and an event or two.
QPainterPath trace(Rng& rng, QRectF band, int kind) {
  QPainterPath path;
  double f = rng.range(0.04, 0.09), phase = rng.range(0, 6), drift = rng.range(-0.3, 0.3);
  double ev = rng.range(0.3, 0.7), evw = rng.range(0.05, 0.12);
  for (int x = 0; x <= int(band.width()); x += 2) {
    double t = x / band.width();
    double y = 0;
    switch (kind) {
      case 0:  // breathing
        y = 0.35 * std::sin(x * f + phase) + 0.1 * std::sin(x * f * 2.3);
        break;
      case 1:  // O2 dip as the animal becomes active
        y = 0.55 * std::exp(-std::pow((t - ev) / evw, 2)) + drift * t + 0.04 * std::sin(x * 0.3);
        break;
      case 2:  // CO2 rise with breaths riding on it
        y = -0.5 * std::exp(-std::pow((t - ev) / (evw * 1.6), 2)) + 0.12 * std::sin(x * f * 1.7 + phase);
        break;
      default:  // heartbeat
        {
          double beat = std::fmod(x * 0.05 + phase, 1.0);
          y = beat < 0.05 ? -0.8 * std::sin(beat / 0.05 * kPi) : (beat < 0.1 ? 0.25 * std::sin((beat - 0.05) / 0.05 * kPi) : 0.0);
          y += 0.08 * std::sin(x * 0.02);
        }
    }
    QPointF pt(band.left() + x, band.center().y() + y * band.height() * 0.5);
    if (x == 0) path.moveTo(pt);
    else path.lineTo(pt);
  }
  return path;
}

// ---------------------------------------------------------------- scenes

using Scene = std::function<void(QPainter&, Rng&, int variant)>;

void savanna(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  double hy = rng.range(185, 215);
  paintSky(p, s, hy);
  paintSun(p, QPointF(rng.range(300, 500), hy - rng.range(15, 70)), rng.range(18, 30), s.sun);
  paintClouds(p, rng, 3, 90, QColor(255, 240, 230));
  QColor far = mix(s.horizon, QColor(90, 70, 60), 0.45), near = mix(s.horizon, QColor(40, 28, 22), 0.85);
  fillLayer(p, ridge(rng, hy - 5, 10, 0.55), far, far.darker(110));
  fillLayer(p, hills(rng, hy + 30, 12), near, near.darker(140));
  QColor sil(30, 20, 18);
  acacia(p, QPointF(rng.range(60, 200), hy + 32), rng.range(90, 130), sil);
  int n = 1 + v % 3;
  for (int i = 0; i < n; ++i) deer(p, QPointF(rng.range(300, 500), hy + rng.range(20, 40)), rng.range(0.8, 1.2), rng.pick(2), sil, i == 0);
  flock(p, rng, QRectF(120, 40, 260, 70), 4 + rng.pick(5), QColor(40, 30, 40, 200));
}

void lake(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  double hy = rng.range(170, 195);
  paintSky(p, s, hy);
  paintSun(p, QPointF(rng.range(80, 470), rng.range(40, 100)), rng.range(14, 22), s.sun);
  QColor rock = mix(QColor(70, 78, 98), s.horizon, 0.25);
  QPainterPath mtn = ridge(rng, hy - 50, 42, 0.78);
  QImage above = canvas(W, H);
  {
    QPainter q;
    begin(q, above);
    fillLayer(q, mtn, rock.lighter(115), rock.darker(130));
    // Snow on the upper slopes.
    q.save();
    q.setClipPath(mtn);
    double peak = mtn.boundingRect().top();
    q.fillRect(QRectF(0, 0, W, peak + (hy - peak) * 0.3), QColor(240, 244, 250, 230));
    q.restore();
    fillLayer(q, hills(rng, hy + 2, 10), QColor(50, 90, 60), QColor(30, 60, 40));
    for (int i = 0; i < 26; ++i) pine(q, QPointF(rng.range(0, W), hy + 4), rng.range(18, 36), QColor(24, 52, 36));
    q.end();
  }
  p.drawImage(0, 0, above.copy(0, 0, W, int(hy) + 2));
  // Water: the scene mirrored, darkened and broken by ripples.
  QLinearGradient water(0, hy, 0, H);
  water.setColorAt(0, mix(s.horizon, QColor(40, 80, 120), 0.4));
  water.setColorAt(1, QColor(20, 45, 80));
  p.fillRect(QRectF(0, hy, W, H - hy), water);
  QImage mirrored = above.copy(0, 0, W, int(hy)).mirrored(false, true);
  p.setOpacity(0.45);
  p.drawImage(QPointF(0, hy), mirrored);
  p.setOpacity(1.0);
  p.setPen(QPen(QColor(255, 255, 255, 50), 1.0));
  for (int i = 0; i < 40; ++i) {
    double y = rng.range(hy + 4, H), x = rng.range(0, W);
    p.drawLine(QPointF(x, y), QPointF(x + rng.range(15, 60), y));
  }
  if (v % 2 == 0) {
    fish(p, QPointF(rng.range(150, 400), hy + rng.range(30, 60)), 1.2, QColor(20, 30, 40, 200), rng.pick(2));
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(rng.range(100, 450), hy + 40), 18, 4);
  } else {
    flock(p, rng, QRectF(200, 40, 250, 60), 5, QColor(30, 30, 40, 200));
  }
}

void labChamber(QPainter& p, Rng& rng, int v) {
  QLinearGradient wall(0, 0, 0, H);
  QColor tint = QColor::fromHsv(rng.pick(360), 40, 235);
  wall.setColorAt(0, tint);
  wall.setColorAt(1, tint.darker(125));
  p.fillRect(QRectF(0, 0, W, H), wall);
  // Shelf with bottles, out of focus.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 7; ++i) {
    QColor c = QColor::fromHsv(rng.pick(360), 90, 200, 120);
    p.setBrush(c);
    double x = 20 + i * 75 + rng.range(-10, 10);
    p.drawRoundedRect(QRectF(x, 40, 26, 55), 6, 6);
  }
  p.setBrush(QColor(120, 90, 60, 140));
  p.drawRect(QRectF(0, 95, W, 6));
  // Bench.
  QLinearGradient bench(0, 225, 0, H);
  bench.setColorAt(0, QColor(150, 110, 75));
  bench.setColorAt(1, QColor(95, 65, 45));
  p.setBrush(bench);
  p.drawRect(QRectF(0, 225, W, H - 225));
  bool aquatic = v % 2 == 1;
  QRectF ch(rng.range(60, 110), 120, 220, 108);
  // Chamber body.
  QLinearGradient glass(ch.topLeft(), ch.topRight());
  glass.setColorAt(0, QColor(200, 230, 245, aquatic ? 200 : 110));
  glass.setColorAt(0.5, QColor(230, 245, 255, aquatic ? 150 : 60));
  glass.setColorAt(1, QColor(180, 215, 235, aquatic ? 200 : 120));
  p.setPen(QPen(QColor(70, 110, 140), 2));
  p.setBrush(glass);
  p.drawRoundedRect(ch, 18, 18);
  if (aquatic) {
    QLinearGradient w(0, ch.top(), 0, ch.bottom());
    w.setColorAt(0, QColor(60, 150, 200, 120));
    w.setColorAt(1, QColor(20, 80, 140, 170));
    p.setPen(Qt::NoPen);
    p.setBrush(w);
    p.drawRoundedRect(ch.adjusted(4, 14, -4, -4), 14, 14);
    fish(p, ch.center() + QPointF(10, 10), 2.0, QColor(230, 140, 60), rng.pick(2));
    bubbles(p, rng, ch.adjusted(14, 18, -14, -12), 24, QColor(255, 255, 255, 160));
  } else {
    int who = v / 2 % 3;
    if (who == 0) mouse(p, ch.center() + QPointF(0, 30), 2.4, QColor(150, 130, 120), rng.pick(2));
    else if (who == 1) lizard(p, ch.center() + QPointF(10, 35), 1.8, QColor(90, 140, 70));
    else hummingbird(p, ch.center() + QPointF(0, 0), 2.2, QColor(40, 120, 90), QColor(160, 200, 190, 150));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 110));
  p.drawRoundedRect(QRectF(ch.left() + 14, ch.top() + 10, 10, ch.height() - 26), 5, 5);
  // Lid, tubing and the analyser.
  p.setBrush(QColor(60, 70, 85));
  p.drawRoundedRect(QRectF(ch.left() - 6, ch.top() - 8, ch.width() + 12, 12), 4, 4);
  QRectF box(ch.right() + 50, 150, 150, 80);
  p.setPen(QPen(QColor(60, 65, 75), 5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath tube;
  tube.moveTo(ch.right() - 30, ch.top() - 8);
  tube.cubicTo(ch.right() - 10, ch.top() - 60, box.left() - 30, box.top() - 60, box.left() + 30, box.top());
  p.drawPath(tube);
  p.setPen(QPen(QColor(40, 45, 55), 1.5));
  QLinearGradient bg(box.topLeft(), box.bottomLeft());
  bg.setColorAt(0, QColor(80, 88, 104));
  bg.setColorAt(1, QColor(45, 50, 62));
  p.setBrush(bg);
  p.drawRoundedRect(box, 6, 6);
  QRectF lcd(box.left() + 12, box.top() + 12, box.width() - 24, 30);
  p.setBrush(QColor(150, 225, 150));
  p.drawRect(lcd);
  p.setFont(sans(20, true));
  p.setPen(QColor(20, 60, 20));
  double reading = aquatic ? rng.range(6.5, 8.5) : rng.range(19.8, 20.9);
  centredText(p, lcd.center(), QString::number(reading, 'f', 2));
  p.setFont(sans(10, true));
  p.setPen(QColor(220, 225, 235));
  centredText(p, QPointF(box.center().x(), box.bottom() - 14), aquatic ? QString::fromUtf8("dissolved O₂ mg/l") : QString::fromUtf8("O₂ %"));
}

void scope(QPainter& p, Rng& rng, int v) {
  QLinearGradient bg(0, 0, 0, H);
  QColor base = QColor::fromHsv((200 + v * 37) % 360, 120, 40);
  bg.setColorAt(0, base.lighter(140));
  bg.setColorAt(1, base);
  p.fillRect(QRectF(0, 0, W, H), bg);
  p.setPen(QPen(QColor(255, 255, 255, 28), 1));
  for (int x = 0; x < W; x += 25) p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, H));
  for (int y = 0; y < H; y += 25) p.drawLine(QPointF(0, y + 0.5), QPointF(W, y + 0.5));
  // A selected block, as on the plot.
  double bx = rng.range(120, 360);
  p.fillRect(QRectF(bx, 0, rng.range(60, 120), H), QColor(255, 255, 255, 22));
  const QColor cols[] = {QColor(120, 240, 140), QColor(255, 170, 60), QColor(110, 190, 255), QColor(255, 110, 120)};
  int lanes = 3 + rng.pick(2);
  for (int i = 0; i < lanes; ++i) {
    QRectF band(0, 20 + i * (H - 40) / double(lanes), W, (H - 40) / double(lanes));
    QPainterPath t = trace(rng, band, (i + v) % 4);
    QColor c = cols[(i + v) % 4];
    QColor glow = c;
    glow.setAlpha(60);
    p.setPen(QPen(glow, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(t);
    p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
  }
}

void underwater(QPainter& p, Rng& rng, int v) {
  QLinearGradient g(0, 0, 0, H);
  QColor top = QColor::fromHsv(185 + rng.pick(30), 160, 210), deep = QColor::fromHsv(210 + rng.pick(15), 220, 70);
  g.setColorAt(0, top);
  g.setColorAt(1, deep);
  p.fillRect(QRectF(0, 0, W, H), g);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    double x = rng.range(0, W);
    QPolygonF ray;
    ray << QPointF(x, 0) << QPointF(x + 30, 0) << QPointF(x + rng.range(60, 160), H) << QPointF(x + rng.range(-20, 40), H);
    QLinearGradient rg(0, 0, 0, H);
    rg.setColorAt(0, QColor(255, 255, 255, 60));
    rg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(rg);
    p.drawPolygon(ray);
  }
  fillLayer(p, hills(rng, H - 25, 10), QColor(200, 180, 130), QColor(120, 100, 70));
  for (int i = 0; i < 10; ++i) {
    double x = rng.range(0, W);
    QPainterPath weed;
    weed.moveTo(x, H);
    double hgt = rng.range(50, 140);
    weed.cubicTo(x + rng.range(-25, 25), H - hgt * 0.4, x + rng.range(-25, 25), H - hgt * 0.7, x + rng.range(-10, 10), H - hgt);
    p.setPen(QPen(QColor(40, 120, 70, 200), rng.range(3, 6), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(weed);
  }
  int n = 3 + v % 4;
  for (int i = 0; i < n; ++i) {
    QColor c = i % 2 ? QColor(240, 150, 50) : QColor(20, 40, 60, 200);
    fish(p, QPointF(rng.range(40, 510), rng.range(60, 240)), rng.range(0.9, 2.0), c, rng.pick(2));
  }
  bubbles(p, rng, QRectF(rng.range(50, 400), 10, 90, 250), 30, QColor(255, 255, 255, 150));
}

void night(QPainter& p, Rng& rng, int v) {
  QLinearGradient g(0, 0, 0, H);
  g.setColorAt(0, QColor(8, 12, 35));
  g.setColorAt(1, QColor::fromHsv(260 + rng.pick(40), 120, 90));
  p.fillRect(QRectF(0, 0, W, H), g);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 160; ++i) {
    p.setBrush(QColor(255, 255, 240, int(rng.range(80, 255))));
    double r = rng.uniform() < 0.1 ? 1.3 : 0.7;
    p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, 200)), r, r);
  }
  QPointF moon(rng.range(60, 490), rng.range(40, 90));
  paintSun(p, moon, 20, QColor(245, 240, 215));
  p.setBrush(QColor(220, 215, 195, 120));
  p.drawEllipse(moon + QPointF(-6, -4), 4, 4);
  p.drawEllipse(moon + QPointF(5, 6), 3, 3);
  fillLayer(p, ridge(rng, 230, 25, 0.55), QColor(30, 30, 60), QColor(15, 15, 35));
  fillLayer(p, hills(rng, 265, 12), QColor(10, 10, 22), QColor(5, 5, 12));
  for (int i = 0; i < 8; ++i) pine(p, QPointF(rng.range(0, W), 270), rng.range(40, 80), QColor(6, 6, 14));
  int n = 3 + v % 4;
  for (int i = 0; i < n; ++i) bat(p, QPointF(rng.range(60, 500), rng.range(60, 190)), rng.range(0.8, 1.5), QColor(5, 5, 10));
}

void desert(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  double hy = rng.range(165, 190);
  paintSky(p, s, hy + 20);
  paintSun(p, QPointF(rng.range(80, 470), rng.range(45, 110)), rng.range(22, 34), s.sun);
  for (int k = 0; k < 3; ++k) {
    QColor sand = QColor::fromHsv(28 + k * 3, 110 + k * 25, 230 - k * 30);
    fillLayer(p, hills(rng, hy + k * 35, 16 - k * 3), sand.lighter(110), sand.darker(120));
  }
  QColor sil = mix(QColor(40, 60, 40), s.top, 0.2);
  cactus(p, QPointF(rng.range(40, 160), 275), rng.range(80, 130), sil);
  if (v % 2 == 0) cactus(p, QPointF(rng.range(420, 520), 250), rng.range(40, 60), sil.lighter(130));
  lizard(p, QPointF(rng.range(250, 420), 272), rng.range(1.2, 1.8), QColor(60, 45, 35));
}

void forest(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  paintSky(p, s, H);
  paintSun(p, QPointF(rng.range(100, 450), rng.range(50, 120)), 18, s.sun);
  for (int layer = 0; layer < 4; ++layer) {
    double t = layer / 3.0;
    QColor c = mix(mix(s.horizon, QColor(60, 100, 80), 0.5), QColor(14, 36, 26), t);
    double base = 170 + layer * 40;
    for (int i = 0; i < 16 - layer * 2; ++i) pine(p, QPointF(rng.range(-20, W + 20), base + rng.range(-8, 8)), rng.range(60, 110) * (1 + t * 0.6), c);
    p.fillRect(QRectF(0, base, W, H - base), c);
    QLinearGradient fog(0, base - 40, 0, base + 10);
    QColor fc = s.horizon;
    fc.setAlpha(0);
    fog.setColorAt(0, fc);
    fc.setAlpha(layer < 3 ? 90 : 0);
    fog.setColorAt(1, fc);
    p.fillRect(QRectF(0, base - 40, W, 50), fog);
  }
  flock(p, rng, QRectF(80, 30, 380, 80), 2 + v % 4, QColor(30, 30, 30, 200));
}

void bokeh(QPainter& p, Rng& rng, int v) {
  QLinearGradient g(0, 0, W, H);
  QColor a = QColor::fromHsv(rng.pick(360), 160, 90), b = QColor::fromHsv(rng.pick(360), 180, 40);
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  p.fillRect(QRectF(0, 0, W, H), g);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 45; ++i) {
    QPointF c(rng.range(0, W), rng.range(0, H));
    double r = rng.range(8, 45);
    QRadialGradient rg(c, r);
    QColor col = QColor::fromHsv((a.hue() + rng.pick(80)) % 360, 90, 255, int(rng.range(30, 90)));
    rg.setColorAt(0, col);
    rg.setColorAt(0.85, col);
    col.setAlpha(0);
    rg.setColorAt(1, col);
    p.setBrush(rg);
    p.drawEllipse(c, r, r);
  }
  QPainterPath t = trace(rng, QRectF(0, 200, W, 70), v % 4);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 70), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(t);
  p.setPen(QPen(QColor(255, 255, 255, 220), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(t);
}

void polar(QPainter& p, Rng& rng, int v) {
  bool aurora = v % 2 == 0;
  QLinearGradient g(0, 0, 0, 200);
  g.setColorAt(0, aurora ? QColor(10, 20, 45) : QColor(110, 160, 210));
  g.setColorAt(1, aurora ? QColor(30, 60, 90) : QColor(220, 235, 245));
  p.fillRect(QRectF(0, 0, W, H), g);
  if (aurora) {
    for (int k = 0; k < 3; ++k) {
      QPainterPath band;
      double y0 = rng.range(40, 110), a = rng.range(15, 35), f = rng.range(0.008, 0.02), ph = rng.range(0, 6);
      band.moveTo(0, y0);
      for (int x = 0; x <= W; x += 10) band.lineTo(x, y0 + a * std::sin(x * f + ph));
      for (int x = W; x >= 0; x -= 10) band.lineTo(x, y0 + a * std::sin(x * f + ph) - rng.range(28, 40));
      band.closeSubpath();
      QLinearGradient ag(0, y0 - 50, 0, y0 + 30);
      ag.setColorAt(0, QColor(120, 80, 220, 0));
      ag.setColorAt(0.5, QColor(80, 255, 170, 90));
      ag.setColorAt(1, QColor(80, 255, 170, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(ag);
      p.drawPath(band);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 80; ++i) {
      p.setBrush(QColor(255, 255, 255, int(rng.range(80, 220))));
      p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, 180)), 0.7, 0.7);
    }
  } else {
    paintSun(p, QPointF(rng.range(80, 470), rng.range(30, 70)), 16, QColor(255, 250, 230));
  }
  QColor ice1 = aurora ? QColor(120, 140, 170) : QColor(235, 242, 250), ice2 = aurora ? QColor(70, 90, 120) : QColor(190, 210, 230);
  fillLayer(p, ridge(rng, 195, 22, 0.5), ice1, ice2);
  QLinearGradient sea(0, 205, 0, H);
  sea.setColorAt(0, aurora ? QColor(20, 40, 70) : QColor(60, 110, 160));
  sea.setColorAt(1, aurora ? QColor(10, 20, 40) : QColor(30, 70, 120));
  p.fillRect(QRectF(0, 205, W, H - 205), sea);
  QPainterPath floe;
  floe.addRoundedRect(QRectF(rng.range(180, 300), 235, 240, 30), 10, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(aurora ? QColor(150, 170, 200) : QColor(245, 250, 255));
  p.drawPath(floe);
  QRectF fb = floe.boundingRect();
  if (aurora) {
    seal(p, QPointF(fb.center().x(), fb.top() + 2), 1.4, QColor(30, 35, 45));
  } else {
    int n = 2 + rng.pick(4);
    for (int i = 0; i < n; ++i) penguin(p, QPointF(fb.left() + 30 + i * 38 + rng.range(-6, 6), fb.top() + 4), rng.range(1.1, 1.5));
  }
}

void meadow(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  paintSky(p, s, 200);
  paintSun(p, QPointF(rng.range(60, 490), rng.range(35, 80)), 18, s.sun);
  paintClouds(p, rng, 4, 100, QColor(255, 255, 255));
  fillLayer(p, hills(rng, 190, 18), QColor(120, 170, 90), QColor(80, 130, 60));
  fillLayer(p, hills(rng, 235, 14), QColor(90, 150, 60), QColor(50, 100, 40));
  broadTree(p, rng, QPointF(rng.range(40, 140), 220), rng.range(80, 110), QColor(70, 50, 35), QColor(50, 110, 50));
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 120; ++i) {
    QPointF c(rng.range(0, W), rng.range(240, H));
    p.setBrush(QColor::fromHsv(rng.pick(2) ? 50 + rng.pick(10) : 330 + rng.pick(25), 180, 250));
    double r = rng.range(1.5, 3.2) * (c.y() - 200) / 97;
    p.drawEllipse(c, r, r);
  }
  if (v % 2 == 0) {
    QPointF f(rng.range(280, 460), 250);
    p.setPen(QPen(QColor(40, 110, 40), 2));
    p.drawLine(f, f + QPointF(0, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 60, 90));
    for (int k = 0; k < 5; ++k) p.drawEllipse(f + QPointF(6 * std::cos(k * 1.256), 6 * std::sin(k * 1.256)), 5, 5);
    hummingbird(p, f + QPointF(-45, -30), 1.8, QColor(30, 110, 90), QColor(170, 210, 200, 150));
  } else {
    mouse(p, QPointF(rng.range(250, 450), 262), 1.6, QColor(110, 80, 60), rng.pick(2));
    flock(p, rng, QRectF(150, 50, 300, 60), 4, QColor(40, 40, 50, 200));
  }
}

void coast(QPainter& p, Rng& rng, int v) {
  Sky s = pickSky(rng);
  double hy = rng.range(160, 185);
  paintSky(p, s, hy);
  paintSun(p, QPointF(rng.range(100, 450), hy - rng.range(10, 60)), 24, s.sun);
  paintClouds(p, rng, 3, 100, QColor(255, 245, 240));
  QLinearGradient sea(0, hy, 0, H);
  sea.setColorAt(0, mix(s.horizon, QColor(30, 90, 140), 0.5));
  sea.setColorAt(1, QColor(15, 50, 90));
  p.fillRect(QRectF(0, hy, W, H - hy), sea);
  p.setPen(QPen(QColor(255, 255, 255, 70), 1.2));
  for (int i = 0; i < 50; ++i) {
    double y = rng.range(hy + 3, H), x = rng.range(0, W);
    p.drawLine(QPointF(x, y), QPointF(x + rng.range(10, 40) * (y - hy) / 60, y));
  }
  QPainterPath cliff;
  bool left = v % 2 == 0;
  double cx = left ? 0 : W;
  cliff.moveTo(cx, hy - 70);
  cliff.cubicTo(cx + (left ? 90 : -90), hy - 75, cx + (left ? 120 : -120), hy - 20, cx + (left ? 170 : -170), H);
  cliff.lineTo(cx, H);
  cliff.closeSubpath();
  fillLayer(p, cliff, QColor(120, 100, 80), QColor(60, 45, 35));
  flock(p, rng, QRectF(160, 40, 300, 90), 6 + rng.pick(6), QColor(250, 250, 250, 220));
  if (v % 3 == 0) seal(p, QPointF(left ? 90 : W - 90, H - 12), 1.2, QColor(40, 35, 30));
}

}  // namespace

namespace {

QImage photo(int index) {
  static const Scene scenes[] = {savanna, lake, labChamber, scope, underwater, night, desert, forest, bokeh, polar, meadow, coast};
  const int n = int(std::size(scenes));
  Rng rng(std::uint64_t(index) * 7919u + 17u);
  QImage img = canvas(W, H, Qt::black);
  QPainter p;
  begin(p, img);
  scenes[(index - 1) % n](p, rng, (index - 1) / n);
  // A light vignette, as a lens would give.
  QRadialGradient vig(QPointF(W / 2.0, H / 2.0), W * 0.65);
  vig.setColorAt(0.6, QColor(0, 0, 0, 0));
  vig.setColorAt(1, QColor(0, 0, 0, 70));
  p.fillRect(QRectF(0, 0, W, H), vig);
  p.end();
  return img;
}

// The name and a line about the program, over a transparent ground so that it reads on every picture.
// A small animal peeks over the name; its eyes are where the start-up animation draws its blinking eyes.
QImage logoText() {
  QImage img = canvas(W, H);
  QPainter p;
  begin(p, img);
  const QColor fur = kEyeFur;
  QPainterPath head;
  head.addEllipse(QPointF(140, 104), 46, 36);
  QPainterPath ears;
  ears.addEllipse(QPointF(104, 74), 14, 14);
  ears.addEllipse(QPointF(176, 74), 14, 14);
  QPainterPath critter = head.united(ears);
  p.setPen(QPen(QColor(20, 14, 12), 2));
  p.setBrush(fur);
  p.drawPath(critter);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 140, 130));
  p.drawEllipse(QPointF(104, 74), 7, 7);
  p.drawEllipse(QPointF(176, 74), 7, 7);
  drawEyesInto(p, QPointF(107, 87));

  QFont name = sans(66, true);
  QPainterPath word;
  word.addText(QPointF(64, 168), name, "Quorvelant");
  for (int k = 6; k >= 1; --k) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 22));
    p.drawPath(word.translated(k * 0.7, k * 0.9));
  }
  p.setPen(QPen(QColor(8, 30, 44, 235), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(word);
  QLinearGradient fill(0, 118, 0, 170);
  fill.setColorAt(0, QColor(255, 255, 255));
  fill.setColorAt(1, QColor(196, 236, 246));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(word);

  // A breath trace under the name.
  QPainterPath t;
  for (int x = 0; x <= 410; x += 2) {
    double u = x / 410.0;
    double y = 184 - 7 * std::sin(u * 2 * kPi * 6) * std::sin(u * kPi);
    if (x == 0) t.moveTo(66 + x, y);
    else t.lineTo(66 + x, y);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(8, 30, 44, 200), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(t);
  p.setPen(QPen(QColor(255, 170, 60), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(t);

  outlinedText(p, QPointF(70, 218), "respirometry and physiology recordings", sans(18, true, true), Qt::white,
               QColor(8, 30, 44, 230), 4);
  p.end();
  return img;
}

}  // namespace

bool makePhotos(const QString& dir) {
  bool ok = true;
  for (int i = 1; i <= 46; ++i) ok &= save(photo(i), dir, QString("photo%1.png").arg(i, 2, 10, QChar('0')));
  ok &= save(logoText(), dir, "logo text.png");
  return ok;
}

}  // namespace mk
