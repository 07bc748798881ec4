// Warning icons, the fly, the eyes, the cursor, file-type icons, the logo and the word-mark.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "makers.h"
#include "paint.h"

namespace mk {
namespace {

constexpr double kPi = 3.14159265358979323846;

QImage stopIcon() {
  return supersampled(32, 32, 4, [](QPainter& p) {
    QPolygonF oct, inner;
    for (int i = 0; i < 8; ++i) {
      double a = (22.5 + 45.0 * i) * kPi / 180.0;
      oct << QPointF(16 + 15.4 * std::cos(a), 16 + 15.4 * std::sin(a));
      inner << QPointF(16 + 13.2 * std::cos(a), 16 + 13.2 * std::sin(a));
    }
    p.setPen(QPen(QColor(110, 10, 10), 0.9));
    p.setBrush(QColor(250, 250, 250));
    p.drawPolygon(oct);
    QRadialGradient g(QPointF(13, 11), 18);
    g.setColorAt(0, QColor(240, 70, 60));
    g.setColorAt(1, QColor(180, 16, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(inner);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 13.2, 19, 5.6), 1.2, 1.2);
  });
}

QImage cautionIcon() {
  return supersampled(29, 29, 4, [](QPainter& p) {
    QPolygonF tri;
    tri << QPointF(14.5, 2.0) << QPointF(27.3, 26.3) << QPointF(1.7, 26.3);
    QLinearGradient g(0, 2, 0, 27);
    g.setColorAt(0, QColor(255, 228, 90));
    g.setColorAt(1, QColor(245, 188, 20));
    p.setPen(QPen(QColor(30, 30, 30), 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(tri);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(15, 15, 15));
    QPainterPath bar;
    bar.moveTo(13.0, 9.0);
    bar.lineTo(16.0, 9.0);
    bar.lineTo(15.3, 19.0);
    bar.lineTo(13.7, 19.0);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(14.5, 22.3), 1.6, 1.6);
  });
}

QImage skullIcon() {
  return supersampled(32, 32, 4, [](QPainter& p) {
    QColor bone(242, 238, 226), edge(35, 30, 28);
    p.setPen(QPen(edge, 1.3));
    p.setBrush(bone);
    QPainterPath head;
    head.addEllipse(QPointF(16, 13.2), 11.5, 10.8);
    QPainterPath jaw;
    jaw.addRoundedRect(QRectF(9.5, 18.0, 13.0, 11.0), 3.0, 3.0);
    p.drawPath(head.united(jaw));
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawEllipse(QPointF(11.3, 14.4), 3.3, 3.7);
    p.drawEllipse(QPointF(20.7, 14.4), 3.3, 3.7);
    QPolygonF nose;
    nose << QPointF(16, 18.2) << QPointF(17.6, 21.4) << QPointF(14.4, 21.4);
    p.drawPolygon(nose);
    p.setPen(QPen(edge, 1.0));
    for (double x : {13.0, 16.0, 19.0}) p.drawLine(QPointF(x, 24.0), QPointF(x, 28.4));
    p.drawLine(QPointF(11.0, 24.0), QPointF(21.0, 24.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(11.5, 7.5), 3.0, 1.6);
  });
}

QImage fly() {
  return supersampled(10, 10, 8, [](QPainter& p) {
    p.setPen(QPen(QColor(60, 70, 80, 160), 0.25));
    p.setBrush(QColor(200, 220, 235, 170));
    p.save();
    p.translate(3.0, 4.6);
    p.rotate(-35);
    p.drawEllipse(QPointF(0, 0), 2.6, 1.4);
    p.restore();
    p.save();
    p.translate(7.0, 4.6);
    p.rotate(35);
    p.drawEllipse(QPointF(0, 0), 2.6, 1.4);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 30));
    p.drawEllipse(QPointF(5, 6.2), 2.2, 3.3);
    p.drawEllipse(QPointF(5, 3.0), 1.6, 1.4);
    p.setBrush(QColor(170, 30, 20));
    p.drawEllipse(QPointF(4.1, 2.6), 0.7, 0.7);
    p.drawEllipse(QPointF(5.9, 2.6), 0.7, 0.7);
  });
}

// The pair of eyes of the start-up window: a lid that closes to `lid` (0 open, 1 shut) and
// pupils displaced by (dx, dy) from the centre, in units of the eye's free room.
void drawEyes(QPainter& p, double lid, double dx, double dy) {
  const QColor fur = kEyeFur;
  const QPointF centres[2] = {QPointF(17, 7.5), QPointF(49, 7.5)};
  for (const QPointF& c : centres) {
    QPainterPath eye;
    eye.addEllipse(c, 13.6, 6.6);
    p.save();
    p.setClipPath(eye);
    QRadialGradient white(c + QPointF(-3, -2), 14);
    white.setColorAt(0, QColor(255, 255, 252));
    white.setColorAt(1, QColor(214, 212, 204));
    p.fillRect(QRectF(c.x() - 14, 0, 28, 15), white);
    QPointF pc(c.x() + dx * 7.0, c.y() + dy * 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 112, 36));
    p.drawEllipse(pc, 5.4, 5.4);
    p.setBrush(QColor(12, 10, 10));
    p.drawEllipse(pc, 3.3, 3.3);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(pc + QPointF(-1.4, -1.4), 1.1, 1.1);
    if (lid > 0) {
      double edge = c.y() - 6.6 + 13.2 * lid;
      QPainterPath upper;
      upper.moveTo(c.x() - 15, -1);
      upper.lineTo(c.x() + 15, -1);
      upper.lineTo(c.x() + 15, edge - 1.5);
      upper.quadTo(c.x(), edge + 2.5, c.x() - 15, edge - 1.5);
      upper.closeSubpath();
      p.setBrush(fur);
      p.drawPath(upper);
      p.setPen(QPen(QColor(15, 10, 8), 1.1));
      p.setBrush(Qt::NoBrush);
      QPainterPath lash;
      lash.moveTo(c.x() - 15, edge - 1.5);
      lash.quadTo(c.x(), edge + 2.5, c.x() + 15, edge - 1.5);
      p.drawPath(lash);
      if (lid >= 1.0) {
        // Shut: the lashes meet across the middle of the eye.
        QPainterPath shut;
        shut.moveTo(c.x() - 12, c.y() + 0.5);
        shut.quadTo(c.x(), c.y() + 4.5, c.x() + 12, c.y() + 0.5);
        p.setPen(QPen(QColor(15, 10, 8), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(shut);
      }
    }
    p.restore();
    p.setPen(QPen(QColor(20, 14, 12), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 13.6, 6.6);
  }
}

QImage eyes(int state) {
  struct Pose {
    double lid, dx, dy;
  };
  static const Pose poses[8] = {
      {0.0, 0.0, 0.0},   {0.0, -1.0, 0.0}, {0.0, 1.0, 0.0},  {0.15, 0.0, -1.0},
      {0.25, 0.3, 1.0},  {0.5, 0.0, 0.4},  {1.0, 0.0, 0.0},  {0.45, -0.8, 0.6},
  };
  const Pose& q = poses[state - 1];
  return supersampled(66, 15, 4, [&](QPainter& p) { drawEyes(p, q.lid, q.dx, q.dy); });
}

QImage crossCursor() {
  // Hot spot at (6, 6): a light cross with a dark rim so it shows on dark plots and light ones.
  QImage img = canvas(16, 16);
  auto set = [&img](int x, int y, QRgb c) {
    if (x >= 0 && y >= 0 && x < 16 && y < 16) img.setPixel(x, y, c);
  };
  const QRgb rim = qRgba(0, 0, 0, 200), light = qRgba(255, 255, 190, 255);
  for (int i = 0; i <= 12; ++i) {
    if (i >= 5 && i <= 7) continue;
    set(i, 5, rim);
    set(i, 7, rim);
    set(5, i, rim);
    set(7, i, rim);
  }
  for (int i : {-1, 13}) {
    set(i, 6, rim);
    set(6, i, rim);
  }
  for (int i = 0; i <= 12; ++i) {
    if (i >= 5 && i <= 7) continue;
    set(i, 6, light);
    set(6, i, light);
  }
  // The rim ends of the arms close each bar.
  for (int i : {4, 8}) {
    set(i, 5, rim);
    set(i, 7, rim);
    set(5, i, rim);
    set(7, i, rim);
  }
  set(6, 6, light);
  return img;
}

// A sheet of paper with a folded corner, a coloured band with a caption, and `content` drawn on the page.
QImage documentIcon(int w, int h, QColor band, const QString& caption,
                    const std::function<void(QPainter&, QRectF)>& content) {
  return supersampled(w, h, 4, [&](QPainter& p) {
    double fold = std::min(w, h) * 0.22;
    QRectF page(4.5, 2.5, w - 10.0, h - 7.0);
    QPainterPath sheet;
    sheet.moveTo(page.left(), page.top());
    sheet.lineTo(page.right() - fold, page.top());
    sheet.lineTo(page.right(), page.top() + fold);
    sheet.lineTo(page.right(), page.bottom());
    sheet.lineTo(page.left(), page.bottom());
    sheet.closeSubpath();
    p.save();
    p.translate(2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(sheet);
    p.restore();
    QLinearGradient g(page.topLeft(), page.bottomRight());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(226, 230, 236));
    p.setPen(QPen(QColor(90, 96, 110), 1.0));
    p.setBrush(g);
    p.drawPath(sheet);
    QPainterPath dog;
    dog.moveTo(page.right() - fold, page.top());
    dog.lineTo(page.right() - fold, page.top() + fold);
    dog.lineTo(page.right(), page.top() + fold);
    dog.closeSubpath();
    p.setBrush(QColor(200, 206, 216));
    p.drawPath(dog);
    QRectF inner(page.left() + 5, page.top() + fold + 2, page.width() - 10, page.height() - fold - 2);
    double bandH = std::max(14.0, h * 0.22);
    QRectF bandRect(page.left() - 2.5, page.bottom() - bandH - 5, page.width() + 5, bandH);
    content(p, QRectF(inner.left(), page.top() + 5, inner.width() - fold + 2, bandRect.top() - page.top() - 8));
    QLinearGradient bg(bandRect.topLeft(), bandRect.bottomLeft());
    bg.setColorAt(0, band.lighter(125));
    bg.setColorAt(1, band.darker(115));
    p.setPen(QPen(band.darker(160), 0.8));
    p.setBrush(bg);
    p.drawRoundedRect(bandRect, 2.5, 2.5);
    double px = bandH * 0.66;
    QFont f = sans(px, true);
    QFontMetricsF fm(f);
    while (fm.horizontalAdvance(caption) > bandRect.width() - 6 && px > 6) {
      px -= 0.5;
      f = sans(px, true);
      fm = QFontMetricsF(f);
    }
    p.setFont(f);
    p.setPen(Qt::white);
    centredText(p, bandRect.center(), caption);
  });
}

void traceContent(QPainter& p, QRectF r, QColor a, QColor b) {
  p.setPen(QPen(QColor(200, 205, 215), 0.6));
  for (int i = 1; i < 4; ++i) p.drawLine(QPointF(r.left(), r.top() + r.height() * i / 4), QPointF(r.right(), r.top() + r.height() * i / 4));
  auto trace = [&](QColor c, double phase, double amp, double base) {
    QPainterPath path;
    for (int i = 0; i <= 60; ++i) {
      double t = double(i) / 60;
      double y = base + amp * std::sin(t * 9 + phase) * std::exp(-std::pow((t - 0.55) * 2.2, 2));
      QPointF pt(r.left() + t * r.width(), r.top() + r.height() * y);
      if (i == 0) path.moveTo(pt);
      else path.lineTo(pt);
    }
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  };
  trace(a, 0.0, 0.22, 0.35);
  trace(b, 1.7, 0.18, 0.72);
}

void textLines(QPainter& p, QRectF r, QColor c, int n) {
  p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < n; ++i) {
    double y = r.top() + 3 + i * (r.height() - 4) / std::max(1, n - 1);
    double len = (i % 3 == 2) ? 0.6 : 0.95;
    p.drawLine(QPointF(r.left(), y), QPointF(r.left() + r.width() * len, y));
  }
}

QImage csvIcon() {
  return documentIcon(70, 78, QColor(46, 140, 70), "csv", [](QPainter& p, QRectF r) {
    p.setFont(sans(7.2));
    p.setPen(QColor(60, 70, 90));
    const char* rows[] = {"t,O2,CO2", "0,20.9,0.04", "1,20.7,0.21", "2,20.6,0.30", "3,20.8,0.12"};
    double step = r.height() / 5.0;
    for (int i = 0; i < 5; ++i) p.drawText(QPointF(r.left(), r.top() + step * (i + 0.8)), rows[i]);
  });
}

QImage excelIcon() {
  return documentIcon(76, 63, QColor(24, 110, 60), "xls", [](QPainter& p, QRectF r) {
    p.setPen(QPen(QColor(120, 150, 130), 0.7));
    p.setBrush(QColor(232, 244, 236));
    p.drawRect(r);
    for (int i = 1; i < 4; ++i) p.drawLine(QPointF(r.left() + r.width() * i / 4, r.top()), QPointF(r.left() + r.width() * i / 4, r.bottom()));
    for (int i = 1; i < 4; ++i) p.drawLine(QPointF(r.left(), r.top() + r.height() * i / 4), QPointF(r.right(), r.top() + r.height() * i / 4));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 4), QColor(24, 110, 60, 90));
  });
}

