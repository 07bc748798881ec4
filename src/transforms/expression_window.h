#pragma once
// Window 8: a typed expression in x and y, checked, then run over a channel (mode 1, Edit >
// Expression Transforms...) or once for typed x and y (mode 0, the expression calculator).
#include <cstdint>
#include <string>

#include "transforms/expression.h"

namespace qv {

constexpr int kExpressionWindow = 8;
// Controls of window 8 (the channel panel's X column is 1..n, its Y column n+1..2n).
constexpr int kXField = 101, kYField = 102, kResultField = 103, kExpressionField = 104, kMessageField = 333;
constexpr int kCheckButton = 141, kRunButton = 142, kBlockBox = 144, kNewChannelBox = 145, kExpressionHelp = 150;
constexpr int kExpressionDone = 250, kExpressionUndo = 251;

struct ExpressionWindow {
  int f = 0;
  int16_t mode = 1;
  int16_t channelX = 0, channelY = 0;
  bool newChannel = false, blockOnly = false;
  int16_t helpSubject = 280;
  int16_t panelChannels = 0;      // the channel count the panel was drawn for
  bool offerNewChannel = false;   // box 145 (decided at opening)
  expr::Code code;                // of the last successful check
  std::string checkedText;        // the text that check compiled
  bool checked = false;
  int16_t undoChannel = 0;        // the channel whose copy this window took for Undo (0 none)
  bool exit = false;
};

// Builds (or rebuilds) window 8 for the window's state.
void buildExpressionWindow(ExpressionWindow& w);
// "Check Expression": true when the text of field 104 compiled.
bool checkExpression(ExpressionWindow& w);
// "Run Transform" / "Evaluate": a text changed since the last check is checked first.
void runExpression(ExpressionWindow& w);
// The Undo button's state for the window's state.
void setUndoButton(const ExpressionWindow& w);

}  // namespace qv
