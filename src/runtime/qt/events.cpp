#include <algorithm>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/macroman.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/qt/state.h"

namespace qv::rt {

using namespace qt;

namespace qt {

State& S() {
  static State s;
  return s;
}

bool acceptsUserInput() { return !script::active(); }

void dispatch(const Event& e) {
  State& s = S();
  s.current = e;
  auto call = [&](Vector v) {
    auto it = s.handlers.find(v);
    if (it != s.handlers.end() && it->second) it->second();
  };
  switch (e.kind) {
    case EventKind::Menu: call(Vector::Menu); break;
    case EventKind::Dialog: call(Vector::Dialog); break;
    case EventKind::Mouse: call(Vector::Mouse); break;
    case EventKind::Documents:
      s.docs = e.paths;
      call(Vector::Documents);
      break;
    case EventKind::EditKey: {
      s.editRejected = false;
      call(Vector::Edit);
      std::string text;
      if (auto it = s.keyText.find(e.d); it != s.keyText.end()) {
        text = it->second;
        s.keyText.erase(it);
      }
      if (!s.editRejected) applyEditKey(e.c, e.b, e.a, text);
      break;
    }
  }
}

}  // namespace qt

// --- handlers and the event being handled ---------------------------------------

void setHandler(Vector v, Handler h) { S().handlers[v] = h; }
Handler handler(Vector v) {
  auto it = S().handlers.find(v);
  return it == S().handlers.end() ? nullptr : it->second;
}

void postEvent(const Event& e) { S().queue.push_back(e); }

int menuNumber() { return S().current.a; }
int menuItemNumber() { return S().current.b; }
int dialogKind() { return S().current.a; }
int dialogId() { return S().current.b; }
int editKeyCode() { return S().current.a; }
int editFieldId() { return S().current.b; }
int editWindowId() { return S().current.c; }
void rejectEditKey() { S().editRejected = true; }
int mouseClickCount() { return S().current.c; }
int mouseWindow() { return S().current.d; }
Point mousePoint() { return {S().current.a, S().current.b}; }
const std::vector<std::string>& documentPaths() { return S().docs; }

int fileError() { return S().fileError; }
void setFileError(int code) { S().fileError = code; }

bool eventsPending() { return !S().queue.empty(); }

// Documents handed over by the desktop are requests, not input: they are kept.
void FlushEvents() {
  auto& q = S().queue;
  q.erase(std::remove_if(q.begin(), q.end(), [](const Event& e) { return e.kind != EventKind::Documents; }), q.end());
}

// --- the clock --------------------------------------------------------------------

namespace {

std::function<uint32_t()> gClock;
uint32_t gScriptedTicks = 0;

uint32_t realTicks() {
  static QElapsedTimer t = [] {
    QElapsedTimer e;
    e.start();
    return e;
  }();
  return uint32_t(t.elapsed() * 60 / 1000) + 1;
}

}  // namespace

uint32_t TickCount() {
  if (gClock) return gClock();
  if (script::active()) return gScriptedTicks;
  return realTicks();
}

void setClock(std::function<uint32_t()> clock) { gClock = std::move(clock); }

void advanceScriptedClock(uint32_t ticks) { gScriptedTicks += ticks; }

void waitUntilTick(uint32_t deadline) {
  if (gClock) return;
  if (script::active()) {
    if (gScriptedTicks < deadline) gScriptedTicks = deadline;
    refreshPump();
    return;
  }
  while (realTicks() < deadline) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(5);
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

// --- pointer and button ------------------------------------------------------------

Point pointerIn(int window) {
  State& s = S();
  Point global = s.pointer;
  if (!script::active()) {
    QPoint p = QCursor::pos();
    global = {p.x(), p.y()};
  }
  Rect r = windowContentRect(window);
  return {global.x - r.left, global.y - r.top};
}

bool Button() {
  if (script::active()) return S().scriptButton;
  return (QApplication::mouseButtons() & Qt::LeftButton) != 0;
}

bool optionKeyDown() {
  if (script::active() || !QApplication::instance()) return false;
  return (QApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
}

// --- scripted records ----------------------------------------------------------

namespace {

void processQt() {
  if (QApplication::instance()) QApplication::processEvents(QEventLoop::AllEvents);
}

void idleWait() {
  if (!QApplication::instance()) return;
  static QTimer* wake = [] {
    auto* t = new QTimer;
    t->setSingleShot(true);
    return t;
  }();
  wake->start(5);
  QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

Window* recordWindow(int id) {
  Window* w = findWindow(id);
  if (!w) script::fail("scripted input names window " + std::to_string(id) + ", which is not open");
  return w;
}

void movePointer(const ScriptRecord& r) {
  State& s = S();
  int win = r.hasWindow ? r.c : frontWindow();
  Window* w = recordWindow(win);
  Rect cr = windowContentRect(w->id);
  s.pointer = {cr.left + r.a, cr.top + r.b};
  s.mouseWindow = w->id;
}

// The control a click or popup record names: in the front window, else in a floating
// window (the tool bar) that has it.
Control* recordControl(int id, int& windowOut) {
  State& s = S();
  std::vector<int> order;
  int front = frontWindow();
  if (front) order.push_back(front);
  for (int wid : s.zorder) {
    Window* w = findWindow(wid);
    if (w && w->visible && w->cls == kFloatingWindowClass) order.push_back(wid);
  }
  for (int wid : order) {
    Window* w = findWindow(wid);
    if (!w) continue;
    auto it = w->controls.find(id);
    if (it != w->controls.end()) {
      windowOut = wid;
      return &it->second;
    }
  }
  return nullptr;
}

// Finishes the second half of a mouse record: the button changes one pass after the
// pointer moved. Returns true when something happened.
bool finishMousePhase(bool postEvents) {
  State& s = S();
  if (s.mousePhase == State::Phase::Press) {
    s.mousePhase = State::Phase::None;
    s.scriptButton = true;
    if (postEvents) {
      Event e;
      e.kind = EventKind::Mouse;
      Point p = pointerIn(s.mouseWindow);
      e.a = p.x;
      e.b = p.y;
      e.c = 1;
      e.d = s.mouseWindow;
      postEvent(e);
    }
    return true;
  }
  if (s.mousePhase == State::Phase::Release) {
    s.mousePhase = State::Phase::None;
    s.scriptButton = false;
    return true;
  }
  return false;
}

void deliverRecord(const ScriptRecord& r) {
  State& s = S();
  switch (r.kind) {
    case RecordKind::Menu:
      if (!menuChoiceEnabled(r.a, r.b))
        script::fail("scripted input chose menu " + std::to_string(r.a) + " item " + std::to_string(r.b) +
                     ", which cannot be chosen now " + script::describeRecord(r));
      deliverMenuPick(r.a, r.b);
      break;
    case RecordKind::Quit:
      postEvent({EventKind::Menu, 1, 21, 0, 0, {}});
      break;
    case RecordKind::Click: {
      int win = 0;
      Control* c = recordControl(r.a, win);
      if (!c || c->state == 0 || (c->widget && (!c->widget->isEnabled() || c->widget->isHidden())))
        script::fail("scripted input clicks control " + std::to_string(r.a) + ", which " +
                     (!c ? "the front window does not have" : c->widget && c->widget->isHidden() ? "is hidden" : "is disabled") +
                     " " + script::describeRecord(r));
      if (c->type == ControlType::Button && c->buttonType == 2) setButtonStateIn(win, c->id, c->state == 2 ? 1 : 2);
      if (c->type == ControlType::Button && c->buttonType == 3) setButtonStateIn(win, c->id, 2);
      postEvent({EventKind::Dialog, 1, r.a, 0, 0, {}});
      break;
    }
    case RecordKind::Popup: {
      int win = 0;
      Control* c = recordControl(r.a, win);
      if (!c || (c->type != ControlType::Popup && c->type != ControlType::Tabs) || c->state == 0)
        script::fail("scripted input sets popup " + std::to_string(r.a) + ", which the front window does not have " +
                     script::describeRecord(r));
      if (c->type == ControlType::Tabs && r.b > c->max)
        script::fail("scripted input picks tab " + std::to_string(r.b) + " of " + std::to_string(c->max) +
                     " of control " + std::to_string(r.a) + " " + script::describeRecord(r));
      if (c->type == ControlType::Popup && (r.b > menuItemCount(c->menu) || menuItemState(c->menu, r.b) == 0 || menuItemIsSeparator(c->menu, r.b)))
        script::fail("scripted input picks item " + std::to_string(r.b) + " of popup " + std::to_string(r.a) +
                     ", which cannot be chosen " + script::describeRecord(r));
      Window* w = findWindow(win);
      Window* saved = outputWin();
      setOutputWindow(w->id);
      setControlValue(r.a, r.b);
      if (saved) setOutputWindow(saved->id);
      postEvent({EventKind::Dialog, 1, r.a, 0, 0, {}});
      break;
    }
    case RecordKind::Dialog:
      postEvent({EventKind::Dialog, r.a, r.b, 0, 0, {}});
      break;
    case RecordKind::Key: {
      int front = frontWindow();
      int field = focusedEditField();
      if (front && field) {
        Event e{EventKind::EditKey, r.a, field, front, 0, {}};
        std::string text = r.a >= 32 && r.a != 127 ? macRomanChar(uint8_t(r.a)) : std::string();
        e.d = s.nextKeySerial++;
        s.keyText[e.d] = text;
        postEvent(e);
      } else {
        postEvent({EventKind::Dialog, 16, r.a, 0, 0, {}});
      }
      break;
    }
    case RecordKind::Type: {
      int front = frontWindow();
      if (!front || !controlExistsIn(front, r.a))
        script::fail("scripted input types into field " + std::to_string(r.a) +
                     ", which the front window does not have " + script::describeRecord(r));
      setEditTextIn(front, r.a, r.text);
      break;
    }
    case RecordKind::MouseDown:
      movePointer(r);
      s.mousePhase = State::Phase::Press;
      break;
    case RecordKind::MouseDrag:
      movePointer(r);
      break;
    case RecordKind::MouseUp:
      movePointer(r);
      s.mousePhase = State::Phase::Release;
      break;
    case RecordKind::Shot:
      recordWindow(r.a);
      if (!saveWindowImage(r.a, r.text)) script::fail("cannot write the image " + r.text);
      break;
    case RecordKind::Open:
    case RecordKind::Save:
    case RecordKind::Page:
    case RecordKind::Print:
    case RecordKind::Alert:
    case RecordKind::Color:
      script::fail(std::string("found ") + script::describeRecord(r) + " while no " +
                   (r.kind == RecordKind::Alert ? "alert is up"
                    : r.kind == RecordKind::Color ? "colour picker is up"
                                                  : std::string(recordKindName(r.kind)) + " panel is up"));
      break;
  }
}

bool dispatchQueued() {
  State& s = S();
  if (s.queue.empty()) return false;
  Event e = s.queue.front();
  s.queue.pop_front();
  dispatch(e);
  return true;
}

}  // namespace

void FBHandleEvents() {
  processQt();
  if (dispatchQueued()) return;
  if (!script::active()) {
    idleWait();
    dispatchQueued();
    return;
  }
  advanceScriptedClock(1);
  if (finishMousePhase(true)) {
    dispatchQueued();
    return;
  }
  const ScriptRecord* next = script::peek();
  if (!next) {
    const int w = frontWindow();
    script::fail("scripted input ran out while the program waits for input (front window " + std::to_string(w) +
                 " \"" + windowTitle(w) + "\")");
  }
  ScriptRecord r = script::pop();
  deliverRecord(r);
  dispatchQueued();
}

void refreshPump() {
  processQt();
  while (dispatchQueued()) {
  }
}

void keepResponsive() { processQt(); }

void trackingPump() {
  processQt();
  if (!script::active()) {
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(2);
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return;
  }
  State& s = S();
  advanceScriptedClock(1);
  if (finishMousePhase(false)) {
    s.idleTrackingPasses = 0;
    return;
  }
  const ScriptRecord* next = script::peek();
  bool isMouse = next && (next->kind == RecordKind::MouseDown || next->kind == RecordKind::MouseDrag ||
                          next->kind == RecordKind::MouseUp);
  if (isMouse) {
    s.idleTrackingPasses = 0;
    deliverRecord(script::pop());
    return;
  }
  if (s.scriptButton) {
    if (!next) script::fail("scripted input ran out while the mouse button is held down");
    script::fail("expected a \"mouse drag\" or \"mouse up\" record while the button is held down, found " +
                 script::describeRecord(*next));
  }
  // A loop that waits for a press that no record will give would never end.
  if (++s.idleTrackingPasses > 100000) {
    s.idleTrackingPasses = 0;
    script::fail("a mouse-tracking loop waits for a press that scripted input does not give");
  }
}

}  // namespace qv::rt