QImage pdfIcon() {
  return documentIcon(62, 74, QColor(196, 32, 36), "PDF", [](QPainter& p, QRectF r) {
    textLines(p, QRectF(r.left(), r.top(), r.width(), r.height() * 0.45), QColor(150, 155, 170), 3);
    QRectF plot(r.left(), r.top() + r.height() * 0.55, r.width(), r.height() * 0.45);
    p.setPen(QPen(QColor(196, 32, 36), 1.3));
    QPainterPath path;
    for (int i = 0; i <= 30; ++i) {
      double t = i / 30.0;
      QPointF pt(plot.left() + t * plot.width(), plot.center().y() - std::sin(t * 12) * plot.height() * 0.35);
      if (i == 0) path.moveTo(pt);
      else path.lineTo(pt);
    }
    p.drawPath(path);
  });
}

QImage kxTextIcon() {
  return documentIcon(100, 112, QColor(16, 96, 128), "text", [](QPainter& p, QRectF r) {
    double px = 15;
    QFont f = serif(px, true, true);
    while (QFontMetricsF(f).horizontalAdvance("Quorvelant") > r.width() + 4 && px > 6) f = serif(px -= 0.5, true, true);
    p.setFont(f);
    p.setPen(QColor(16, 84, 112));
    p.drawText(QPointF(r.left(), r.top() + 16), "Quorvelant");
    p.setPen(QPen(QColor(230, 120, 40), 1.4));
    p.drawLine(QPointF(r.left(), r.top() + 21), QPointF(r.left() + 70, r.top() + 21));
    textLines(p, QRectF(r.left(), r.top() + 28, r.width(), r.height() - 30), QColor(150, 158, 175), 5);
  });
}

