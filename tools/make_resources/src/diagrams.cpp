// Schematic pictures of the flow-through set-ups offered before a VO2 or VCO2 computation:
// one row per configuration, the air path drawn left to right with its parts labelled.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <vector>

#include "makers.h"
#include "paint.h"

namespace mk {
namespace {

enum class Part { AirIn, RoomAir, Out, Pump, FlowMeter, Dryer, Co2Scrubber, O2Analyser, Co2Analyser, Chamber, Mask, Humidity, Vent };

struct Item {
  Part part;
  bool optional = false;  // drawn dashed: an analyser that is there only when its channel is used
};

struct Row {
  QString title;
  QString text;
  std::vector<Item> items;
};

const QColor kInk(30, 36, 48);
const QColor kPipe(70, 80, 96);

QString u(const char* s) { return QString::fromUtf8(s); }

double widthOf(Part k) {
  switch (k) {
    case Part::AirIn: return 22;
    case Part::RoomAir: return 34;
    case Part::Out: return 20;
    case Part::Pump: return 24;
    case Part::FlowMeter: return 34;
    case Part::Dryer: return 30;
    case Part::Co2Scrubber: return 30;
    case Part::O2Analyser: return 36;
    case Part::Co2Analyser: return 40;
    case Part::Chamber: return 58;
    case Part::Mask: return 64;
    case Part::Humidity: return 22;
    case Part::Vent: return 14;
  }
  return 30;
}

void dashedIfOptional(QPainter& p, bool optional, QColor c, double w) {
  QPen pen(c, w);
  if (optional) pen.setStyle(Qt::DashLine);
  p.setPen(pen);
}

void label(QPainter& p, QPointF c, const QString& t, double px, QColor col, bool bold = false) {
  p.setFont(sans(px, bold));
  p.setPen(col);
  centredText(p, c, t);
}

void drawMouse(QPainter& p, QPointF c, double s, QColor col) {
  p.save();
  p.translate(c);
  p.scale(s, s);
  p.setPen(Qt::NoPen);
  p.setBrush(col);
  p.drawEllipse(QPointF(0, 0), 9, 5.5);
  p.drawEllipse(QPointF(8, -1.5), 4.5, 3.6);
  p.drawEllipse(QPointF(6.5, -5), 2.4, 2.4);
  QPainterPath tail;
  tail.moveTo(-8.5, 1);
  tail.cubicTo(-14, 3, -15, -4, -19, -2);
  p.setPen(QPen(col, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tail);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(9.5, -2.2), 0.9, 0.9);
  p.restore();
}

// An animal's head in profile with a clear mask over the snout; the tube leaves the mask on the right.
void drawMaskedHead(QPainter& p, QRectF r) {
  const QColor fur(150, 110, 80), dark(90, 62, 44);
  QPointF c(r.left() + r.width() * 0.36, r.center().y() + 2);
  QPainterPath head;
  head.addEllipse(c, 15, 12);
  QPainterPath snout;
  snout.moveTo(c + QPointF(6, -8));
  snout.cubicTo(c + QPointF(18, -8), c + QPointF(26, -3), c + QPointF(27, 2));
  snout.cubicTo(c + QPointF(26, 7), c + QPointF(16, 9), c + QPointF(6, 9));
  snout.closeSubpath();
  QPainterPath ear;
  ear.moveTo(c + QPointF(-9, -8));
  ear.lineTo(c + QPointF(-14, -20));
  ear.lineTo(c + QPointF(-2, -11));
  ear.closeSubpath();
  QPainterPath neck;
  neck.addRect(QRectF(c.x() - 14, c.y() + 4, 16, 14));
  QPainterPath all = head.united(snout).united(ear).united(neck);
  p.setPen(QPen(dark, 1.0));
  p.setBrush(fur);
  p.drawPath(all);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 16, 14));
  p.drawEllipse(c + QPointF(3, -3), 1.8, 1.8);
  // The mask: a clear cone over the snout, narrowing to the tube.
  QPainterPath mask;
  mask.moveTo(c + QPointF(9, -12));
  mask.lineTo(c + QPointF(30, -4));
  mask.lineTo(c + QPointF(30, 5));
  mask.lineTo(c + QPointF(9, 12));
  mask.closeSubpath();
  p.setPen(QPen(QColor(30, 100, 170), 1.4));
  p.setBrush(QColor(175, 228, 250, 190));
  p.drawPath(mask);
  label(p, QPointF(r.center().x() + 2, r.bottom() + 6), "mask", 8, kInk);
}

