#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>

#include "runtime/app.h"
#include "runtime/qt/widgets.h"

namespace qv::rt {

using namespace qt;

// --- fonts ------------------------------------------------------------------------------

namespace {

enum class Family { Sans, Serif, Mono };

struct FontName {
  const char* name;
  int number;
  Family family;
};

// The Mac names the program asks for, with the numbers it knows them by.
constexpr FontName kFonts[] = {
    {"Chicago", 0, Family::Sans},
    {"Geneva", 3, Family::Sans},
    {"Monaco", 4, Family::Mono},
    {"Times", 20, Family::Serif},
    {"Helvetica", 21, Family::Sans},
    {"Courier", 22, Family::Mono},
    {"Symbol", 23, Family::Serif},
    {"Lucida Grande", 1024, Family::Sans},
    {"Century", 1025, Family::Serif},
    {"Copperplate", 1026, Family::Serif},
    {"Bookman Old Style", 1027, Family::Serif},
    {"American Typewriter", 1028, Family::Serif},
    {"Arial", 1029, Family::Sans},
    {"Verdana", 1030, Family::Sans},
    {"Times New Roman", 1031, Family::Serif},
    {"Courier New", 1032, Family::Mono},
    {"Menlo", 1033, Family::Mono},
    {"Lucida Grande Bold", 1034, Family::Sans},
};

Family familyOf(int number) {
  for (auto& f : kFonts)
    if (f.number == number) return f.family;
  return Family::Sans;
}

QString familyName(Family f) {
  switch (f) {
    case Family::Serif: return "DejaVu Serif";
    case Family::Mono: return "DejaVu Sans Mono";
    default: return "DejaVu Sans";
  }
}

}  // namespace

int fontNumber(std::string_view name) {
  for (auto& f : kFonts)
    if (name == f.name) return f.number;
  return 0;
}

std::string fontFamily(int number) { return familyName(familyOf(number)).toStdString(); }

namespace qt {

QFont fontFor(int number, int size, int face) {
  Family fam = familyOf(number);
  QFont f(familyName(fam));
  f.setStyleHint(fam == Family::Mono ? QFont::Monospace : fam == Family::Serif ? QFont::Serif : QFont::SansSerif);
  // The program's sizes are points of a 72-dpi screen: pixels.
  f.setPixelSize(std::max(1, size));
  f.setBold(face & kBold);
  f.setItalic(face & kItalic);
  f.setUnderline(face & kUnderline);
  return f;
}

}  // namespace qt

// --- pen ------------------------------------------------------------------------------------

namespace {

PenState* pen() {
  Window* w = outputWin();
  return w ? &w->pen : nullptr;
}

QPainter* beginDraw(Window*& wOut) {
  Window* w = outputWin();
  wOut = w;
  if (!w) return nullptr;
  QPainter& p = painterFor(*w);
  p.setRenderHint(QPainter::Antialiasing, false);
  if (w->pen.mode == kPatXor) p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  else p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  return &p;
}

// In exclusive-or mode everything is drawn in white, which inverts what is below, so
// that drawing the same thing twice restores the picture.
QColor drawColor(const PenState& ps) {
  if (ps.mode == kPatXor) return QColor(255, 255, 255);
  return toQColor(ps.fore);
}

}  // namespace

void moveTo(int x, int y) {
  if (auto* p = pen()) p->x = x, p->y = y;
}
void move(int dx, int dy) {
  if (auto* p = pen()) p->x += dx, p->y += dy;
}
Point penPosition() {
  auto* p = pen();
  return p ? Point{p->x, p->y} : Point{};
}
void penSize(int w, int h) {
  if (auto* p = pen()) p->w = std::max(0, w), p->h = std::max(0, h);
}
void penMode(int mode) {
  if (auto* p = pen()) p->mode = mode;
}
void penNormal() {
  if (auto* p = pen()) p->w = p->h = 1, p->mode = kPatCopy;
}
void foreColor(RGB c) {
  if (auto* p = pen()) p->fore = c;
}
void backColor(RGB c) {
  if (auto* p = pen()) p->back = c;
}
RGB currentForeColor() {
  auto* p = pen();
  return p ? p->fore : RGB{};
}

RGB colorOfNumber(int n) {
  switch (n) {
    case 0: return {65535, 65535, 65535};
    case 1: return {65535, 65535, 0};
    case 2: return {65535, 0, 65535};
    case 3: return {0, 65535, 65535};
    case 4: return {0, 0, 65535};
    case 5: return {0, 65535, 0};
    case 6: return {65535, 0, 0};
    default: return {0, 0, 0};
  }
}
void colorNumber(int n) { foreColor(colorOfNumber(n)); }

// --- shapes -------------------------------------------------------------------------------

void lineTo(int x, int y) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p) return;
  PenState& ps = w->pen;
  if (ps.w > 0 && ps.h > 0) {
    QColor c = drawColor(ps);
    if (ps.w == 1 && ps.h == 1) {
      p->setPen(QPen(c, 1, Qt::SolidLine, Qt::SquareCap));
      if (ps.x == x && ps.y == y) p->drawPoint(x, y);
      else p->drawLine(ps.x, ps.y, x, y);
    } else {
      // A QuickDraw pen is a rectangle hanging below and right of the pen point.
      int x0 = std::min(ps.x, x), x1 = std::max(ps.x, x), y0 = std::min(ps.y, y), y1 = std::max(ps.y, y);
      if (ps.x == x || ps.y == y) {
        p->fillRect(QRect(x0, y0, x1 - x0 + ps.w, y1 - y0 + ps.h), c);
      } else {
        // The area swept by the pen rectangle: the convex hull of its two end positions.
        std::vector<QPoint> pts = {{ps.x, ps.y}, {ps.x + ps.w, ps.y}, {ps.x, ps.y + ps.h}, {ps.x + ps.w, ps.y + ps.h},
                                   {x, y},       {x + ps.w, y},       {x, y + ps.h},       {x + ps.w, y + ps.h}};
        std::sort(pts.begin(), pts.end(), [](QPoint a, QPoint b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
        auto cross = [](QPoint o, QPoint a, QPoint b) {
          return qint64(a.x() - o.x()) * (b.y() - o.y()) - qint64(a.y() - o.y()) * (b.x() - o.x());
        };
        std::vector<QPoint> hull(16);
        size_t k = 0;
        for (size_t i = 0; i < pts.size(); ++i) {
          while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
          hull[k++] = pts[i];
        }
        for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
          while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i - 1]) <= 0) --k;
          hull[k++] = pts[i - 1];
        }
        QPolygon poly;
        for (size_t i = 0; i + 1 < k; ++i) poly << hull[i];
        p->setPen(Qt::NoPen);
        p->setBrush(c);
        p->drawPolygon(poly);
        p->setBrush(Qt::NoBrush);
      }
    }
  }
  ps.x = x;
  ps.y = y;
}

