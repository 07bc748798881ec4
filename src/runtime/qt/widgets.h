#pragma once
// The Qt widgets behind numbered windows.
#include <QWidget>

#include "runtime/qt/state.h"

namespace qv::rt::qt {

// The drawing surface of a window; controls are its children.
class Canvas : public QWidget {
  Q_OBJECT
 public:
  Canvas(int windowId, QWidget* parent);
  int windowId() const { return id_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  void press(QMouseEvent* e, int count);
  int id_;
};

class WindowWidget : public QWidget {
  Q_OBJECT
 public:
  explicit WindowWidget(int windowId);
  int windowId() const { return id_; }
  QSize expectedSize;
  QPoint expectedPos;
  bool expectActivate = false;

 protected:
  void closeEvent(QCloseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void changeEvent(QEvent*) override;
  void moveEvent(QMoveEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  int id_;
};

// Key code the program reads for a Qt key press (Mac Roman character codes, Return 13,
// arrows 28-31, block shifts 128/129); -1 for keys the program does not take.
int keyCodeFor(const QKeyEvent* e);

}  // namespace qv::rt::qt
