#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "runtime/macroman.h"
#include "runtime/menus.h"
#include "runtime/qt/widgets.h"

namespace qv::rt {

using namespace qt;

namespace qt {

Window* findWindow(int id) {
  auto& w = S().windows;
  auto it = w.find(id);
  return it == w.end() ? nullptr : it->second.get();
}

Window* outputWin() { return findWindow(S().output); }

bool isFrontCandidate(const Window& w) {
  return w.visible && w.cls != kFloatingWindowClass && w.cls != kOverlayWindowClass && w.cls != kStripWindowClass;
}

void raiseInOrder(int id) {
  auto& z = S().zorder;
  z.erase(std::remove(z.begin(), z.end(), id), z.end());
  z.insert(z.begin(), id);
}

void dropFromOrder(int id) {
  auto& z = S().zorder;
  z.erase(std::remove(z.begin(), z.end(), id), z.end());
}

void markDirty(Window& w) {
  if (w.canvas) w.canvas->update();
}

QPainter& painterFor(Window& w) {
  if (!w.painter) {
    w.painter = std::make_unique<QPainter>(&w.image);
    w.painter->setRenderHint(QPainter::Antialiasing, false);
  }
  markDirty(w);
  return *w.painter;
}

void endPainting(Window& w) {
  if (w.painter) {
    w.painter->end();
    w.painter.reset();
  }
}

// --- Canvas -------------------------------------------------------------------------

Canvas::Canvas(int windowId, QWidget* parent) : QWidget(parent), id_(windowId) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
}

void Canvas::paintEvent(QPaintEvent* ev) {
  Window* w = findWindow(id_);
  if (!w) return;
  endPainting(*w);
  QPainter p(this);
  p.drawImage(ev->rect().topLeft(), w->image, ev->rect());
}

void Canvas::resizeEvent(QResizeEvent*) {
  Window* w = findWindow(id_);
  if (!w) return;
  QSize sz = size();
  if (sz == w->image.size()) return;
  endPainting(*w);
  QImage img(sz.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  img.fill(toQColor(w->background));
  if (!w->image.isNull()) {
    QPainter p(&img);
    p.drawImage(0, 0, w->image);
  }
  w->image = img;
}

void Canvas::press(QMouseEvent* e, int count) {
  if (!acceptsUserInput()) return;
  Window* w = findWindow(id_);
  if (!w) return;
  if (isFrontCandidate(*w) && frontWindow() != id_) {
    raiseInOrder(id_);
    postEvent({EventKind::Dialog, 3, id_, 0, 0, {}});
    return;
  }
  Event ev;
  ev.kind = EventKind::Mouse;
  ev.a = int(e->position().x());
  ev.b = int(e->position().y());
  ev.c = count;
  ev.d = id_;
  postEvent(ev);
}

void Canvas::mousePressEvent(QMouseEvent* e) { press(e, 1); }
void Canvas::mouseDoubleClickEvent(QMouseEvent* e) { press(e, 2); }

// --- WindowWidget ---------------------------------------------------------------

WindowWidget::WindowWidget(int windowId) : QWidget(nullptr), id_(windowId) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFocusPolicy(Qt::StrongFocus);
}

void WindowWidget::closeEvent(QCloseEvent* e) {
  Window* w = findWindow(id_);
  if (!w || w->closing) {
    e->accept();
    return;
  }
  e->ignore();
  if ((w->attrs & kAttrCloseBox) && acceptsUserInput()) postEvent({EventKind::Dialog, 4, id_, 0, 0, {}});
}

int keyCodeFor(const QKeyEvent* e) {
  const auto mods = e->modifiers();
  if (mods & (Qt::ControlModifier | Qt::MetaModifier)) return -1;
  const bool alt = mods & Qt::AltModifier;
  switch (e->key()) {
    case Qt::Key_Return: return 13;
    case Qt::Key_Enter: return 3;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Delete: return 127;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Left: return alt ? 128 : 28;
    case Qt::Key_Right: return alt ? 129 : 29;
    case Qt::Key_Up: return 30;
    case Qt::Key_Down: return 31;
    default: break;
  }
  if (alt) {
    // Option-1 .. Option-0 of a Mac keyboard, which the overlay keys use.
    static const int optionDigits[10] = {188, 193, 170, 163, 162, 176, 164, 166, 165, 187};
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) return optionDigits[e->key() - Qt::Key_0];
    return -1;
  }
  QString t = e->text();
  if (t.isEmpty()) return -1;
  char32_t cp = t.toUcs4().value(0);
  if (cp < 32) return -1;
  int b = unicodeToMacRoman(cp);
  return b < 0 ? 0 : b;
}

