#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTextBrowser>

#include "runtime/macroman.h"
#include "runtime/menus.h"
#include "runtime/qt/plain_text.h"
#include "runtime/qt/widgets.h"

namespace qv::rt {

using namespace qt;

namespace qt {
namespace {

// Keys typed into edit fields go through the program's edit handler first; the field
// gets them only when the handler lets them through.
class EditKeyFilter : public QObject {
 public:
  EditKeyFilter(int window, int field, QObject* parent) : QObject(parent), window_(window), field_(field) {}

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if (ev->type() == QEvent::FocusIn) {
      if (Window* w = findWindow(window_)) w->focusedField = field_;
      return false;
    }
    if (ev->type() != QEvent::KeyPress || !acceptsUserInput()) return QObject::eventFilter(obj, ev);
    auto* ke = static_cast<QKeyEvent*>(ev);
    int code = keyCodeFor(ke);
    if (code < 0) return false;
    State& s = S();
    Event e{EventKind::EditKey, code, field_, window_, s.nextKeySerial++, {}};
    s.keyText[e.d] = ke->text().toStdString();
    postEvent(e);
    return true;
  }

 private:
  int window_, field_;
};

// Pointer over a control (the label strip follows it).
class HoverFilter : public QObject {
 public:
  HoverFilter(int id, QObject* parent) : QObject(parent), id_(id) {}

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override {
    if ((ev->type() == QEvent::Enter || ev->type() == QEvent::Leave) && acceptsUserInput())
      postEvent({EventKind::Dialog, ev->type() == QEvent::Enter ? 21 : 29, id_, 0, 0, {}});
    return QObject::eventFilter(obj, ev);
  }

 private:
  int id_;
};

Control* findControl(Window* w, int id) {
  if (!w) return nullptr;
  auto it = w->controls.find(id);
  return it == w->controls.end() ? nullptr : &it->second;
}

Control* outControl(int id) { return findControl(outputWin(), id); }

void destroyControl(Control& c) {
  delete c.widget.data();
  delete c.label.data();
}

Control& newControl(Window& w, int id, ControlType type, Rect r) {
  if (auto* old = findControl(&w, id)) destroyControl(*old);
  Control& c = w.controls[id];
  c = Control{};
  c.id = id;
  c.type = type;
  c.rect = r;
  return c;
}

void placeControl(Control& c, QWidget* widget) {
  c.widget = widget;
  widget->setGeometry(c.rect.left, c.rect.top, std::max(1, c.rect.width()), std::max(1, c.rect.height()));
  widget->installEventFilter(new HoverFilter(c.id, widget));
  widget->show();
}

void applyButtonState(Control& c) {
  auto* b = qobject_cast<QAbstractButton*>(c.widget.data());
  if (!b) return;
  b->setEnabled(c.state != 0);
  if (c.buttonType == 2 || c.buttonType == 3) {
    b->setChecked(c.state == 2);
  } else {
    // A marked push button (the chosen channel or unit of a row of buttons) stays pressed.
    b->setCheckable(c.state == 2);
    b->setChecked(c.state == 2);
  }
}

}  // namespace

void applyEditKey(int window, int field, int code, const std::string& text) {
  Window* w = findWindow(window);
  Control* c = findControl(w, field);
  if (!c) return;
  auto* le = qobject_cast<QLineEdit*>(c->widget.data());
  if (!le) return;
  switch (code) {
    case 8: le->backspace(); return;
    case 127: le->del(); return;
    case 28: le->cursorBackward(false); return;
    case 29: le->cursorForward(false); return;
    case 13:
    case 3:
    case 9:
    case 27:
    case 30:
    case 31:
    case 128:
    case 129: return;
    default: break;
  }
  if (!text.empty()) le->insert(QString::fromStdString(text));
  else if (code >= 32) le->insert(QString::fromStdString(macRomanChar(uint8_t(code))));
}

void rebuildPopup(Window& w, Control& c) {
  auto* cb = qobject_cast<QComboBox*>(c.widget.data());
  if (!cb) return;
  QSignalBlocker block(cb);
  cb->clear();
  int n = menuItemCount(c.menu);
  for (int i = 1; i <= n; ++i) {
    if (menuItemIsSeparator(c.menu, i)) {
      cb->insertSeparator(i - 1);
      continue;
    }
    cb->addItem(QString::fromStdString(menuItemText(c.menu, i)));
    if (menuItemState(c.menu, i) == 0) {
      if (auto* m = qobject_cast<QStandardItemModel*>(cb->model())) m->item(i - 1)->setEnabled(false);
    }
  }
  if (c.value >= 1 && c.value <= n) cb->setCurrentIndex(c.value - 1);
  (void)w;
}

void refreshPopupsOfMenu(int menu) {
  for (auto& [wid, w] : S().windows)
    for (auto& [cid, c] : w->controls)
      if (c.type == ControlType::Popup && c.menu == menu) rebuildPopup(*w, c);
}

}  // namespace qt

