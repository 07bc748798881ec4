#include "paint.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mk {

QImage canvas(int w, int h, QColor fill) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(fill);
  return img;
}

void begin(QPainter& p, QImage& img) {
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

bool save(const QImage& img, const QString& dir, const QString& name) {
  QDir().mkpath(dir);
  QString path = dir + "/" + name;
  // Opaque pictures are stored without an alpha channel: the files are smaller.
  QImage out = img.hasAlphaChannel() && !img.isNull() ? img.convertToFormat(QImage::Format_ARGB32) : img;
  bool opaque = true;
  for (int y = 0; y < out.height() && opaque; ++y) {
    auto* row = reinterpret_cast<const QRgb*>(out.constScanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (qAlpha(row[x]) != 255) {
        opaque = false;
        break;
      }
  }
  if (opaque) out = out.convertToFormat(QImage::Format_RGB888);
  if (!out.save(path, "PNG", 0)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

static QFont family(const char* name, double px, bool bold, bool italic) {
  QFont f(name);
  f.setPixelSize(std::max(1, int(std::lround(px))));
  f.setBold(bold);
  f.setItalic(italic);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QFont sans(double px, bool bold, bool italic) { return family("DejaVu Sans", px, bold, italic); }
QFont serif(double px, bool bold, bool italic) { return family("DejaVu Serif", px, bold, italic); }

void centredText(QPainter& p, QPointF c, const QString& text) {
  QFontMetricsF fm(p.font());
  double w = fm.horizontalAdvance(text);
  double y = c.y() + (fm.ascent() - fm.descent()) / 2.0;
  p.drawText(QPointF(c.x() - w / 2.0, y), text);
}

void outlinedText(QPainter& p, QPointF baseline, const QString& text, const QFont& f, QColor fill, QColor edge,
                  double edgeWidth) {
  QPainterPath path;
  path.addText(baseline, f, text);
  p.save();
  p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
  p.restore();
}

QColor mix(QColor a, QColor b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t),
                          float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void arrowHead(QPainter& p, QPointF tip, double dx, double dy, double size, QColor c) {
  double len = std::hypot(dx, dy);
  if (len <= 0) return;
  dx /= len;
  dy /= len;
  QPointF back(tip.x() - dx * size, tip.y() - dy * size);
  QPointF side(-dy * size * 0.5, dx * size * 0.5);
  QPainterPath head;
  head.moveTo(tip);
  head.lineTo(back + side);
  head.lineTo(back - side);
  head.closeSubpath();
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(head);
  p.restore();
}

void arrowLine(QPainter& p, QPointF a, QPointF b, QColor c, double width, double head) {
  double dx = b.x() - a.x(), dy = b.y() - a.y();
  double len = std::hypot(dx, dy);
  if (len <= 0) return;
  QPointF stop(b.x() - dx / len * head * 0.8, b.y() - dy / len * head * 0.8);
  p.save();
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(a, stop);
  p.restore();
  arrowHead(p, b, dx, dy, head, c);
}

static double lattice(int ix, int iy, std::uint32_t seed) {
  std::uint32_t h = std::uint32_t(ix) * 374761393u + std::uint32_t(iy) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

double valueNoise(double x, double y, std::uint32_t seed, int periodX) {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  auto wrap = [periodX](int i) { return periodX > 0 ? ((i % periodX) + periodX) % periodX : i; };
  double a = lattice(wrap(ix), iy, seed), b = lattice(wrap(ix + 1), iy, seed);
  double c = lattice(wrap(ix), iy + 1, seed), d = lattice(wrap(ix + 1), iy + 1, seed);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves, int periodX) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * valueNoise(x, y, seed + std::uint32_t(o) * 101u, periodX);
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
    periodX *= 2;
  }
  return sum / norm;
}

}  // namespace mk

namespace mk {

QImage supersampled(int w, int h, int k, const std::function<void(QPainter&)>& draw) {
  QImage big = canvas(w * k, h * k);
  QPainter p;
  begin(p, big);
  p.scale(k, k);
  draw(p);
  p.end();
  return big.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace mk