void WindowWidget::keyPressEvent(QKeyEvent* e) {
  int code = keyCodeFor(e);
  if (code < 0 || !acceptsUserInput()) {
    QWidget::keyPressEvent(e);
    return;
  }
  postEvent({EventKind::Dialog, 16, code, 0, 0, {}});
}

void WindowWidget::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  Window* w = findWindow(id_);
  if (!w || !acceptsUserInput()) return;
  if (expectActivate) {
    expectActivate = false;
    return;
  }
  if (isFrontCandidate(*w) && frontWindow() != id_) {
    raiseInOrder(id_);
    postEvent({EventKind::Dialog, 3, id_, 0, 0, {}});
  }
}

void WindowWidget::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (!acceptsUserInput() || e->pos() == expectedPos) return;
  expectedPos = e->pos();
  postEvent({EventKind::Dialog, 22, id_, 0, 0, {}});
}

void WindowWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (!acceptsUserInput() || e->size() == expectedSize) return;
  expectedSize = e->size();
  postEvent({EventKind::Dialog, 30, id_, 0, 0, {}});
}

QColor toQColor(RGB c) { return QColor(QRgba64::fromRgba64(c.red, c.green, c.blue, 0xFFFF)); }

void attachMenuBar(Window& w);

}  // namespace qt

// --- windows ---------------------------------------------------------------------------

