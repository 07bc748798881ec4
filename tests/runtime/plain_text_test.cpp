// Texts with "&" in menus, buttons and alerts are shown as written: Qt must not make the
// character after "&" a keyboard mnemonic.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>

#include "runtime/menus.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

// The Qt menu whose title shows `title`, and the action in it that shows `text`.
QAction* shownAction(const QString& title, const QString& text) {
  for (QWidget* w : QApplication::allWidgets()) {
    auto* m = qobject_cast<QMenu*>(w);
    if (!m || QString(m->title()).replace("&&", "&") != title) continue;
    for (QAction* a : m->actions())
      if (QString(a->text()).replace("&&", "&") == text) return a;
  }
  return nullptr;
}

}  // namespace

TEST(PlainText, AmpersandsInMenusAndButtonsAreNoMnemonics) {
  qvtest::resetRuntime();
  rt::menuCreate(91, "R&D");
  rt::menuSetItems(91, 1, "Compact & Average;Wide&Narrow.KXdata");
  rt::setMenuBar({91});
  rt::openWindow(1000, "Plot", {10, 40, 610, 440}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::windowShowsMenuBar(1000, true);
  rt::setOutputWindow(1000);
  rt::FBButton(5, 1, "Save & Close", {10, 10, 150, 30}, 1);
  rt::FBButton(6, 1, "Start", {10, 40, 150, 60}, 1);
  rt::setControlTitle(6, "Stop&Go");

  for (const char* text : {"Compact & Average", "Wide&Narrow.KXdata"}) {
    QAction* a = shownAction("R&D", text);
    ASSERT_NE(a, nullptr) << text;
    EXPECT_TRUE(QKeySequence::mnemonic(a->text()).isEmpty()) << text;
  }
  for (QWidget* w : QApplication::allWidgets()) {
    if (auto* m = qobject_cast<QMenu*>(w); m && m->title().contains('&')) {
      EXPECT_TRUE(QKeySequence::mnemonic(m->title()).isEmpty()) << m->title().toStdString();
    }
  }
  int buttons = 0;
  for (QWidget* w : QApplication::allWidgets()) {
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text().contains('&')) {
      ++buttons;
      EXPECT_TRUE(b->shortcut().isEmpty()) << b->text().toStdString();
    }
  }
  EXPECT_EQ(buttons, 2);
  rt::closeWindow(1000);
  rt::setMenuBar({});
  rt::menuDelete(91);
}