void FBButton(int id, int state, std::string_view title, Rect r, int type) {
  Window* w = outputWin();
  if (!w) return;
  Control& c = newControl(*w, id, ControlType::Button, r);
  c.buttonType = type;
  c.state = state;
  c.title = std::string(title);
  QString t = plainText(c.title);
  QAbstractButton* b = nullptr;
  if (type == 2) b = new QCheckBox(t, w->canvas);
  else if (type == 3) {
    auto* rb = new QRadioButton(t, w->canvas);
    rb->setAutoExclusive(false);
    b = rb;
  } else {
    auto* pb = new QPushButton(t, w->canvas);
    pb->setDefault(type == 4);
    pb->setAutoDefault(false);
    b = pb;
  }
  b->setFocusPolicy(Qt::NoFocus);
  placeControl(c, b);
  applyButtonState(c);
  const int wid = w->id;
  QObject::connect(b, &QAbstractButton::clicked, b, [wid, id, type] {
    if (!acceptsUserInput()) return;
    Control* cc = findControl(findWindow(wid), id);
    if (!cc) return;
    if (type == 2) cc->state = cc->state == 2 ? 1 : 2;
    if (type == 3) cc->state = 2;
    applyButtonState(*cc);
    postEvent({EventKind::Dialog, 1, id, 0, 0, {}});
  });
}

void FBEditField(int id, std::string_view text, Rect r, int type, int justification) {
  Window* w = outputWin();
  if (!w) return;
  Qt::Alignment align = justification == 1 ? Qt::AlignHCenter : justification == 2 ? Qt::AlignRight : Qt::AlignLeft;
  if (type == 7) {
    Control& c = newControl(*w, id, ControlType::StaticText, r);
    auto* l = new QLabel(QString::fromStdString(std::string(text)), w->canvas);
    l->setAlignment(align | Qt::AlignTop);
    l->setWordWrap(r.height() > 24);
    l->setAutoFillBackground(false);
    l->setFont(fontFor(w->pen.font, 12, 0));
    placeControl(c, l);
    return;
  }
  Control& c = newControl(*w, id, ControlType::EditField, r);
  auto* le = new QLineEdit(QString::fromStdString(std::string(text)), w->canvas);
  le->setAlignment(align | Qt::AlignVCenter);
  le->setFrame(false);
  le->setFont(fontFor(w->pen.font, 12, 0));
  le->installEventFilter(new EditKeyFilter(w->id, id, le));
  placeControl(c, le);
}

