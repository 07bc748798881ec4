// "Scaling Factors for Results": each channel's factor, its operation and the constant added.
#include <array>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/warning.h"
#include "output/output.h"
#include "core/results_scaling.h"
#include "output/scaling_layout.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kScalingWindow = 6;
constexpr int kDone = 233, kClearAll = 234;
// Ids by channel k: "÷" k, "*" 40 + k, factor field 100 + k, constant field 140 + k, and the
// label 300 + k (the labels are never clicked; 200 + k would take Done and Clear All).
int divideId(int k) { return k; }
int multiplyId(int k) { return kMaxChannels + k; }
int factorField(int k) { return 100 + k; }
int constantField(int k) { return 140 + k; }
int labelField(int k) { return 300 + k; }

int channelsOfFileInUse() {
  return TheFileInUse >= 0 && TheFileInUse < kMaxOpenFiles ? std::min<int>(nChannels[TheFileInUse], kMaxChannels) : 0;
}

std::string wordText(float v) { return rt::PSstr(v); }

// Only a channel whose factor is not 1 shows its operation.
void showOperation(int k) {
  const float* w = scalingFactorArray[k];
  const bool shown = w[2] != 1.0f;
  rt::setButtonState(multiplyId(k), shown && w[1] != 0.0f ? 2 : 1);
  rt::setButtonState(divideId(k), shown && w[1] == 0.0f ? 2 : 1);
}

constexpr int kScalingTop = 60;

void buildWindow(int n) {
  int plotLeft = 0;
  if (TheFileInUse >= 0 && rt::windowExists(1000 + TheFileInUse)) plotLeft = rt::windowContentRect(1000 + TheFileInUse).left;
  const ScalingLayout l = scalingWindowLayout(n, rt::screenRect().bottom - kScalingTop);
  const int left = plotLeft + 113;
  BuildWINDOW(kScalingWindow, "Scaling Factors for Results", int16_t(left), int16_t(kScalingTop),
              int16_t(left + l.width), int16_t(kScalingTop + l.height), 6);
  for (int k = 1; k <= n; ++k) {
    const ScalingRowPlace& r = l.rows[size_t(k - 1)];
    SetTextStyle(KestrixFont, 13, 0);
    PrintAt(r.caption.x, r.caption.y, "channel" + rt::PSstrLong(k) + ",");
    rt::FBEditField(labelField(k), RetrieveLabel(k), r.label, 7);
    rt::FBButton(multiplyId(k), 1, "*", r.multiply, 1);
    rt::FBButton(divideId(k), 1, "\xC3\xB7", r.divide, 1);
    rt::FBEditField(factorField(k), wordText(scalingFactorArray[k][2]), r.factor, 3);
    PrintAt(r.plus.x, r.plus.y, "+");
    rt::FBEditField(constantField(k), wordText(scalingFactorArray[k][3]), r.constant, 3);
    showOperation(k);
  }
  DoubleLINE(0, int16_t(l.lineRight), int16_t(l.lineY));
  rt::FBButton(kClearAll, 1, "Clear All", l.clearAll, 1);
  rt::FBButton(kDone, 1, "Done", l.done, 4);
}

void chooseOperation(int k, bool multiply, double value) {
  rt::setButtonState(multiplyId(k), multiply ? 2 : 1);
  rt::setButtonState(divideId(k), multiply ? 1 : 2);
  scalingFactorArray[k][1] = multiply ? 1.0f : 0.0f;
  if (value != 0.0) rt::setEditText(factorField(k), rt::PSstr(value));
}

void clearAll(int n) {
  for (int k = 1; k <= kMaxChannels; ++k) scalingFactorArray[k][1] = 0.0f;
  for (int k = 1; k <= n; ++k) {
    rt::setButtonState(multiplyId(k), 1);
    rt::setButtonState(divideId(k), 1);
    rt::setEditText(factorField(k), "1");
    rt::setEditText(constantField(k), "0");
  }
}

// The typed factors and constants are taken only when every channel's make sense with its
// operation; otherwise every channel keeps the words it had when the window opened.
void commitFields(int n, std::span<const ScalingWords> before) {
  std::vector<ScalingEntry> entries;
  for (int k = 1; k <= n; ++k)
    entries.push_back({scalingFactorArray[k][1], rt::editText(factorField(k)), rt::editText(constantField(k))});
  const ScalingCommit c = commitScalingEntries(entries, before);
  if (c.accepted) return;
  WarningSpec s;
  s.window = 1166;
  s.title = "Scaling Factors for Results";
  s.lines = {c.message, "The scaling of every channel stays as it was."};
  ShowWarning(s);
}

}  // namespace

void SCALERESULTS(double value) {
  SavedHandlers savedHandlers;
  const int savedOutput = rt::outputWindow();
  const int n = channelsOfFileInUse();
  std::array<ScalingWords, kMaxChannels + 1> before;
  saveScalingWords(before);

  HideTheToolBar();
  buildWindow(n);
  installModalHandlers();
  action = eventID = 0;
  bool done = false;
  while (!done) {
    waitForAction();
    const int id = eventID;
    if (action == 1 && id >= 1 && id <= n) chooseOperation(id, false, value);
    else if (action == 1 && id > kMaxChannels && id <= kMaxChannels + n) chooseOperation(id - kMaxChannels, true, value);
    else if (action == 1 && id == kClearAll) clearAll(n);
    else if ((action == 1 && id == kDone) || action == 16 || (action == 4 && id == kScalingWindow) ||
             (action == 3 && id != kScalingWindow))
      done = true;
    action = eventID = 0;
  }
  commitFields(n, before);

  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles && FileSHORTS[f][2] == 2 && rt::windowExists(2)) rt::setOutputWindow(2);
  else if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  rt::closeWindow(kScalingWindow);
  RestoreTheToolBar();
}

}  // namespace qv