void drawItem(QPainter& p, const Item& it, QRectF r) {
  QPointF c = r.center();
  switch (it.part) {
    case Part::AirIn:
      label(p, c, "air", 9, kInk, true);
      break;
    case Part::RoomAir:
      label(p, c + QPointF(0, -5), "room", 8.5, kInk, true);
      label(p, c + QPointF(0, 5), "air", 8.5, kInk, true);
      break;
    case Part::Out:
      label(p, c, "out", 9, kInk);
      break;
    case Part::Pump: {
      p.setPen(QPen(kInk, 1.3));
      p.setBrush(QColor(235, 235, 240));
      p.drawEllipse(c, 11, 11);
      QPolygonF tri;
      tri << c + QPointF(-6, -7) << c + QPointF(8, 0) << c + QPointF(-6, 7);
      p.setBrush(QColor(120, 130, 150));
      p.drawPolygon(tri);
      label(p, c + QPointF(0, 19), "pump", 8, kInk);
      break;
    }
    case Part::FlowMeter: {
      QRectF b(c.x() - 17, c.y() - 12, 34, 24);
      QLinearGradient g(b.topLeft(), b.bottomLeft());
      g.setColorAt(0, QColor(255, 244, 214));
      g.setColorAt(1, QColor(236, 206, 140));
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(g);
      p.drawRoundedRect(b, 3, 3);
      label(p, c + QPointF(0, -3), "FM", 9, kInk, true);
      p.setPen(QPen(QColor(160, 60, 30), 1.0));
      p.drawLine(c + QPointF(-8, 7), c + QPointF(8, 7));
      p.drawLine(c + QPointF(0, 7), c + QPointF(5, 2.5));
      label(p, c + QPointF(0, 19), "flow meter", 8, kInk);
      break;
    }
    case Part::Dryer:
    case Part::Co2Scrubber: {
      bool dry = it.part == Part::Dryer;
      QRectF b(c.x() - 13, c.y() - 13, 26, 26);
      QColor fill = dry ? QColor(150, 190, 240) : QColor(228, 228, 228);
      p.setPen(QPen(kInk, 1.1));
      p.setBrush(fill);
      p.drawRoundedRect(b, 6, 6);
      Rng rng(dry ? 3 : 4);
      p.setPen(Qt::NoPen);
      p.setBrush(dry ? QColor(90, 130, 200) : QColor(170, 170, 175));
      for (int i = 0; i < 16; ++i) p.drawEllipse(QPointF(b.left() + rng.range(4, 22), b.top() + rng.range(4, 22)), 1.3, 1.3);
      label(p, c, dry ? u("H₂O") : u("CO₂"), 8.5, kInk, true);
      label(p, c + QPointF(0, 20), "scrub", 8, kInk);
      break;
    }
    case Part::O2Analyser:
    case Part::Co2Analyser: {
      bool o2 = it.part == Part::O2Analyser;
      double w = o2 ? 36 : 40;
      QRectF b(c.x() - w / 2, c.y() - 13, w, 26);
      dashedIfOptional(p, it.optional, kInk, 1.2);
      p.setBrush(it.optional ? QColor(92, 100, 116) : QColor(52, 58, 72));
      p.drawRoundedRect(b, 3, 3);
      QRectF lcd(b.left() + 4, b.top() + 4, w - 8, 12);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(150, 230, 150));
      p.drawRect(lcd);
      label(p, lcd.center(), o2 ? u("O₂") : u("CO₂"), 8.5, QColor(20, 60, 20), true);
      label(p, c + QPointF(0, 20), it.optional ? "(option)" : "analyser", 8, kInk);
      break;
    }
    case Part::Humidity: {
      p.setPen(QPen(kInk, 1.1));
      p.setBrush(QColor(200, 240, 250));
      p.drawEllipse(c, 10, 10);
      label(p, c, "RH", 7.5, kInk, true);
      label(p, c + QPointF(0, -18), "humidity", 8, kInk);
      break;
    }
    case Part::Chamber: {
      QRectF b(c.x() - 29, c.y() - 17, 58, 34);
      QLinearGradient g(b.topLeft(), b.bottomRight());
      g.setColorAt(0, QColor(225, 245, 252));
      g.setColorAt(1, QColor(170, 215, 235));
      p.setPen(QPen(QColor(40, 110, 160), 1.5));
      p.setBrush(g);
      p.drawRoundedRect(b, 5, 5);
      drawMouse(p, c + QPointF(2, 5), 1.15, QColor(90, 70, 60));
      label(p, c + QPointF(0, 25), "chamber", 8, kInk);
      break;
    }
    case Part::Mask:
      drawMaskedHead(p, r);
      break;
    case Part::Vent:
      // Most of the flow leaves here; the analysers draw their sub-sample from the rest.
      p.setPen(Qt::NoPen);
      p.setBrush(kPipe);
      p.drawEllipse(c, 2.4, 2.4);
      arrowLine(p, c, c + QPointF(0, -17), kPipe, 1.4, 5.0);
      label(p, c + QPointF(0, -23), "out", 8, kInk);
      label(p, c + QPointF(0, 14), "sub-", 7, QColor(90, 96, 110));
      label(p, c + QPointF(0, 22), "sample", 7, QColor(90, 96, 110));
      break;
  }
}