void FBAppearanceButton(int id, int state, int value, int min, int max, std::string_view title, Rect r, int kind) {
  Window* w = outputWin();
  if (!w) return;
  const int wid = w->id;
  if (kind == kControlProgressBar) {
    Control& c = newControl(*w, id, ControlType::Progress, r);
    c.value = value, c.min = min, c.max = max, c.state = state;
    auto* pb = new QProgressBar(w->canvas);
    pb->setTextVisible(false);
    pb->setRange(min, std::max(min, max));
    pb->setValue(std::clamp(value, min, std::max(min, max)));
    placeControl(c, pb);
    return;
  }
  if (kind == kControlSlider || kind == kControlSliderTicks) {
    Control& c = newControl(*w, id, ControlType::Slider, r);
    c.value = value, c.min = min, c.max = max, c.state = state;
    auto* sl = new QSlider(Qt::Horizontal, w->canvas);
    sl->setRange(min, std::max(min, max));
    sl->setValue(value);
    if (kind == kControlSliderTicks) sl->setTickPosition(QSlider::TicksBelow);
    sl->setEnabled(state != 0);
    sl->setFocusPolicy(Qt::NoFocus);
    placeControl(c, sl);
    QObject::connect(sl, &QSlider::valueChanged, sl, [wid, id](int v) {
      Control* cc = findControl(findWindow(wid), id);
      if (!cc || cc->value == v) return;
      cc->value = v;
      if (acceptsUserInput()) postEvent({EventKind::Dialog, 1, id, 0, 0, {}});
    });
    return;
  }
  if (kind == kControlPopupButton) {
    Control& c = newControl(*w, id, ControlType::Popup, r);
    c.value = value, c.min = min, c.max = max, c.state = state, c.menu = min;
    c.title = std::string(title);
    int left = r.left;
    if (!c.title.empty()) {
      auto* l = new QLabel(QString::fromStdString(c.title), w->canvas);
      l->setFont(fontFor(w->pen.font, 12, 0));
      int tw = l->sizeHint().width() + 4;
      l->setGeometry(r.left, r.top, tw, std::max(1, r.height()));
      l->show();
      c.label = l;
      left += tw;
    }
    auto* cb = new QComboBox(w->canvas);
    cb->setFocusPolicy(Qt::NoFocus);
    Rect cr = r;
    cr.left = std::min(left, r.right - 20);
    Rect keep = c.rect;
    c.rect = cr;
    placeControl(c, cb);
    c.rect = keep;
    cb->setEnabled(state != 0);
    rebuildPopup(*w, c);
    QObject::connect(cb, QOverload<int>::of(&QComboBox::activated), cb, [wid, id](int index) {
      Control* cc = findControl(findWindow(wid), id);
      if (!cc) return;
      cc->value = index + 1;
      if (acceptsUserInput()) postEvent({EventKind::Dialog, 1, id, 0, 0, {}});
    });
    return;
  }
  // Any other kind: a push button with the title.
  FBButton(id, state, title, r, 1);
}

void FBTabControl(int id, const std::vector<std::string>& titles, Rect r, int value) {
  Window* w = outputWin();
  if (!w) return;
  const int wid = w->id;
  Control& c = newControl(*w, id, ControlType::Tabs, r);
  c.min = 1;
  c.max = int(titles.size());
  c.value = std::clamp(value, 1, std::max(1, c.max));
  auto* tb = new QTabBar(w->canvas);
  tb->setFocusPolicy(Qt::NoFocus);
  tb->setExpanding(false);
  tb->setDrawBase(true);
  for (const auto& t : titles) tb->addTab(QString::fromStdString(t));
  tb->setCurrentIndex(c.value - 1);
  placeControl(c, tb);
  QObject::connect(tb, &QTabBar::tabBarClicked, tb, [wid, id](int index) {
    if (!acceptsUserInput() || index < 0) return;
    Control* cc = findControl(findWindow(wid), id);
    if (!cc) return;
    cc->value = index + 1;
    if (auto* bar = qobject_cast<QTabBar*>(cc->widget.data())) {
      QSignalBlocker b(bar);
      bar->setCurrentIndex(index);
    }
    postEvent({EventKind::Dialog, 1, id, 0, 0, {}});
  });
}

void FBTextView(int id, Rect r, bool editable) {
  Window* w = outputWin();
  if (!w) return;
  Control& c = newControl(*w, id, ControlType::TextView, r);
  auto* tb = new QTextBrowser(w->canvas);
  tb->setReadOnly(!editable);
  tb->setOpenExternalLinks(false);
  tb->setFont(fontFor(w->pen.font, 13, 0));
  placeControl(c, tb);
}

namespace {
QTextBrowser* textView(int id) {
  Control* c = outControl(id);
  return c ? qobject_cast<QTextBrowser*>(c->widget.data()) : nullptr;
}
}  // namespace