QImage arrowIcon() {
  return supersampled(48, 28, 4, [](QPainter& p) {
    QPainterPath a;
    a.moveTo(3, 10);
    a.lineTo(28, 10);
    a.lineTo(28, 3);
    a.lineTo(45, 14);
    a.lineTo(28, 25);
    a.lineTo(28, 18);
    a.lineTo(3, 18);
    a.closeSubpath();
    QLinearGradient g(0, 3, 0, 25);
    g.setColorAt(0, QColor(110, 170, 240));
    g.setColorAt(1, QColor(30, 90, 180));
    p.setPen(QPen(QColor(20, 50, 110), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(a);
  });
}

QPainterPath gear(QPointF c, double r, int teeth, double toothDepth, double rotation) {
  QPainterPath path;
  const int steps = teeth * 4;
  for (int i = 0; i <= steps; ++i) {
    double a = rotation + 2 * kPi * i / steps;
    int phase = i % 4;
    double rr = (phase == 1 || phase == 2) ? r + toothDepth : r;
    QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    if (i == 0) path.moveTo(pt);
    else path.lineTo(pt);
  }
  path.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(c, r * 0.32, r * 0.32);
  return path.subtracted(hole);
}

QImage gearsIcon() {
  return supersampled(90, 78, 4, [](QPainter& p) {
    auto paint = [&](const QPainterPath& g, QColor light, QColor dark) {
      QRectF b = g.boundingRect();
      QLinearGradient lg(b.topLeft(), b.bottomRight());
      lg.setColorAt(0, light);
      lg.setColorAt(1, dark);
      p.setPen(QPen(dark.darker(150), 1.0));
      p.setBrush(lg);
      p.drawPath(g);
    };
    paint(gear(QPointF(32, 42), 22, 12, 5.5, 0.0), QColor(200, 206, 214), QColor(100, 110, 125));
    paint(gear(QPointF(67, 24), 13, 8, 4.5, 0.18), QColor(236, 190, 110), QColor(170, 110, 40));
  });
}

// The logo: a breathing trace on a round dial.
QImage logo() {
  return supersampled(128, 128, 4, [](QPainter& p) {
    QRadialGradient g(QPointF(48, 40), 90);
    g.setColorAt(0, QColor(34, 150, 170));
    g.setColorAt(0.6, QColor(14, 86, 118));
    g.setColorAt(1, QColor(8, 44, 70));
    p.setPen(QPen(QColor(6, 34, 52), 2.0));
    p.setBrush(g);
    p.drawEllipse(QPointF(64, 64), 60, 60);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(64, 64), 53, 53);
    // A breath record: a resting line, three breaths of rising depth, then a steady line.
    QPainterPath trace;
    for (int i = 0; i <= 200; ++i) {
      double x = 12 + 104.0 * i / 200;
      double t = (x - 34) / 62.0;
      double y = 72;
      if (t > 0 && t < 1) {
        double env = std::sin(t * kPi);
        y -= env * 30 * std::sin(t * 3 * 2 * kPi) * (0.5 + 0.5 * t);
      }
      if (i == 0) trace.moveTo(x, y);
      else trace.lineTo(x, y);
    }
    QPainterPath disc;
    disc.addEllipse(QPointF(64, 64), 56, 56);
    p.save();
    p.setClipPath(disc);
    p.setPen(QPen(QColor(0, 0, 0, 80), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace.translated(1.5, 2.0));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 40));
    p.drawEllipse(QPointF(104, 72), 5.5, 5.5);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(34, 96), 4, 4);
    p.drawEllipse(QPointF(44, 104), 2.6, 2.6);
    p.drawEllipse(QPointF(28, 86), 2.0, 2.0);
  });
}

}  // namespace

