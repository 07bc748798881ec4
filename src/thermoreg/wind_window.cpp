// The wind set-up of the cost options: whether wind speed enters the costs, its channel, and
// whether the animals shelter from it while inactive.
#include <algorithm>

#include "core/event_state.h"
#include "core/channel_list.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "runtime/windows.h"
#include "thermoreg/option_windows.h"

namespace qv {

namespace {

constexpr int16_t kSelectionOK = 50, kHelpButton = 51, kWindYes = 52, kWindNo = 53, kShelterYes = 54,
                  kShelterNo = 55, kPrompt = 100, kQuestion = 101, kQuestionCover = 102;
constexpr int16_t kWindHelp = 259;
constexpr int kPanelLeft = 330;

int channelCount() { return slotIsOpen(TheFileInUse) ? nChannels[TheFileInUse] : 0; }

bool windChannelKnown() { return prefsArray[55] >= 1 && prefsArray[55] <= channelCount(); }

void windButtons() {
  rt::setOutputWindow(kConvectionWindow);
  const bool used = prefsArray[56] != 0;
  rt::setButtonState(kWindYes, used ? 2 : 1);
  rt::setButtonState(kWindNo, used ? 1 : 2);
  rt::setButtonState(kSelectionOK, !used || windChannelKnown() ? 1 : 0);
  for (int c = 1; c <= channelCount(); ++c)
    if (rt::controlExists(c)) rt::setButtonState(c, used && c == prefsArray[55] ? 2 : 1);
}

}  // namespace

void ShowWindPrompt(int16_t on) {
  rt::setOutputWindow(kConvectionWindow);
  EFForeColor = 0, EFBackColor = 0;
  for (int16_t id : {kShelterYes, kShelterNo, kQuestion, kQuestionCover})
    if (rt::controlExists(id)) rt::removeControl(id);
  if (!on) {
    rt::setEditText(kPrompt, "");
    buildef(0, kQuestionCover, "", kPanelLeft, 110, 540, 170, 7, 0);
    return;
  }
  rt::setEditText(kPrompt, "Select the channel containing wind speed (meters/sec)  \u2013 > ");
  buildef(0, kQuestion, "Are Subjects Sheltered from Wind\nDuring the Inactive Phase?", kPanelLeft, 110, 540, 146, 7, 0);
  rt::FBButton(kShelterYes, prefsArray[57] ? 2 : 1, "Yes", {kPanelLeft, 150, kPanelLeft + 60, 168}, 3);
  rt::FBButton(kShelterNo, prefsArray[57] ? 1 : 2, "No", {kPanelLeft + 70, 150, kPanelLeft + 130, 168}, 3);
}

void SetUpConvection() {
  const int16_t extra = int16_t(std::max(0, channelCount() - 8) * 19);
  BuildWINDOW(kConvectionWindow, "Convection Setup and Channel Selection", 50, 100, 600, int16_t(325 + extra), 6);
  TRANSCHAN("wind ", " channel label", "", 10, 0, 10, 1);
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, 103, "Use wind speed In calculations?", kPanelLeft, 14, 540, 32, 7, 0);
  rt::FBButton(kWindYes, 1, "Yes", {kPanelLeft, 36, kPanelLeft + 60, 54}, 3);
  rt::FBButton(kWindNo, 1, "No", {kPanelLeft + 70, 36, kPanelLeft + 130, 54}, 3);
  buildef(0, kPrompt, "", kPanelLeft, 62, 540, 100, 7, 0);
  rt::FBButton(kHelpButton, 1, "?", {kPanelLeft, 190, kPanelLeft + 30, 210}, 1);
  rt::FBButton(kSelectionOK, 1, "Selection OK", {kPanelLeft + 80, 190, 540, 210}, 4);
  ShowWindPrompt(prefsArray[56] ? 1 : 0);
  windButtons();
  const int n = channelCount();
  for (bool done = false; !done && !gQuitPending;) {
    const OptionEvent e = nextOptionEvent();
    if (e.kind == 1 && e.id >= 1 && e.id <= n) {
      prefsArray[55] = int16_t(e.id);
      windButtons();
    } else if (e.kind == 1 && (e.id == kWindYes || e.id == kWindNo)) {
      prefsArray[56] = e.id == kWindYes ? 1 : 0;
      ShowWindPrompt(prefsArray[56]);
      windButtons();
    } else if (e.kind == 1 && (e.id == kShelterYes || e.id == kShelterNo)) {
      prefsArray[57] = e.id == kShelterYes ? 1 : 0;
      rt::setButtonState(kShelterYes, prefsArray[57] ? 2 : 1);
      rt::setButtonState(kShelterNo, prefsArray[57] ? 1 : 2);
    } else if (e.kind == 1 && e.id == kHelpButton) {
      HelpSubject = kWindHelp;
      OpenHelpBook();
    } else if ((e.kind == 1 && e.id == kSelectionOK) || (e.kind == 16 && rt::buttonState(kSelectionOK) != 0) ||
               e.kind == 4) {
      done = true;
    }
  }
  rt::closeWindow(kConvectionWindow);
  if (rt::windowExists(kCostOptionsWindow)) rt::bringWindowForward(kCostOptionsWindow);
}

}  // namespace qv
