// The comments window (515): the comment text of the file in use, edited, printed and saved
// from it; the empty comment strip; closing the analysis windows.
#include <string>
#include <vector>

#include "core/help.h"
#include "core/menu_state.h"
#include "core/splash.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/screen_place.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "datafiles/comments_layout.h"
#include "datafiles/comments_window.h"
#include "datafiles/datafiles.h"
#include "plot/plot.h"
#include "runtime/events.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCommentsWindow = 515, kInfoWindow = 444, kEditWindow = 6, kStripWindow = 3;
constexpr int kTextView = 1;
constexpr int kDone = 2, kShowData = 3, kSaveChanges = 4, kHelp = 5, kPrint = 6;
constexpr int kPanelHeight = 56;

std::string gTitle;

void drawPanel(int W, int H) {
  rt::setOutputWindow(kCommentsWindow);
  rt::removeControl(kDone);
  rt::foreColor(VeryLightGray);
  rt::paintRect({0, H - kPanelHeight, W, H});
  DoubleLINE(0, int16_t(W), int16_t(H - 55));
  for (const PanelButton& b : commentsPanelButtons(W, H)) rt::FBButton(b.id, 1, b.title, b.rect, 1);
  // The caption gives way to the buttons in a narrow window.
  SetTextStyle(KestrixFont, 24, 0);
  if (26 + rt::stringWidth("Edit comments") <= W - 452) EmbossPrint(0, "Edit comments", 24, 26, int16_t(H - 17));
  rt::setControlRect(kTextView, {0, 0, W, H - kPanelHeight});
  rt::flushWindow(kCommentsWindow);
}

// The text back into the file's comment; a text that differs marks the file changed.
void keepText(int f) {
  rt::setOutputWindow(kCommentsWindow);
  const std::string before = CommentContainer[f];
  TextViewGetTextCopyIntoMyContainer(kTextView);
  if (CommentContainer[f] != before) FileSHORTS[f][kChangeMarkWord] = 1;
}

void openCommentsWindow(int f) {
  const CommentsPlace place = commentsWindowPlace(HowManyLinesInComments(), BottomOfPlotArea, rt::screenRect().height());
  const int plotWindow = 1000 + f;
  const int left = rt::windowExists(plotWindow) ? rt::windowContentRect(plotWindow).left + 30 : 30;
  if (rt::windowExists(plotWindow)) rt::bringWindowForward(plotWindow);
  const rt::Rect r = placeOnScreen({left, place.top, left + 670, place.top + place.height}, rt::screenRect());
  rt::openWindow(kCommentsWindow, gTitle, r, rt::kDocumentWindowClass, rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(kCommentsWindow, 540, 200);
  rt::FBTextView(kTextView, {0, 0, r.width(), r.height() - kPanelHeight}, true);
  TxtViewSetMargins(kTextView, 8, 0, 0, 0);
  TextViewSetTextFromMyContainer(kTextView);
}

// One event of the loop; true when the window ends.
bool handleCommentsEvent(int f) {
  if (gQuitPending || (action == 3 && eventID != kCommentsWindow)) {
    if (action == 3) rt::bringWindowForward(kCommentsWindow);
    keepText(f);
    return true;
  }
  if (action == 4 && eventID == kInfoWindow) {
    rt::closeWindow(kInfoWindow);
  } else if (action == 4 && eventID == kCommentsWindow) {
    return true;
  } else if (action == 1 && eventID == kDone) {
    keepText(f);
    return true;
  } else if (action == 1 && eventID == kShowData) {
    FILEINFO("", "", "", 2);
  } else if (action == 1 && (eventID == kSaveChanges || eventID == -99)) {
    keepText(f);
    SAVEDATAFILE(0, 1, 0);
    HideTheToolBar();
    rt::FlushEvents();
    rt::bringWindowForward(kCommentsWindow);
  } else if (action == 1 && eventID == kHelp) {
    HelpSubject = 275;
    OpenHelpBook();
  } else if (action == 1 && eventID == kPrint) {
    PrintAllTheComments();
  }
  return false;
}

}  // namespace

void BuildScrollingCONTAINERWindow() {
  const int f = TheFileInUse;
  openCommentsWindow(f);
  SavedHandlers saved;
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  int lastW = 600, lastH = 400;
  auto followSize = [&] {
    if (!rt::windowExists(kCommentsWindow)) return;
    const rt::Rect r = rt::windowContentRect(kCommentsWindow);
    if (r.width() != lastW || r.height() != lastH) {
      lastW = r.width(), lastH = r.height();
      drawPanel(lastW, lastH);
    }
  };
  followSize();
  action = eventID = 0;
  for (bool done = false; !done;) {
    rt::FBHandleEvents();
    done = handleCommentsEvent(f);
    action = eventID = 0;
    if (!done) followSize();
  }
  rt::closeWindow(kInfoWindow);
}

void FixCOMMENTS(uint16_t fromDialog) {
  action = eventID = 0;
  rt::closeWindow(kCommentsWindow);
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  ThisFileName = FileName[f];
  gTitle = rt::leftChars("Comments for  '" + ThisFileName + " '", 252);
  HideTheToolBar();
  BuildScrollingCONTAINERWindow();
  rt::closeWindow(kCommentsWindow);
  action = eventID = 0;
  DRAWCOMMENTS();
  playIfSoundsOn("click.mp3");
  if (fromDialog && rt::windowExists(kEditWindow)) rt::bringWindowForward(kEditWindow);
  else if (!fromDialog) RestoreTheToolBar();
  click = 1;
}

uint32_t HowManyLinesInComments() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots || FirstDoubleclickLoad) return 0;
  return commentLineCount(CommentContainer[f]);
}

void SetPrintJobName(std::string_view name) { rt::setPrintJobName(name); }

void PrintAllTheComments() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::pageSetup()) return;
  const std::string heading = "Comments from '" + FileName[f] + "'";
  SetPrintJobName(heading);
  std::vector<rt::PrintLine> lines{{{heading}}, {}};
  std::vector<int> sizes{18, 11};
  std::string text = CommentContainer[f];
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back({{text.substr(start, end - start)}});
    start = end + 1;
  }
  lines.emplace_back();
  if (rt::printTextDocument(heading, lines, KestrixFont, 11, sizes) == rt::PrintOutcome::Failed)
    Warn(1166, "Caution: ", {"The comments could not be printed."});
}

void ClearCommentsWindow() {
  rt::closeWindow(kStripWindow);
  const int f = TheFileInUse;
  if (prefsArray[2] || !slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const rt::Rect plot = rt::windowContentRect(1000 + f);
  rt::bringWindowForward(1000 + f);
  const int left = plot.left + 321, top = plot.bottom + 30;
  rt::openWindow(kStripWindow, "", {left, top, std::max(left + 100, plot.right), top + 47}, rt::kPlainWindowClass, 0);
  rt::foreColor(manila);
  rt::backColor(manila);
  rt::paintRect({0, 0, std::max(100, plot.right - left), 70});
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(4, 13, "      Data File Comments");
  rt::flushWindow(kStripWindow);
  rt::bringWindowForward(1000 + f);
  rt::setOutputWindow(1000 + f);
}

void ClearWINDOW41() {
  for (int w : {4, 6, 41}) rt::closeWindow(w);
}

}  // namespace qv
