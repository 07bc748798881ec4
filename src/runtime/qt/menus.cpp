#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <map>

#include "runtime/menus.h"
#include "runtime/qt/plain_text.h"
#include "runtime/qt/widgets.h"
#include "runtime/scripted.h"

namespace qv::rt {

using namespace qt;

namespace {

struct Item {
  std::string text;
  int state = 1;
  bool separator = false;
  char key = 0;
  bool shift = false;
  int submenu = 0;
  int reportMenu = 0, reportItem = 0;  // 0: reports as itself
  EditAction edit = EditAction::None;
};

struct Menu {
  std::string title;
  bool enabled = true;
  int reportedAs = 0;
  std::vector<Item> items;  // items[0] is item 1
  QMenu* qmenu = nullptr;
};

std::map<int, Menu> gMenus;
std::vector<int> gBar;

Menu* find(int menu) {
  auto it = gMenus.find(menu);
  return it == gMenus.end() ? nullptr : &it->second;
}

Item* itemOf(int menu, int item) {
  Menu* m = find(menu);
  if (!m || item < 1 || item > int(m->items.size())) return nullptr;
  return &m->items[size_t(item - 1)];
}

void ensureItem(Menu& m, int item) {
  if (int(m.items.size()) < item) m.items.resize(size_t(item));
}

// The Qt menu of a menu-bar menu (and of its submenus), rebuilt when the model changes.
void rebuildQMenu(int menuId);

QMenu* qmenuOf(int menuId) {
  Menu* m = find(menuId);
  if (!m) return nullptr;
  if (!m->qmenu) {
    m->qmenu = new QMenu(plainText(m->title));
    rebuildQMenu(menuId);
  }
  return m->qmenu;
}

void rebuildQMenu(int menuId) {
  Menu* m = find(menuId);
  if (!m || !m->qmenu) return;
  QMenu* q = m->qmenu;
  q->clear();
  q->setTitle(plainText(m->title));
  q->setEnabled(m->enabled);
  for (size_t i = 0; i < m->items.size(); ++i) {
    const Item& it = m->items[i];
    if (it.separator) {
      q->addSeparator();
      continue;
    }
    const int item = int(i) + 1;
    if (it.submenu) {
      if (QMenu* sub = qmenuOf(it.submenu)) {
        QAction* a = q->addMenu(sub);
        a->setText(plainText(it.text));
        a->setEnabled(it.state != 0);
      }
      continue;
    }
    QAction* a = q->addAction(plainText(it.text));
    a->setEnabled(it.state != 0);
    a->setCheckable(it.state == 2);
    a->setChecked(it.state == 2);
    if (it.key) {
      QKeyCombination combo(it.shift ? (Qt::ControlModifier | Qt::ShiftModifier) : Qt::ControlModifier,
                            Qt::Key(QChar(it.key).toUpper().unicode()));
      QKeySequence ks(combo);
      a->setShortcut(ks);
      a->setShortcutContext(Qt::ApplicationShortcut);
    }
    QObject::connect(a, &QAction::triggered, a, [menuId, item] {
      if (!acceptsUserInput()) return;
      // A shortcut can fire while its menu is disabled: only what could be chosen counts.
      if (!menuChoiceEnabled(menuId, item)) return;
      deliverMenuPick(menuId, item);
    });
  }
}

void changed(int menuId) {
  if (Menu* m = find(menuId); m && m->qmenu) rebuildQMenu(menuId);
  refreshPopupsOfMenu(menuId);
}

void rebuildBars() {
  for (auto& [id, w] : S().windows)
    if (w->hasMenuBar) attachMenuBar(*w);
}

}  // namespace

namespace {

// The (menu, item) of the model that a choice names: its own pair, or an item reporting as it.
bool resolvePick(int menu, int item, int& ownMenu, int& ownItem) {
  if (itemOf(menu, item)) {
    ownMenu = menu, ownItem = item;
    return true;
  }
  for (auto& [mid, m] : gMenus) {
    if (m.reportedAs == menu && itemOf(mid, item)) {
      ownMenu = mid, ownItem = item;
      return true;
    }
    for (size_t i = 0; i < m.items.size(); ++i)
      if (m.items[i].reportMenu == menu && m.items[i].reportItem == item) {
        ownMenu = mid, ownItem = int(i) + 1;
        return true;
      }
  }
  return false;
}

// The edit field that has the keyboard: Qt's focus when a person acts; the field the
// program focused in the front window under scripted input.
QWidget* focusedTextWidget() {
  if (script::active()) {
    Window* w = findWindow(frontWindow());
    if (!w) return nullptr;
    auto it = w->controls.find(w->focusedField);
    if (it == w->controls.end() || it->second.type != ControlType::EditField) return nullptr;
    return it->second.widget.data();
  }
  return QApplication::focusWidget();
}

bool applyEditAction(EditAction a) {
  QWidget* fw = focusedTextWidget();
  if (auto* le = qobject_cast<QLineEdit*>(fw)) {
    switch (a) {
      case EditAction::Undo: le->undo(); return true;
      case EditAction::Cut: le->cut(); return true;
      case EditAction::Copy: le->copy(); return true;
      case EditAction::Paste: le->paste(); return true;
      case EditAction::SelectAll: le->selectAll(); return true;
      case EditAction::None: return false;
    }
  }
  if (auto* te = qobject_cast<QTextEdit*>(fw)) {
    switch (a) {
      case EditAction::Undo: te->undo(); return true;
      case EditAction::Cut: te->cut(); return true;
      case EditAction::Copy: te->copy(); return true;
      case EditAction::Paste: te->paste(); return true;
      case EditAction::SelectAll: te->selectAll(); return true;
      case EditAction::None: return false;
    }
  }
  return false;
}

}  // namespace

namespace qt {

void deliverMenuPick(int menu, int item) {
  int om = menu, oi = item;
  if (!resolvePick(menu, item, om, oi)) {
    postEvent({EventKind::Menu, menu, item, 0, 0, {}});
    return;
  }
  const Item* it = itemOf(om, oi);
  if (it->edit != EditAction::None && applyEditAction(it->edit)) return;
  if (it->reportMenu) {
    postEvent({EventKind::Menu, it->reportMenu, it->reportItem, 0, 0, {}});
    return;
  }
  Menu* m = find(om);
  postEvent({EventKind::Menu, m->reportedAs ? m->reportedAs : om, oi, 0, 0, {}});
}

void attachMenuBar(Window& w) {
  if (!w.widget) return;
  QMenuBar* mb = w.widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
  if (!mb) {
    mb = new QMenuBar(w.widget);
    mb->setNativeMenuBar(false);
    if (auto* lay = qobject_cast<QVBoxLayout*>(w.widget->layout())) lay->setMenuBar(mb);
  }
  mb->clear();
  for (int id : gBar)
    if (QMenu* q = qmenuOf(id)) mb->addMenu(q);
}

}  // namespace qt

void menuCreate(int menu, std::string_view title) {
  Menu& m = gMenus[menu];
  m.title = std::string(title);
  m.items.clear();
  m.enabled = true;
  changed(menu);
}

bool menuExists(int menu) { return find(menu) != nullptr; }

void menuDelete(int menu) {
  Menu* m = find(menu);
  if (!m) return;
  delete m->qmenu;
  gMenus.erase(menu);
  refreshPopupsOfMenu(menu);
}

void menuSetItems(int menu, int first, std::string_view list, int state) {
  Menu& m = gMenus[menu];
  int item = first;
  size_t pos = 0;
  while (true) {
    size_t semi = list.find(';', pos);
    std::string_view text = list.substr(pos, semi == std::string_view::npos ? std::string_view::npos : semi - pos);
    ensureItem(m, item);
    Item& it = m.items[size_t(item - 1)];
    it = Item{};
    it.text = std::string(text);
    it.separator = text == "-";
    it.state = it.separator ? 0 : state;
    ++item;
    if (semi == std::string_view::npos) break;
    pos = semi + 1;
  }
  changed(menu);
}

void menuSetItemText(int menu, int item, std::string_view text) {
  Menu& m = gMenus[menu];
  if (item < 1) return;
  ensureItem(m, item);
  Item& it = m.items[size_t(item - 1)];
  it.text = std::string(text);
  it.separator = text == "-";
  changed(menu);
}

void menuSetItemState(int menu, int item, int state) {
  if (item == 0) {
    menuSetEnabled(menu, state != 0);
    return;
  }
  Item* it = itemOf(menu, item);
  if (!it || it->separator || it->state == state) return;
  it->state = state;
  changed(menu);
}

int menuItemState(int menu, int item) {
  Item* it = itemOf(menu, item);
  return it ? it->state : 0;
}

std::string menuItemText(int menu, int item) {
  Item* it = itemOf(menu, item);
  return it ? it->text : std::string();
}

int menuItemCount(int menu) {
  Menu* m = find(menu);
  return m ? int(m->items.size()) : 0;
}

bool menuItemIsSeparator(int menu, int item) {
  Item* it = itemOf(menu, item);
  return it && it->separator;
}

void menuDeleteItem(int menu, int item) {
  Menu* m = find(menu);
  if (!m || item < 1 || item > int(m->items.size())) return;
  m->items.erase(m->items.begin() + (item - 1));
  changed(menu);
}

void menuSetCommandKey(int menu, int item, char key, bool shift) {
  Item* it = itemOf(menu, item);
  if (!it) return;
  it->key = key;
  it->shift = shift;
  changed(menu);
}

void menuSetSubmenu(int menu, int item, int submenu) {
  Item* it = itemOf(menu, item);
  if (!it) return;
  it->submenu = submenu;
  changed(menu);
}

int menuSubmenu(int menu, int item) {
  Item* it = itemOf(menu, item);
  return it ? it->submenu : 0;
}

void menuSetEnabled(int menu, bool on) {
  Menu* m = find(menu);
  if (!m || m->enabled == on) return;
  m->enabled = on;
  if (m->qmenu) {
    m->qmenu->setEnabled(on);
    m->qmenu->menuAction()->setEnabled(on);
  }
}

bool menuEnabled(int menu) {
  Menu* m = find(menu);
  return m && m->enabled;
}

void setMenuBar(const std::vector<int>& menus) {
  gBar = menus;
  rebuildBars();
}

const std::vector<int>& menuBarMenus() { return gBar; }

void setMenuReportNumber(int menu, int reported) { gMenus[menu].reportedAs = reported; }

void menuSetItemReport(int menu, int item, int reportMenu, int reportItem) {
  Item* it = itemOf(menu, item);
  if (!it) return;
  it->reportMenu = reportMenu;
  it->reportItem = reportItem;
}

void menuSetEditAction(int menu, int item, EditAction action) {
  if (Item* it = itemOf(menu, item)) it->edit = action;
}

void windowShowsMenuBar(int window, bool on) {
  Window* w = findWindow(window);
  if (!w) return;
  Rect r = windowContentRect(window);
  w->hasMenuBar = on;
  if (on) attachMenuBar(*w);
  else if (auto* mb = w->widget->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) delete mb;
  setWindowContentRect(window, r);
}

bool windowHasMenuBar(int window) {
  Window* w = findWindow(window);
  return w && w->hasMenuBar;
}

namespace {

// A submenu can be reached only through an enabled item of a reachable menu.
bool reachable(int menuId, int depth = 0) {
  Menu* m = find(menuId);
  if (!m || !m->enabled || depth > 8) return false;
  for (auto& [pid, p] : gMenus)
    for (size_t i = 0; i < p.items.size(); ++i)
      if (p.items[i].submenu == menuId) return p.items[i].state != 0 && reachable(pid, depth + 1);
  return true;
}

}  // namespace

bool menuChoiceEnabled(int menu, int item) {
  // An item is found by its own pair, by the number its menu reports as, or by the pair it
  // reports as itself.
  int om = menu, oi = item;
  if (!resolvePick(menu, item, om, oi)) return false;
  if (!reachable(om)) return false;
  Item* it = itemOf(om, oi);
  return it && !it->separator && it->state != 0;
}

}  // namespace qv::rt
