// Small drawing helpers shared by the picture makers.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <cstdint>

namespace mk {

// Every picture is drawn from a fixed seed, so running the maker twice gives the same files.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
  std::uint64_t next() {
    s_ ^= s_ >> 12;
    s_ ^= s_ << 25;
    s_ ^= s_ >> 27;
    return s_ * 0x2545F4914F6CDD1Dull;
  }
  double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
  double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
  int pick(int n) { return int(next() % std::uint64_t(n)); }

 private:
  std::uint64_t s_;
};

QImage canvas(int w, int h, QColor fill = Qt::transparent);
void begin(QPainter& p, QImage& img);
bool save(const QImage& img, const QString& dir, const QString& name);

QFont sans(double px, bool bold = false, bool italic = false);
QFont serif(double px, bool bold = false, bool italic = false);

// Text centred on a point (both ways).
void centredText(QPainter& p, QPointF c, const QString& text);
// Text drawn with a contrasting outline, for captions laid over varied backgrounds.
void outlinedText(QPainter& p, QPointF baseline, const QString& text, const QFont& f, QColor fill, QColor edge,
                  double edgeWidth);

QColor mix(QColor a, QColor b, double t);
// A filled arrow head at `tip` pointing along (dx, dy).
void arrowHead(QPainter& p, QPointF tip, double dx, double dy, double size, QColor c);
// A line with an arrow head at its end.
void arrowLine(QPainter& p, QPointF a, QPointF b, QColor c, double width = 1.2, double head = 5.0);

// Smooth value noise in [0, 1], tileable in x with period `periodX` lattice cells.
double valueNoise(double x, double y, std::uint32_t seed, int periodX = 0);
double fractalNoise(double x, double y, std::uint32_t seed, int octaves, int periodX = 0);

}  // namespace mk

#include <functional>

namespace mk {
// Draws at `k` times the size and scales down: small icons get even edges that way.
QImage supersampled(int w, int h, int k, const std::function<void(QPainter&)>& draw);
}  // namespace mk
