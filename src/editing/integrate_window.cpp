// Edit > Integrate... and Derivative... (script steps 4 and 5): a channel's running sum or
// sample-to-sample difference, in place or into a new channel.
#include <algorithm>
#include <span>
#include <string>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/running_sums.h"
#include "editing/tool_window.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kIntegralStep = 4, kDerivativeStep = 5;
constexpr int kToolWindow = 4;
constexpr int kNewChannelBox = 126, kLabelField = 101, kOKButton = 123, kHelpButton = 122;
constexpr int16_t kHelpPage = 183;
constexpr int16_t kListTop = 24;

std::string labelOffer(int16_t channel) { return (derive ? derivative : integral) + " " + rt::trimRight(RetrieveLabel(channel)); }

// The list's bottom: rows of 18 pixels from the panel's top (the heading stands above it).
int listBottom(int channels) { return kListTop + 20 + 18 * channels; }

void buildWindow(int16_t source, bool offerNewChannel) {
  const int f = TheFileInUse;
  const int n = nChannels[f];
  OpenResultsWindow(int16_t(n >= 15 ? 18 * n - 252 : 0), 0, derive ? "Take Derivative Over Time" : "Integrate Over Time",
                    0);
  keepToolWindowOnScreen(kToolWindow, listBottom(n) + 110);
  wssst();
  const int16_t active = ActiveChannel;
  ActiveChannel = source;
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(12, 18, derive ? "Select Channel for Derivative" : "Select Channel to Integrate");
  TRANSCHAN("", "", "", kListTop, 0, 6, 1);
  ActiveChannel = active;
  if (rt::controlExists(source)) rt::setButtonState(source, 2);
  const int y = listBottom(n) + 10;
  if (offerNewChannel) rt::FBButton(kNewChannelBox, 1, "Results to New Channel", {12, y, 220, y + 20}, 2);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, y + 42, "Label:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kLabelField, labelOffer(source), 60, int16_t(y + 28), 300, int16_t(y + 48), 3, 0);
  rt::FBButton(kHelpButton, 1, "?", {20, y + 62, 50, y + 84}, 1);
  rt::FBButton(kOKButton, 1, "OK", {210, y + 62, 300, y + 84}, 4);
}

// The window's loop: false when the close box ended it. `source` and `toNew` follow the clicks.
bool askForChannel(int16_t& source, bool& toNew) {
  const int n = nChannels[TheFileInUse];
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kToolWindow) return false;
    if (a == 1 && id >= 1 && id <= n) {
      if (rt::controlExists(source)) rt::setButtonState(source, 1);
      source = int16_t(id);
      rt::setButtonState(source, 2);
      rt::setEditTextIn(kToolWindow, kLabelField, labelOffer(source));
      continue;
    }
    if (a == 1 && id == kNewChannelBox) {
      toNew = !toNew;
      rt::setControlValue(kNewChannelBox, toNew ? 1 : 0);
      continue;
    }
    if (a == 1 && id == kHelpButton) {
      HelpSubject = kHelpPage;
      OpenHelpBook();
      rt::setOutputWindow(kToolWindow);
      continue;
    }
    if ((a == 1 && id == kOKButton) || a == 16 || a == 3) return true;
  }
}

// Runs the edit of `source` into itself or a new channel; false when no channel could be had.
bool runEdit(EditRun& run, int16_t source, bool toNew, const std::string& typedLabel) {
  const int f = TheFileInUse;
  const std::string label = fixedLabel(typedLabel);
  int16_t dest = source;
  if (toNew) {
    if (!newChannelOrRefuse(run.step(), derive ? "Derivative" : "Integrate")) return false;
    dest = nChannels[f];
  } else {
    MAKEBACKUP(source);
    LastChan = source;
  }
  rt::setCursor(rt::Cursor::Wait);
  SetChannelLabel(f, dest, label);
  const size_t n = size_t(nCases[f]) + 1;
  const std::span<const float> in(channelData(f, source), n);
  const std::span<float> out(channelData(f, dest), n);
  if (derive) sampleDifference(in, out);
  else runningSum(in, out);
  ChangedChan = dest;
  if (derive) downvip();
  else upvip();
  run.complete();
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  logEdit(toNew ? 1 : 0, dest, std::string(derive ? "derivative" : "integral") + " of channel" + rt::PSstrLong(source));
  if (toNew) {
    ActiveChannel = chanB = dest;
    MakeChannelSelectionsPopUp();
  }
  rt::setCursor(rt::Cursor::Arrow);
  return true;
}

}  // namespace

void INTEGRATE(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  HelpSubject = kHelpPage;
  EditRun run(derive ? kDerivativeStep : kIntegralStep);
  const int16_t entry = ActiveChannel;
  MainDataChannel = entry;
  SecondChannel = FlowRateChannel = 0;
  int16_t source = entry;
  bool toNew = false, ran = false;
  if (stepSuppliesParameters(step, true)) {
    ran = runEdit(run, source, false, labelOffer(source));
  } else {
    SavedHandlers savedHandlers;
    closeToolWindows();
    if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
    HideTheToolBar();
    buildWindow(source, nChannels[f] < kMaxChannels && RecordSCRIPT == 0);
    installModalHandlers();
    action = eventID = 0;
    if (askForChannel(source, toNew)) ran = runEdit(run, source, toNew, rt::editTextIn(kToolWindow, kLabelField));
    closeToolWindows();
    RestoreTheToolBar();
    rt::setCursor(rt::Cursor::Arrow);
    action = eventID = 0;
  }
  if (!ran) return;
  if (!toNew) ActiveChannel = chanB = entry;
  if (!rt::windowExists(1000 + f)) return;
  rt::bringWindowForward(1000 + f);
  if (!toNew && FileSHORTS[f][kViewModeWord] != 0) DrawONEmultichan();
  else UpdateSCREEN(toNew ? 1 : 0, 0);
}

}  // namespace qv