void frameRect(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  PenState& ps = w->pen;
  QColor c = drawColor(ps);
  int pw = std::min(ps.w, r.width()), ph = std::min(ps.h, r.height());
  p->fillRect(QRect(r.left, r.top, r.width(), ph), c);
  if (r.height() > ph) p->fillRect(QRect(r.left, r.bottom - ph, r.width(), ph), c);
  int inner = r.height() - 2 * ph;
  if (inner > 0) {
    p->fillRect(QRect(r.left, r.top + ph, pw, inner), c);
    if (r.width() > pw) p->fillRect(QRect(r.right - pw, r.top + ph, pw, inner), c);
  }
}

void paintRect(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  p->fillRect(QRect(r.left, r.top, r.width(), r.height()), drawColor(w->pen));
}

void eraseRect(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->fillRect(QRect(r.left, r.top, r.width(), r.height()), toQColor(w->pen.back));
}

void invertRect(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  p->fillRect(QRect(r.left, r.top, r.width(), r.height()), QColor(255, 255, 255));
}

void frameOval(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  p->setRenderHint(QPainter::Antialiasing, w->pen.mode != kPatXor);
  p->setPen(QPen(drawColor(w->pen), std::max(1, w->pen.w)));
  p->setBrush(Qt::NoBrush);
  p->drawEllipse(QRectF(r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1));
}

void paintOval(Rect r) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || r.width() <= 0 || r.height() <= 0) return;
  p->setRenderHint(QPainter::Antialiasing, w->pen.mode != kPatXor);
  p->setPen(Qt::NoPen);
  p->setBrush(drawColor(w->pen));
  p->drawEllipse(QRectF(r.left, r.top, r.width(), r.height()));
  p->setBrush(Qt::NoBrush);
}

