#pragma once
// Internal state of the Qt runtime. Nothing outside src/runtime/qt includes this.
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/events.h"
#include "runtime/geometry.h"
#include "runtime/windows.h"

class QMenuBar;

namespace qv::rt::qt {

class Canvas;
class WindowWidget;

enum class ControlType { Button, EditField, StaticText, Popup, Progress, Slider, TextView, Tabs };

struct Control {
  int id = 0;
  ControlType type = ControlType::Button;
  int buttonType = 1;  // 1 push, 2 check, 3 radio, 4 default push
  int state = 1;       // 0 disabled, 1 enabled, 2 marked
  int value = 0, min = 0, max = 0;
  int menu = 0;  // popup: its menu number
  Rect rect;
  std::string title;
  QPointer<QWidget> widget;  // the Qt control
  QPointer<QWidget> label;   // popup title
};

struct PenState {
  int x = 0, y = 0;
  int w = 1, h = 1;
  int mode = kPatCopy;
  RGB fore{0, 0, 0};
  RGB back{65535, 65535, 65535};
  int font = 0;
  int size = 12;
  int face = 0;
};

struct Window {
  int id = 0;
  int cls = kDocumentWindowClass;
  unsigned attrs = 0;
  std::string title;
  QPointer<WindowWidget> widget;
  Canvas* canvas = nullptr;
  QImage image;
  std::unique_ptr<QPainter> painter;  // open while drawing goes on
  RGB background{0xEEEE, 0xEEEE, 0xEEEE};
  PenState pen;
  std::map<int, Control> controls;
  bool visible = false;
  bool closing = false;
  bool hasMenuBar = false;
  int focusedField = 0;
};

struct State {
  std::map<int, std::unique_ptr<Window>> windows;
  std::vector<int> zorder;  // front first
  int output = 0;
  std::deque<Event> queue;
  // The event being handled.
  Event current;
  bool editRejected = false;
  std::vector<std::string> docs;
  std::map<Vector, Handler> handlers;
  int fileError = 0;
  // Pointer in screen pixels and the scripted button.
  Point pointer;
  bool scriptButton = false;
  enum class Phase { None, Press, Release } mousePhase = Phase::None;
  int mouseWindow = 0;
  int idleTrackingPasses = 0;
  // Keys typed into edit fields: their text (the Qt side keeps it until dispatch).
  std::map<int, std::string> keyText;
  int nextKeySerial = 1;
};

State& S();
Window* findWindow(int id);
Window* outputWin();
QPainter& painterFor(Window& w);
void endPainting(Window& w);
void markDirty(Window& w);
void raiseInOrder(int id);
void dropFromOrder(int id);
bool isFrontCandidate(const Window& w);
void dispatch(const Event& e);
void applyEditKey(int window, int field, int code, const std::string& text);
// Qt input is turned into events only when no scripted input is on.
bool acceptsUserInput();
void attachMenuBar(Window& w);
// A menu choice, by the item's own (menu, item) or by the pair it reports as: an edit command
// acts on the focused edit field, anything else is queued as the pair the item reports.
void deliverMenuPick(int menu, int item);
QColor toQColor(RGB c);
QFont fontFor(int number, int size, int face);
void rebuildPopup(Window& w, Control& c);
void refreshPopupsOfMenu(int menu);

}  // namespace qv::rt::qt
