// Edit > Expression Transforms... and Special > Expression Evaluator...: window 8 and its loop.
#include "transforms/expression_window.h"

#include <algorithm>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/screen_place.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/commands.h"

namespace qv {

namespace {

constexpr int kTransformWidth = 675, kTransformHeight = 340, kPanelRows = 14, kRowHeight = 18;
constexpr rt::Rect kCalculatorPlace{200, 60, 602, 412};
constexpr int kExpressionWidthTransform = 329, kExpressionWidthCalculator = 391, kExpressionHeight = 142;

std::string defaultExpression() { return "10 * (x + y)/2.0 + sin( " + piValue + "*0.5 ) `[ example ]`"; }

// Below the plot area of the file's plot window, moved up as far as it must to be on the
// screen; one panel row more for each channel beyond 14.
rt::Rect transformPlace(int f, int channels) {
  int left = 10, top = 40;
  if (rt::windowExists(1000 + f)) {
    const rt::Rect p = rt::windowContentRect(1000 + f);
    left = p.left, top = p.top;
  }
  const int height = kTransformHeight + kRowHeight * std::max(0, channels - kPanelRows);
  top += BottomOfPlotArea + 10;
  return placeOnScreen({left, top, left + kTransformWidth, top + height}, rt::screenRect());
}

void buildCommon(const ExpressionWindow& w, int width, const std::string& expression, const std::string& message) {
  EmbossPrint(1, "write expression here:", 12, 8, 18);
  rt::FBTextView(kExpressionField, {8, 26, 8 + width, 26 + kExpressionHeight}, true);
  rt::setEditText(kExpressionField, expression);
  EFForeColor = EFBackColor = 1;
  buildef(1, kMessageField, message, 8, 174, int16_t(8 + width), 210, 7, 0);
  rt::setEditFont(kMessageField, KestrixFont, 12, rt::kBold);
  const int mid = 8 + width / 2;
  rt::FBButton(kCheckButton, 1, "Check Expression", {8, 216, mid - 4, 238}, 1);
  rt::FBButton(kRunButton, w.checked ? 1 : 0, w.mode ? "Run Transform" : "Evaluate", {mid + 4, 216, 8 + width, 238}, 4);
}

void buildTransform(ExpressionWindow& w, const std::string& expression, const std::string& label,
                    const std::string& message) {
  const int f = w.f;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  HideTheToolBar();
  const int n = nChannels[f];
  const rt::Rect r = transformPlace(f, n);
  BuildWINDOW(kExpressionWindow, "Numeric Expression Transforms", int16_t(r.left), int16_t(r.top), int16_t(r.right),
              int16_t(r.bottom), 6);
  buildCommon(w, kExpressionWidthTransform, expression, message);
  const int right = 8 + kExpressionWidthTransform;
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(8, 262, "label:");
  EFForeColor = 1, EFBackColor = 8;
  buildef(1, kResultField, label, 50, 248, int16_t(right), 266, 1, 0);
  rt::setEditFont(kResultField, KestrixFont, 14, rt::kBold);
  if (FileSHORTS[f][kBlockStateWord] == 2)
    rt::FBButton(kBlockBox, w.blockOnly ? 2 : 1, "Block Only", {8, 276, 104, 294}, 2);
  if (w.offerNewChannel)
    rt::FBButton(kNewChannelBox, w.newChannel ? 2 : 1, "Store Result in New Channel" + rt::PSstrLong(n + 1),
                 {110, 276, right, 294}, 2);
  rt::FBButton(kExpressionHelp, 1, "?", {8, 306, 38, 328}, 1);
  rt::FBButton(kExpressionUndo, 0, "Undo", {right - 152, 306, right - 82, 328}, 1);
  rt::FBButton(kExpressionDone, 1, "Done", {right - 72, 306, right, 328}, 1);

  const int panelLeft = right + 8;
  EmbossPrint(1, "channels for 'X' and 'Y' values:", 12, int16_t(panelLeft + 4), 18);
  yChan = 1;
  MainDataChannel = w.channelX;
  SecondChannel = w.channelY;
  TRANSCHAN("Ch. X", " Ch. Y", " channel labels", 22, 1, int16_t(panelLeft), 1);
  for (int c = 1; c <= n; ++c) {
    rt::setButtonState(c, c == w.channelX ? 2 : 1);
    rt::setButtonState(n + c, c == w.channelY ? 2 : 1);
  }
  w.panelChannels = int16_t(n);
  setUndoButton(w);
}

void buildCalculator(ExpressionWindow& w, const std::string& expression, const std::string& xText,
                     const std::string& yText, const std::string& result, const std::string& message) {
  const rt::Rect r = kCalculatorPlace;
  BuildWINDOW(kExpressionWindow, "Numeric Expression Evaluator", int16_t(r.left), int16_t(r.top), int16_t(r.right),
              int16_t(r.bottom), 6);
  buildCommon(w, kExpressionWidthCalculator, expression, message);
  const int right = 8 + kExpressionWidthCalculator;
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = 1, EFBackColor = 8;
  PrintAt(8, 262, "x:");
  buildef(1, kXField, xText, 26, 248, 170, 266, 1, 0);
  PrintAt(194, 262, "y:");
  buildef(1, kYField, yText, 212, 248, int16_t(right), 266, 1, 0);
  PrintAt(8, 294, "result:");
  buildef(1, kResultField, result, 56, 278, int16_t(right), 300, 1, 0);
  rt::setEditFont(kResultField, KestrixFont, 14, rt::kBold);
  rt::FBButton(kExpressionHelp, 1, "?", {8, 320, 38, 342}, 1);
  rt::FBButton(kExpressionDone, 1, "Done", {right - 72, 320, right, 342}, 1);
}

void pickX(ExpressionWindow& w, int16_t c) {
  for (int k = 1; k <= w.panelChannels; ++k) rt::setButtonState(k, k == c ? 2 : 1);
  w.channelX = c;
  rt::setEditText(kResultField, RetrieveLabel(c));
  setUndoButton(w);
}

void pickY(ExpressionWindow& w, int16_t c) {
  for (int k = 1; k <= w.panelChannels; ++k) rt::setButtonState(w.panelChannels + k, k == c ? 2 : 1);
  w.channelY = c;
}

void undoButton(ExpressionWindow& w) {
  if (w.newChannel || w.undoChannel == 0) return;
  LastChan = w.undoChannel;
  const bool restored = UNDO();
  w.undoChannel = 0;
  if (restored && LastChan == w.channelX) rt::setEditTextIn(kExpressionWindow, kResultField, RetrieveLabel(w.channelX));
  UpdateSCREEN(0, 0);
  if (FileSHORTS[w.f][kViewModeWord] != 0) DrawALLCHANNELS(0);
  HideTheToolBar();
  rt::bringWindowForward(kExpressionWindow);
  rt::setOutputWindow(kExpressionWindow);
  setUndoButton(w);
}

void button(ExpressionWindow& w, int id) {
  const int n = w.panelChannels;
  if (w.mode == 1 && id >= 1 && id <= n) return pickX(w, int16_t(id));
  if (w.mode == 1 && id > n && id <= 2 * n) return pickY(w, int16_t(id - n));
  switch (id) {
    case kCheckButton: checkExpression(w); return;
    case kRunButton: runExpression(w); return;
    case kBlockBox:
      w.blockOnly = !w.blockOnly;
      rt::setButtonState(kBlockBox, w.blockOnly ? 2 : 1);
      return;
    case kNewChannelBox:
      w.newChannel = !w.newChannel;
      rt::setButtonState(kNewChannelBox, w.newChannel ? 2 : 1);
      setUndoButton(w);
      return;
    case kExpressionHelp:
      HelpSubject = w.helpSubject;
      OpenHelpBook();
      if (rt::windowExists(kExpressionWindow)) rt::bringWindowForward(kExpressionWindow);
      return;
    case kExpressionUndo: if (w.mode == 1) undoButton(w); return;
    case kExpressionDone: w.exit = true; return;
    default: return;
  }
}

}  // namespace

void setUndoButton(const ExpressionWindow& w) {
  if (w.mode != 1 || !rt::controlExistsIn(kExpressionWindow, kExpressionUndo)) return;
  rt::setButtonStateIn(kExpressionWindow, kExpressionUndo, w.undoChannel != 0 && !w.newChannel ? 1 : 0);
}

void buildExpressionWindow(ExpressionWindow& w) {
  // A rebuild keeps what the user typed.
  const bool rebuild = rt::windowExists(kExpressionWindow);
  const auto text = [&](int id, const std::string& initial) {
    return rebuild && rt::controlExistsIn(kExpressionWindow, id) ? rt::editTextIn(kExpressionWindow, id) : initial;
  };
  const std::string expression = text(kExpressionField, defaultExpression());
  const std::string message = text(kMessageField, "");
  if (w.mode == 1) {
    buildTransform(w, expression, text(kResultField, RetrieveLabel(w.channelX)), message);
  } else {
    buildCalculator(w, expression, text(kXField, "1"), text(kYField, "2.01"), text(kResultField, ""), message);
  }
  rt::setOutputWindow(kExpressionWindow);
  const int length = int(rt::editText(kExpressionField).size());
  rt::selectEditField(kExpressionField, length, length);
}

void ExpressionEvaluator(int16_t mode) {
  const int f = TheFileInUse;
  if (mode == 1 && (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f])) return;
  SavedHandlers saved;
  HideTheToolBar();
  ExpressionWindow w;
  w.f = f;
  w.mode = mode == 1 ? int16_t(1) : int16_t(0);
  w.helpSubject = w.mode ? 280 : 238;
  if (w.mode == 1) {
    w.channelX = ActiveChannel;
    w.offerNewChannel = nChannels[f] <= 23;
  }
  rt::closeWindow(kExpressionWindow);
  buildExpressionWindow(w);
  installModalHandlers();
  action = eventID = 0;
  while (!w.exit) {
    const bool quit = !waitForActionOrQuit();
    const int a = action, id = eventID;
    action = eventID = 0;
    if (quit) break;
    if (a == 4 && id == kExpressionWindow) break;
    if (a == 1) {
      rt::setOutputWindow(kExpressionWindow);
      button(w, id);
    }
    rt::setCursor(rt::Cursor::Arrow);
  }
  rt::closeWindow(kExpressionWindow);
  if (w.mode == 1) yChan = 0;
  RestoreTheToolBar();
  action = eventID = 0;
}

}  // namespace qv
