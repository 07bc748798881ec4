// The comment strip: a window under the plot showing the comment text of the file.
#include <algorithm>

#include "core/filetable.h"
#include "core/prefs.h"
#include "core/text_format.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCommentWindow = 3;
constexpr int kCommentView = 1;
constexpr int kStripHeight = 90;

}  // namespace

void BuildScrollingCOMMENTSWindow() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  rt::closeWindow(kCommentWindow);
  const rt::Rect plotRect = rt::windowContentRect(1000 + f);
  const int left = plotRect.left + 331;
  const int top = plotRect.bottom + 30;
  const int width = std::max(300, plotRect.width() - 331);
  const std::string title =
      (prefsArray[2] ? "file  '" : "COMMENTS for  '") + FileName[f] + " '";
  rt::openWindow(kCommentWindow, title, {left, top, left + width, top + kStripHeight}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox);
  rt::FBTextView(kCommentView, {0, 0, width, kStripHeight}, false);
  TxtViewSetMargins(kCommentView, 8, 0, 0, 0);
  TextViewSetTextFromMyContainer(kCommentView);
  for (int w : {2, 2002})
    if (rt::windowExists(w)) rt::bringWindowForward(w);
  rt::refreshPump();
}

void DRAWCOMMENTS() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || prefsArray[2]) return;
  if (rt::windowExists(1000 + f)) rt::setOutputWindow(1000 + f);
  BuildScrollingCOMMENTSWindow();
  // The plot stays the window the user works in.
  if (rt::windowExists(1000 + f)) {
    rt::bringWindowForward(1000 + f);
    for (int w : {2, 2002})
      if (rt::windowExists(w)) rt::bringWindowForward(w);
    rt::setOutputWindow(1000 + f);
  }
}

}  // namespace qv