// Lays the items of one line out from x0 to x1; returns their rectangles.
std::vector<QRectF> layout(const std::vector<Item>& items, double x0, double x1, double y, double maxGap) {
  // A long line is centred with narrower gaps; a short one keeps the widest gap and is centred too.
  double sum = 0;
  for (const Item& it : items) sum += widthOf(it.part);
  double gap = items.size() > 1 ? std::clamp((x1 - x0 - sum) / double(items.size() - 1), 9.0, maxGap) : 0;
  std::vector<QRectF> rects;
  double used = sum + gap * double(items.empty() ? 0 : items.size() - 1);
  double x = x0 + std::max(0.0, (x1 - x0 - used) / 2);
  for (const Item& it : items) {
    double w = widthOf(it.part);
    double h = it.part == Part::Mask ? 44 : 34;
    rects.emplace_back(x, y - h / 2, w, h);
    x += w + gap;
  }
  return rects;
}

double leftEdge(const Item& it, const QRectF& r) {
  switch (it.part) {
    case Part::Pump: return r.center().x() - 11;
    case Part::FlowMeter: return r.center().x() - 17;
    case Part::Dryer:
    case Part::Co2Scrubber: return r.center().x() - 13;
    case Part::Humidity: return r.center().x() - 10;
    case Part::Vent: return r.center().x();
    case Part::Mask: return r.left() + r.width() * 0.36 - 15;
    default: return r.left();
  }
}

double rightEdge(const Item& it, const QRectF& r) {
  switch (it.part) {
    case Part::Pump: return r.center().x() + 11;
    case Part::FlowMeter: return r.center().x() + 17;
    case Part::Dryer:
    case Part::Co2Scrubber: return r.center().x() + 13;
    case Part::Humidity: return r.center().x() + 10;
    case Part::Vent: return r.center().x();
    case Part::Mask: return r.left() + r.width() * 0.36 + 30;
    default: return r.right();
  }
}

void connect(QPainter& p, const std::vector<Item>& items, const std::vector<QRectF>& rects, double y) {
  for (size_t i = 0; i + 1 < items.size(); ++i) {
    double a = rightEdge(items[i], rects[i]) + 1.5, b = leftEdge(items[i + 1], rects[i + 1]) - 1.5;
    if (items[i].part == Part::AirIn || items[i].part == Part::RoomAir) a = rects[i].right() + 1;
    if (b - a <= 3) continue;
    if (items[i + 1].part == Part::Vent) {
      p.setPen(QPen(kPipe, 1.4));
      p.drawLine(QPointF(a, y), QPointF(b, y));
    } else {
      arrowLine(p, QPointF(a, y), QPointF(b, y), kPipe, 1.4, 5.5);
    }
  }
}

