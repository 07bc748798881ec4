// Moving a control: a text view follows its window's new size.
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

TEST(ControlRect, ATextViewMovesAndResizes) {
  qvtest::resetRuntime();
  rt::openWindow(515, "comments", {30, 100, 700, 400}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::FBTextView(1, {0, 0, 670, 244}, true);
  rt::setControlRect(1, {0, 0, 900, 444});
  EXPECT_EQ(rt::controlRect(1), (rt::Rect{0, 0, 900, 444}));
  rt::setControlRect(2, {0, 0, 10, 10});  // no such control: nothing
  EXPECT_FALSE(rt::controlExists(2));
  rt::closeWindow(515);
}