void textViewSetHtml(int id, std::string_view html) {
  if (auto* tb = textView(id)) tb->setHtml(QString::fromStdString(std::string(html)));
}
void textViewSetPlain(int id, std::string_view text) {
  if (auto* tb = textView(id)) tb->setPlainText(QString::fromStdString(std::string(text)));
}
std::string textViewPlain(int id) {
  auto* tb = textView(id);
  return tb ? tb->toPlainText().toStdString() : std::string();
}

bool controlExists(int id) { return outControl(id) != nullptr; }
bool controlExistsIn(int window, int id) { return findControl(findWindow(window), id) != nullptr; }

void removeControl(int id) {
  Window* w = outputWin();
  Control* c = findControl(w, id);
  if (!c) return;
  destroyControl(*c);
  w->controls.erase(id);
}

void setControlShown(int id, bool shown) {
  Control* c = outControl(id);
  if (!c) return;
  if (c->widget) c->widget->setVisible(shown);
  if (c->label) c->label->setVisible(shown);
}

bool controlShown(int id) {
  Control* c = outControl(id);
  return c && c->widget && !c->widget->isHidden();
}

void setButtonStateIn(int window, int id, int state) {
  Control* c = findControl(findWindow(window), id);
  if (!c) return;
  c->state = state;
  if (c->type == ControlType::Button) applyButtonState(*c);
  else if (c->widget) c->widget->setEnabled(state != 0);
}

int buttonStateIn(int window, int id) {
  Control* c = findControl(findWindow(window), id);
  return c ? c->state : 0;
}

void setButtonState(int id, int state) { setButtonStateIn(S().output, id, state); }
int buttonState(int id) { return buttonStateIn(S().output, id); }

void setControlValue(int id, int value) {
  Control* c = outControl(id);
  if (!c) return;
  c->value = value;
  if (c->type == ControlType::Button && (c->buttonType == 2 || c->buttonType == 3)) {
    c->state = value ? 2 : 1;
    applyButtonState(*c);
  } else if (auto* pb = qobject_cast<QProgressBar*>(c->widget.data())) {
    pb->setValue(std::clamp(value, pb->minimum(), pb->maximum()));
  } else if (auto* sl = qobject_cast<QSlider*>(c->widget.data())) {
    QSignalBlocker b(sl);
    sl->setValue(value);
  } else if (auto* cb = qobject_cast<QComboBox*>(c->widget.data())) {
    QSignalBlocker b(cb);
    if (value >= 1 && value <= cb->count()) cb->setCurrentIndex(value - 1);
  } else if (auto* tb = qobject_cast<QTabBar*>(c->widget.data())) {
    QSignalBlocker b(tb);
    if (value >= 1 && value <= tb->count()) tb->setCurrentIndex(value - 1);
  }
}

int controlValueIn(int window, int id) {
  Control* c = findControl(findWindow(window), id);
  if (!c) return 0;
  if (c->type == ControlType::Button) return c->state == 2 ? 1 : 0;
  return c->value;
}

int controlValue(int id) { return controlValueIn(S().output, id); }

void setControlRange(int id, int min, int max) {
  Control* c = outControl(id);
  if (!c) return;
  c->min = min;
  c->max = max;
  if (auto* pb = qobject_cast<QProgressBar*>(c->widget.data())) pb->setRange(min, std::max(min, max));
  if (auto* sl = qobject_cast<QSlider*>(c->widget.data())) {
    QSignalBlocker b(sl);
    sl->setRange(min, std::max(min, max));
  }
}

void setControlTitle(int id, std::string_view title) {
  Control* c = outControl(id);
  if (!c) return;
  c->title = std::string(title);
  if (auto* b = qobject_cast<QAbstractButton*>(c->widget.data())) b->setText(plainText(c->title));
  if (auto* l = qobject_cast<QLabel*>(c->label.data())) l->setText(QString::fromStdString(c->title));
}

std::string controlTitle(int id) {
  Control* c = outControl(id);
  return c ? c->title : std::string();
}

Rect controlRect(int id) {
  Control* c = outControl(id);
  return c ? c->rect : Rect{};
}