void drawRow(QPainter& p, const Row& row, QRectF area) {
  p.setPen(QPen(QColor(196, 202, 212), 1.0));
  p.setBrush(QColor(250, 251, 253));
  p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  p.setFont(sans(10.5, true));
  p.setPen(QColor(150, 40, 30));
  p.drawText(QPointF(area.left() + 7, area.top() + 14), row.title);
  double tx = area.left() + 7 + QFontMetricsF(sans(10.5, true)).horizontalAdvance(row.title) + 8;
  double px = 9.5;
  while (QFontMetricsF(sans(px)).horizontalAdvance(row.text) > area.right() - 6 - tx && px > 7) px -= 0.25;
  p.setFont(sans(px));
  p.setPen(kInk);
  p.drawText(QPointF(tx, area.top() + 14), row.text);

  double y = area.top() + area.height() * 0.5 + 8;
  auto rects = layout(row.items, area.left() + 10, area.right() - 10, y, 30);
  connect(p, row.items, rects, y);
  for (size_t i = 0; i < row.items.size(); ++i) drawItem(p, row.items[i], rects[i]);
}

QImage diagram(int w, int h, const QString& heading, const std::vector<Row>& rows) {
  return supersampled(w, h, 2, [&](QPainter& p) {
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(236, 238, 242));
    bg.setColorAt(1, QColor(222, 226, 232));
    p.fillRect(QRectF(0, 0, w, h), bg);
    p.setFont(sans(12, true));
    p.setPen(kInk);
    p.drawText(QPointF(8, 16), heading);
    const double top = 23, legend = 18;
    double rh = (h - top - legend - 2) / double(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) drawRow(p, rows[i], QRectF(4, top + rh * i, w - 8, rh - 3));
    const QString key = u("Arrows: air flow.  FM: flow meter.  Scrubbers remove H₂O or CO₂.  Dashed: optional analyser.");
    double px = 9;
    while (QFontMetricsF(sans(px)).horizontalAdvance(key) > w - 14 && px > 6) px -= 0.25;
    p.setFont(sans(px));
    p.setPen(QColor(70, 76, 90));
    p.drawText(QPointF(8, h - 6), key);
  });
}

using P = Part;

std::vector<Row> o2Chambers() {
  return {
      {"Mode 1", u("push: flow meter upstream; H₂O and CO₂ scrubbed before the O₂ analyser"),
       {{P::AirIn}, {P::Pump}, {P::Dryer}, {P::FlowMeter}, {P::Chamber}, {P::Dryer}, {P::Co2Scrubber}, {P::O2Analyser}, {P::Out}}},
      {"Mode 2", u("push: flow meter upstream; H₂O scrubbed, CO₂ left in the sample"),
       {{P::AirIn}, {P::Pump}, {P::Dryer}, {P::FlowMeter}, {P::Chamber}, {P::Dryer}, {P::O2Analyser}, {P::Co2Analyser, true}, {P::Out}}},
      {"Mode 3", u("pull: flow meter downstream, after the H₂O and CO₂ scrubbers"),
       {{P::AirIn}, {P::Chamber}, {P::Dryer}, {P::Co2Scrubber}, {P::FlowMeter}, {P::Pump}, {P::O2Analyser}, {P::Out}}},
      {"Mode 4", u("pull: flow meter downstream on dry air; CO₂ scrubbed from the sub-sample only"),
       {{P::AirIn}, {P::Chamber}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Co2Analyser, true}, {P::Co2Scrubber}, {P::O2Analyser}, {P::Out}}},
      {"Mode 5", u("pull: flow meter downstream on dry air; no CO₂ scrubber"),
       {{P::AirIn}, {P::Chamber}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::O2Analyser}, {P::Co2Analyser, true}, {P::Out}}},
  };
}