void clearWindow() {
  Window* w = outputWin();
  if (!w) return;
  endPainting(*w);
  w->image.fill(toQColor(w->pen.back));
  markDirty(*w);
}

void strokePolyline(const PointF* pts, size_t n, double width, RGB color, bool antialias) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p || n == 0) return;
  p->setRenderHint(QPainter::Antialiasing, antialias && w->pen.mode != kPatXor);
  QPen pen(w->pen.mode == kPatXor ? QColor(255, 255, 255) : toQColor(color), width, Qt::SolidLine, Qt::RoundCap,
           Qt::RoundJoin);
  p->setPen(pen);
  if (n == 1) {
    p->drawPoint(QPointF(pts[0].x, pts[0].y));
    return;
  }
  std::vector<QPointF> q(n);
  for (size_t i = 0; i < n; ++i) q[i] = QPointF(pts[i].x, pts[i].y);
  p->drawPolyline(q.data(), int(n));
}

// --- text -----------------------------------------------------------------------------------

void textFont(int number) {
  if (auto* p = pen()) p->font = number;
}
void textSize(int size) {
  if (auto* p = pen()) p->size = size;
}
void textFace(int style) {
  if (auto* p = pen()) p->face = style;
}
int currentTextSize() {
  auto* p = pen();
  return p ? p->size : 12;
}

void drawString(std::string_view utf8) {
  Window* w;
  QPainter* p = beginDraw(w);
  if (!p) return;
  PenState& ps = w->pen;
  QFont f = fontFor(ps.font, ps.size, ps.face);
  p->setFont(f);
  p->setRenderHint(QPainter::TextAntialiasing, ps.mode != kPatXor);
  p->setPen(drawColor(ps));
  QString t = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
  p->drawText(QPoint(ps.x, ps.y), t);
  ps.x += QFontMetrics(f).horizontalAdvance(t);
}

int stringWidth(std::string_view utf8) {
  auto* ps = pen();
  QFont f = ps ? fontFor(ps->font, ps->size, ps->face) : fontFor(0, 12, 0);
  return QFontMetrics(f).horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

int fontAscent() {
  auto* ps = pen();
  QFont f = ps ? fontFor(ps->font, ps->size, ps->face) : fontFor(0, 12, 0);
  return QFontMetrics(f).ascent();
}

// --- images ---------------------------------------------------------------------------------

struct ImageData {
  QImage image;
};

Image loadImage(const std::string& folder, const std::string& name) {
  std::string path = resourcePath(folder, name);
  QImageReader reader(QString::fromStdString(path));
  QImage img = reader.read();
  if (img.isNull()) {
    // Our pictures are PNG under the stem the program names (a ".gif" name finds the ".png").
    auto dot = path.rfind('.');
    if (dot != std::string::npos) {
      QImageReader r2(QString::fromStdString(path.substr(0, dot) + ".png"));
      img = r2.read();
    }
  }
  if (img.isNull()) return {};
  return Image{new ImageData{img}};
}

void drawImage(Image img, Rect r) {
  if (!img) return;
  Window* w;
  QPainter* p = beginDraw(w);
  if (p && r.width() > 0 && r.height() > 0) {
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(QRect(r.left, r.top, r.width(), r.height()), img.data->image);
  }
}

void releaseImage(Image img) { delete img.data; }

// --- cursors -------------------------------------------------------------------------------

void setCursor(Cursor c) {
  if (!QApplication::instance()) return;
  Qt::CursorShape shape = c == Cursor::Cross ? Qt::CrossCursor
                          : c == Cursor::IBeam ? Qt::IBeamCursor
                          : c == Cursor::Wait  ? Qt::WaitCursor
                                               : Qt::ArrowCursor;
  if (QApplication::overrideCursor()) QApplication::changeOverrideCursor(QCursor(shape));
  else QApplication::setOverrideCursor(QCursor(shape));
}

void setImageCursor(const std::string& imageName, int hotX, int hotY) {
  if (!QApplication::instance()) return;
  Image img = loadImage("DUdoderi", imageName);
  if (!img) return;
  QCursor cur(QPixmap::fromImage(img.data->image), hotX, hotY);
  releaseImage(img);
  if (QApplication::overrideCursor()) QApplication::changeOverrideCursor(cur);
  else QApplication::setOverrideCursor(cur);
}

}  // namespace qv::rt
