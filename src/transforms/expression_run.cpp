// What "Check Expression", "Run Transform" and "Evaluate" of window 8 do.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "core/data_generation.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "transforms/expression_window.h"

namespace qv {

namespace {

constexpr const char* kTransformTitle = "Numeric Expression Transforms";
constexpr size_t kLogLineChars = 255;

void showMessage(const std::string& text) { rt::setEditTextIn(kExpressionWindow, kMessageField, text); }

// The text view counts UTF-16 units; the compiler counts characters.
int utf16Offset(const std::string& text, int characters) {
  int units = 0, seen = 0;
  rt::forEachCodePoint(text, [&](char32_t c) {
    if (seen++ < characters) units += c > 0xFFFF ? 2 : 1;
  });
  return units;
}

// A typed x or y: a number, or a message and nothing computed.
bool typedValue(int field, const char* name, double& value) {
  const std::string text = rt::editTextIn(kExpressionWindow, field);
  if (rt::PSvalStrict(text, value) && std::isfinite(value)) return true;
  showMessage(std::string("The value of ") + name + " is not a number: \"" + text + "\".");
  rt::setOutputWindow(kExpressionWindow);
  rt::selectEditField(field, 0, int(text.size()));
  return false;
}

void evaluateOnce(ExpressionWindow& w) {
  double x = 0, y = 0;
  if (!typedValue(kXField, "x", x) || !typedValue(kYField, "y", y)) return;
  rt::setEditTextIn(kExpressionWindow, kResultField, rt::PSstr(expr::evaluate(w.code, x, y)));
  rt::setCursor(rt::Cursor::Arrow);
}

std::string completionText(const expr::NonFinite& bad) {
  std::string s = bad.count == 0 ? "   transform completed without errors."
                                 : "   transform completed;" + rt::PSstrLong(int64_t(bad.count)) +
                                       (bad.count == 1 ? " case gave" : " cases gave") + " no finite value (first: case" +
                                       rt::PSstrLong(int64_t(bad.first)) + ").";
  // A recorded script has no step for this run, so its replay would not repeat it.
  if (RecordSCRIPT) s += " It is not recorded in the script.";
  return s;
}

// The channel that receives the result: a new channel that starts as a copy of X (so with
// Block Only the cases outside the block hold X's values, as the block runs of the
// transformations window leave them), or X itself after its undo copy.
int16_t destination(ExpressionWindow& w) {
  const int f = w.f;
  if (w.newChannel) {
    if (!newChannelOrRefuse(0, kTransformTitle)) return 0;
    const int16_t d = nChannels[f];
    std::memcpy(channelData(f, d), channelData(f, w.channelX), (size_t(nCases[f]) + 1) * sizeof(float));
    copyDisplayRow(fileVariableArray[f][w.channelX], fileVariableArray[f][d]);
    return d;
  }
  // One copy per channel: Undo gives back the channel as it was before its first run here.
  if (w.undoChannel != w.channelX) {
    if (!MAKEBACKUP(w.channelX, RetrieveLabel(w.channelX))) return 0;
    LastChan = w.channelX;
    w.undoChannel = w.channelX;
  }
  return w.channelX;
}

void logRun(const ExpressionWindow& w, int16_t d, const std::string& expression) {
  if (!prefsArray[44]) return;
  GetChanLABEL(0, d);
  EditRecord += "Expression transformation " + expression + "; X chan =" + rt::PSstrLong(w.channelX);
  if (w.channelY > 0) EditRecord += "; Y chan =" + rt::PSstrLong(w.channelY);
  EditRecord = rt::leftChars(EditRecord, kLogLineChars);
  CommentContainer[w.f] += EditRecord;
}

void transformOnce(ExpressionWindow& w, const std::string& expression) {
  const int f = w.f;
  const int16_t n = nChannels[f];
  if (w.channelX < 1 || w.channelX > n || w.channelY < 0 || w.channelY > n) return;
  rt::setCursor(rt::Cursor::Wait);
  const int16_t d = destination(w);
  if (d == 0) {
    // Refused (its warning said why): no message of an earlier run may stand for this one.
    showMessage("");
    rt::setCursor(rt::Cursor::Arrow);
    return;
  }
  int32_t first = 1, last = nCases[f];
  if (w.blockOnly && FileSHORTS[f][kBlockStateWord] == 2) {
    first = std::max<int32_t>(1, BeginBlock[f]);
    last = std::min<int32_t>(nCases[f], EndBlock[f]);
  }
  const size_t count = last >= first ? size_t(last - first + 1) : 0;
  const std::span<const float> xs(channelData(f, w.channelX) + first, count);
  std::span<const float> ys;
  if (w.channelY > 0) ys = std::span<const float>(channelData(f, w.channelY) + first, count);
  expr::NonFinite bad = expr::evaluateSpan(w.code, xs, ys, std::span<float>(channelData(f, d) + first, count));
  bad.first += size_t(first);
  if (prefsArray[7]) PlaySound("skid.mp3");
  showMessage(completionText(bad));
  if (w.newChannel) ActiveChannel = d;
  SetChannelLabel(f, d, rt::fitChars(rt::editTextIn(kExpressionWindow, kResultField), kLabelWidth));
  logRun(w, d, expression);
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  ChangedChan = d;
  if (w.newChannel) {
    MakeChannelSelectionsPopUp();
    FBMenu(kViewMenu, 9, 1);
    FBMenu(kViewMenu, 12, 1, "Show Multiple Channels...");
  }
  UpdateSCREEN(w.newChannel ? 1 : 0, 0);
  if (FileSHORTS[f][kViewModeWord] != 0) DrawALLCHANNELS(0);
  // The panel has a row for the new channel, so that n+1..2n stay its Y column.
  if (nChannels[f] != w.panelChannels) buildExpressionWindow(w);
  HideTheToolBar();
  rt::bringWindowForward(kExpressionWindow);
  rt::setOutputWindow(kExpressionWindow);
  setUndoButton(w);
  rt::setCursor(rt::Cursor::Arrow);
}

}  // namespace

bool checkExpression(ExpressionWindow& w) {
  rt::setOutputWindow(kExpressionWindow);
  if (w.mode == 0) rt::setEditText(kResultField, "");
  showMessage("");
  const std::string text = rt::editText(kExpressionField);
  expr::Compiled c = expr::compile(text, "x", "y");
  w.checked = c.ok;
  rt::setButtonState(kRunButton, c.ok ? 1 : 0);
  if (c.ok) {
    w.code = c.code;
    w.checkedText = text;
    showMessage(" No problems found.  Expression apparently is OK.");
  } else {
    showMessage(c.message);
    const int at = utf16Offset(text, c.offset);
    rt::selectEditField(kExpressionField, at, at);
  }
  return c.ok;
}

void runExpression(ExpressionWindow& w) {
  if (!w.checked) return;
  rt::setOutputWindow(kExpressionWindow);
  // The text shown is the one that runs: an edit since the last check is checked first.
  const std::string text = rt::editText(kExpressionField);
  if (text != w.checkedText && !checkExpression(w)) return;
  if (w.mode == 0) evaluateOnce(w);
  else transformOnce(w, text);
}

}  // namespace qv