std::vector<Row> o2Masks() {
  return {
      {"Mask Mode 1", u("push: metered air into the mask; H₂O, CO₂ scrubbed before the O₂ analyser"),
       {{P::AirIn}, {P::Pump}, {P::Dryer}, {P::FlowMeter}, {P::Mask}, {P::Dryer}, {P::Co2Scrubber}, {P::O2Analyser}, {P::Out}}},
      {"Mask Mode 2", u("pull: flow meter on dry air; CO₂ scrubbed from the sub-sample only"),
       {{P::RoomAir}, {P::Mask}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Co2Analyser, true}, {P::Co2Scrubber}, {P::O2Analyser}, {P::Out}}},
      {"Mask Mode 3", u("pull: flow meter on dry air; no CO₂ scrubber"),
       {{P::RoomAir}, {P::Mask}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::O2Analyser}, {P::Co2Analyser, true}, {P::Out}}},
      {"Mask Mode 4", u("as Mask Mode 2, but the flow meter sees humid air"),
       {{P::RoomAir}, {P::Mask}, {P::Humidity}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Dryer}, {P::Co2Analyser, true}, {P::Co2Scrubber}, {P::O2Analyser}, {P::Out}}},
      {"Mask Mode 5", u("as Mask Mode 3, but the flow meter sees humid air"),
       {{P::RoomAir}, {P::Mask}, {P::Humidity}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Dryer}, {P::O2Analyser}, {P::Co2Analyser, true}, {P::Out}}},
  };
}

std::vector<Row> co2Chambers() {
  return {
      {"Mode 1", u("push: flow meter upstream; H₂O scrubbed before the CO₂ analyser"),
       {{P::AirIn}, {P::Pump}, {P::Dryer}, {P::FlowMeter}, {P::Chamber}, {P::Dryer}, {P::Co2Analyser}, {P::O2Analyser, true}, {P::Out}}},
      {"Mode 2", u("pull: flow meter downstream, after the H₂O scrubber"),
       {{P::AirIn}, {P::Chamber}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::Co2Analyser}, {P::O2Analyser, true}, {P::Out}}},
      {"Mode 3", u("pull: CO₂ analyser, then a CO₂ scrubber ahead of the flow meter"),
       {{P::AirIn}, {P::Chamber}, {P::Dryer}, {P::Co2Analyser}, {P::Co2Scrubber}, {P::FlowMeter}, {P::Pump}, {P::Out}}},
      {"Mode 4", u("pull: the flow meter sees humid air; the analysed sub-sample is dried"),
       {{P::AirIn}, {P::Chamber}, {P::Humidity}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Dryer}, {P::Co2Analyser}, {P::O2Analyser, true}, {P::Out}}},
  };
}

std::vector<Row> co2Masks() {
  return {
      {"Mask Mode 1", u("pull: flow meter on dry air after the H₂O scrubber"),
       {{P::RoomAir}, {P::Mask}, {P::Dryer}, {P::FlowMeter}, {P::Pump}, {P::Co2Analyser}, {P::O2Analyser, true}, {P::Out}}},
      {"Mask Mode 2", u("pull: CO₂ analyser, then a CO₂ scrubber ahead of the flow meter"),
       {{P::RoomAir}, {P::Mask}, {P::Dryer}, {P::Co2Analyser}, {P::Co2Scrubber}, {P::FlowMeter}, {P::Pump}, {P::Out}}},
      {"Mask Mode 3", u("pull: the flow meter sees humid air; the analysed sub-sample is dried"),
       {{P::RoomAir}, {P::Mask}, {P::Humidity}, {P::FlowMeter}, {P::Pump}, {P::Vent}, {P::Dryer}, {P::Co2Analyser}, {P::O2Analyser, true}, {P::Out}}},
  };
}

}  // namespace

bool makeDiagrams(const QString& dir) {
  bool ok = true;
  ok &= save(diagram(460, 442, u("O₂ consumption: chamber set-ups"), o2Chambers()), dir, "O2configurations.png");
  ok &= save(diagram(460, 403, u("CO₂ production: chamber set-ups"), co2Chambers()), dir, "CO2configurations.png");
  ok &= save(diagram(460, 441, u("O₂ consumption: mask set-ups"), o2Masks()), dir, "O2masks.png");
  ok &= save(diagram(460, 346, u("CO₂ production: mask set-ups"), co2Masks()), dir, "CO2masks.png");
  return ok;
}

}  // namespace mk