void setControlRect(int id, Rect r) {
  Control* c = outControl(id);
  if (!c) return;
  const int dx = r.left - c->rect.left, dy = r.top - c->rect.top;
  c->rect = r;
  if (c->label) {
    // A titled popup: its title moves with it, the menu keeps the room right of the title.
    c->label->move(c->label->x() + dx, c->label->y() + dy);
    if (c->widget) c->widget->move(c->widget->x() + dx, c->widget->y() + dy);
    return;
  }
  if (c->widget) c->widget->setGeometry(r.left, r.top, std::max(1, r.width()), std::max(1, r.height()));
}

std::string editTextIn(int window, int id) {
  Control* c = findControl(findWindow(window), id);
  if (!c) return {};
  if (auto* le = qobject_cast<QLineEdit*>(c->widget.data())) return le->text().toStdString();
  if (auto* l = qobject_cast<QLabel*>(c->widget.data())) return l->text().toStdString();
  if (auto* tb = qobject_cast<QTextBrowser*>(c->widget.data())) return tb->toPlainText().toStdString();
  return {};
}

void setEditTextIn(int window, int id, std::string_view text) {
  Control* c = findControl(findWindow(window), id);
  if (!c) return;
  QString t = QString::fromStdString(std::string(text));
  if (auto* le = qobject_cast<QLineEdit*>(c->widget.data())) le->setText(t);
  else if (auto* l = qobject_cast<QLabel*>(c->widget.data())) l->setText(t);
  else if (auto* tb = qobject_cast<QTextBrowser*>(c->widget.data())) tb->setPlainText(t);
}

std::string editText(int id) { return editTextIn(S().output, id); }
void setEditText(int id, std::string_view text) { setEditTextIn(S().output, id, text); }

void setEditColors(int id, RGB text, RGB background) {
  Control* c = outControl(id);
  if (!c || !c->widget) return;
  QPalette pal = c->widget->palette();
  pal.setColor(QPalette::Text, toQColor(text));
  pal.setColor(QPalette::WindowText, toQColor(text));
  pal.setColor(QPalette::Base, toQColor(background));
  c->widget->setPalette(pal);
  if (c->type == ControlType::EditField) c->widget->setAutoFillBackground(true);
}

void fillStaticField(int id, RGB background) {
  Control* c = outControl(id);
  if (!c || !c->widget) return;
  QPalette pal = c->widget->palette();
  pal.setColor(QPalette::Window, toQColor(background));
  pal.setColor(QPalette::Base, toQColor(background));
  c->widget->setPalette(pal);
  c->widget->setAutoFillBackground(true);
}

void setEditFont(int id, int fontNum, int size, int style) {
  Control* c = outControl(id);
  if (c && c->widget) c->widget->setFont(fontFor(fontNum, size, style));
}

void selectEditField(int id, int start, int end) {
  Control* c = outControl(id);
  if (!c) return;
  if (auto* le = qobject_cast<QLineEdit*>(c->widget.data())) {
    le->setFocus(Qt::OtherFocusReason);
    int len = int(le->text().size());
    int a = std::clamp(start, 0, len), b = std::clamp(end, 0, len);
    le->setSelection(a, b - a);
    Window* w = outputWin();
    if (w) w->focusedField = id;
  } else if (auto* tb = qobject_cast<QTextBrowser*>(c->widget.data())) {
    // An editable text view (a field of several lines) takes the insertion point the same way.
    tb->setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = tb->textCursor();
    const int len = int(tb->toPlainText().size());
    cursor.setPosition(std::clamp(start, 0, len));
    cursor.setPosition(std::clamp(end, 0, len), QTextCursor::KeepAnchor);
    tb->setTextCursor(cursor);
  }
}

int focusedEditField() {
  Window* w = findWindow(frontWindow());
  if (!w) return 0;
  Control* c = findControl(w, w->focusedField);
  if (c && c->type == ControlType::EditField) return c->id;
  // The first editable field of the window has the focus when none was chosen.
  for (auto& [id, ctl] : w->controls)
    if (ctl.type == ControlType::EditField) return id;
  return 0;
}

}  // namespace qv::rt