bool makeIcons(const QString& dir) {
  bool ok = true;
  ok &= save(stopIcon(), dir, "stopIcon.png");
  ok &= save(cautionIcon(), dir, "CautionIcon.png");
  ok &= save(skullIcon(), dir, "skullIcon.png");
  ok &= save(fly(), dir, "fly.png");
  for (int i = 1; i <= 8; ++i) ok &= save(eyes(i), dir, QString("kxeye%1.png").arg(i));
  ok &= save(crossCursor(), dir, "NewCrossCursor.png");
  ok &= save(documentIcon(73, 82, QColor(16, 110, 140), "KXdata",
                          [](QPainter& p, QRectF r) { traceContent(p, r, QColor(30, 90, 200), QColor(210, 60, 40)); }),
             dir, "KSTX.png");
  ok &= save(documentIcon(86, 79, QColor(200, 110, 20), "Sable",
                          [](QPainter& p, QRectF r) { traceContent(p, r, QColor(200, 90, 20), QColor(40, 130, 80)); }),
             dir, "SCCF.png");
  ok &= save(documentIcon(67, 79, QColor(110, 60, 160), "exp",
                          [](QPainter& p, QRectF r) { traceContent(p, r, QColor(110, 60, 160), QColor(30, 140, 160)); }),
             dir, "ExpeDataIcon.png");
  ok &= save(csvIcon(), dir, "CSVicon.png");
  ok &= save(excelIcon(), dir, "ExcelIcon.png");
  ok &= save(pdfIcon(), dir, "PDF image.png");
  ok &= save(arrowIcon(), dir, "arrow.png");
  ok &= save(gearsIcon(), dir, "gears.png");
  ok &= save(logo(), dir, "QVlogo.png");
  ok &= save(kxTextIcon(), dir, "KestrixTEXT.png");
  return ok;
}

void drawEyesInto(QPainter& p, QPointF topLeft) {
  p.save();
  p.translate(topLeft);
  drawEyes(p, 0.0, 0.0, 0.0);
  p.restore();
}

}  // namespace mk