namespace {

int menuBarHeight(const Window& w) {
  if (!w.widget) return 0;
  auto* mb = w.widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
  return mb && mb->isVisible() ? mb->sizeHint().height() : 0;
}

void placeWidget(Window& w, Rect r) {
  int mbh = menuBarHeight(w);
  QRect g(r.left, r.top - mbh, std::max(1, r.width()), std::max(1, r.height()) + mbh);
  w.widget->expectedSize = g.size();
  w.widget->expectedPos = g.topLeft();
  w.widget->setGeometry(g);
  if (w.canvas) w.canvas->setFixedSize(std::max(1, r.width()), std::max(1, r.height()));
  if (w.attrs & kAttrResizable) {
    if (w.canvas) {
      w.canvas->setMinimumSize(1, 1);
      w.canvas->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
  }
}

}  // namespace

void openWindow(int id, std::string_view title, Rect r, int windowClass, unsigned attrs) {
  closeWindow(id);
  auto win = std::make_unique<Window>();
  Window& w = *win;
  w.id = id;
  w.cls = windowClass;
  w.attrs = attrs;
  w.title = std::string(title);
  w.widget = new WindowWidget(id);
  Qt::WindowFlags flags = Qt::Window;
  switch (windowClass) {
    case kFloatingWindowClass: flags = Qt::Tool | Qt::WindowStaysOnTopHint; break;
    case kSplashWindowClass: flags = Qt::SplashScreen | Qt::FramelessWindowHint; break;
    case kOverlayWindowClass: flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint; break;
    case kStripWindowClass: flags = Qt::ToolTip | Qt::FramelessWindowHint; break;
    case kPlainWindowClass: flags = Qt::Window | Qt::FramelessWindowHint; break;
    default: break;
  }
  if (!(attrs & kAttrCloseBox) && !(flags & Qt::FramelessWindowHint))
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint;
  w.widget->setWindowFlags(flags);
  w.widget->setWindowTitle(QString::fromStdString(w.title));
  if (windowClass == kOverlayWindowClass) w.widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* lay = new QVBoxLayout(w.widget);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  lay->setSizeConstraint((attrs & kAttrResizable) ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
  w.canvas = new Canvas(id, w.widget);
  lay->addWidget(w.canvas);
  QImage img(QSize(std::max(1, r.width()), std::max(1, r.height())), QImage::Format_RGB32);
  img.fill(toQColor(w.background));
  w.image = img;
  w.pen.back = w.background;
  w.pen.font = fontNumber("Lucida Grande");
  S().windows[id] = std::move(win);
  placeWidget(w, r);
  S().output = id;
  if (!(attrs & kAttrHidden)) showWindow(id);
}

void closeWindow(int id) {
  Window* w = findWindow(id);
  if (!w) return;
  w->closing = true;
  endPainting(*w);
  if (w->widget) {
    w->widget->close();
    delete w->widget.data();
  }
  dropFromOrder(id);
  auto keep = std::move(S().windows[id]);
  S().windows.erase(id);
  if (S().output == id) S().output = S().zorder.empty() ? 0 : S().zorder.front();
}

bool windowExists(int id) { return findWindow(id) != nullptr; }

void showWindow(int id) {
  Window* w = findWindow(id);
  if (!w) return;
  if (!w->visible) {
    w->visible = true;
    if (w->widget) {
      w->widget->expectActivate = true;
      w->widget->show();
    }
    if (isFrontCandidate(*w) || w->cls == kFloatingWindowClass) raiseInOrder(id);
  }
}

void hideWindow(int id) {
  Window* w = findWindow(id);
  if (!w || !w->visible) return;
  w->visible = false;
  if (w->widget) w->widget->hide();
}

bool windowVisible(int id) {
  Window* w = findWindow(id);
  return w && w->visible;
}

void bringWindowForward(int id) {
  Window* w = findWindow(id);
  if (!w) return;
  showWindow(id);
  raiseInOrder(id);
  if (w->widget) {
    w->widget->expectActivate = true;
    w->widget->raise();
    w->widget->activateWindow();
  }
}

int frontWindow() {
  for (int id : S().zorder) {
    Window* w = findWindow(id);
    if (w && isFrontCandidate(*w)) return id;
  }
  return 0;
}

std::vector<int> windowIds() {
  std::vector<int> ids;
  for (auto& [id, w] : S().windows) ids.push_back(id);
  return ids;
}

void setOutputWindow(int id) {
  if (findWindow(id)) S().output = id;
}

int outputWindow() { return S().output; }

Rect windowContentRect(int id) {
  Window* w = findWindow(id);
  if (!w || !w->widget) return {};
  QPoint tl = w->widget->geometry().topLeft() + w->canvas->pos();
  QSize sz = w->canvas->size();
  return {tl.x(), tl.y(), tl.x() + sz.width(), tl.y() + sz.height()};
}

void setWindowContentRect(int id, Rect r) {
  Window* w = findWindow(id);
  if (!w) return;
  placeWidget(*w, r);
}

void moveWindow(int id, int left, int top) {
  Rect r = windowContentRect(id);
  setWindowContentRect(id, {left, top, left + r.width(), top + r.height()});
}

void setWindowTitle(int id, std::string_view title) {
  Window* w = findWindow(id);
  if (!w) return;
  w->title = std::string(title);
  if (w->widget) w->widget->setWindowTitle(QString::fromStdString(w->title));
}

std::string windowTitle(int id) {
  Window* w = findWindow(id);
  return w ? w->title : std::string();
}

void setWindowMinSize(int id, int width, int height) {
  Window* w = findWindow(id);
  if (w && w->canvas && (w->attrs & kAttrResizable)) w->canvas->setMinimumSize(width, height);
}

void setWindowBackground(int id, RGB color) {
  Window* w = findWindow(id);
  if (!w) return;
  w->background = color;
  w->pen.back = color;
}

int windowFunction(int which) {
  int id = S().output;
  Rect r = windowContentRect(id);
  switch (which) {
    case 0: return id;
    case 1: return frontWindow();
    case 2: return r.width();
    case 3: return r.height();
    case 10:
    case 11: return 0;
    case 1000: return r.top;
    case 1001: return r.left;
    case 1002: return r.bottom;
    case 1003: return r.height();
    case 1004: return r.right;
    case 1005: return r.left;
    default: return 0;
  }
}

Rect screenRect() {
  if (QGuiApplication::platformName() == "offscreen" || !QGuiApplication::primaryScreen()) return {0, 0, 1440, 900};
  QRect g = QGuiApplication::primaryScreen()->availableGeometry();
  return {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

bool saveWindowImage(int id, const std::string& path) {
  Window* w = findWindow(id);
  if (!w || !w->canvas) return false;
  endPainting(*w);
  QPixmap pm = w->canvas->grab();
  return pm.save(QString::fromStdString(path), "PNG");
}

RGB canvasPixel(int window, int x, int y) {
  Window* w = findWindow(window);
  if (!w) return {};
  endPainting(*w);
  if (x < 0 || y < 0 || x >= w->image.width() || y >= w->image.height()) return {};
  QColor c = w->image.pixelColor(x, y);
  QRgba64 v = c.rgba64();
  return {v.red(), v.green(), v.blue()};
}

void flushWindow(int id) {
  Window* w = findWindow(id);
  if (!w) return;
  endPainting(*w);
  if (w->canvas) w->canvas->repaint();
}

}  // namespace qv::rt
