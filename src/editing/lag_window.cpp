// Edit > Correct Lag Time (script step 2): the Lag window and the shift it applies.
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/lag_search_window.h"
#include "editing/lag_shift.h"
#include "output/output.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kLagStep = 2;
constexpr int kToolWindow = 4;
constexpr int kLagOK = 1, kLagHelp = 2, kLagCancel = 3, kBestFitButton = 5;
constexpr const char* kTitle = "Lag Time Correction";

// Shifts the active channel by `seconds`; refuses (with its message) what the file cannot take.
bool applyLag(EditRun& run, int16_t step, float seconds) {
  const int f = TheFileInUse;
  const int16_t ch = ActiveChannel;
  const float interval = FileInfoFLOATS[f][1];
  const std::optional<int32_t> n = lagInCases(seconds, interval);
  if (!n) {
    refuseEdit(step, kTitle, {"A lag of" + rt::PSstr(seconds) + " sec cannot be counted in samples of" +
                                  rt::PSstr(interval) + " sec.",
                              "The channel was not shifted."});
    return false;
  }
  const int32_t N = nCases[f];
  if (!lagFitsFile(*n, N)) {
    refuseEdit(step, kTitle, {"A lag of" + rt::PSstr(seconds) + " sec is" + rt::PSstrLong(*n) +
                                  " samples: half the file or more (the file has" + rt::PSstrLong(N) + " samples).",
                              "The channel was not shifted."});
    return false;
  }
  rt::setCursor(rt::Cursor::Wait);
  MAKEBACKUP(ch);
  shiftChannel(std::span<float>(channelData(f, ch), size_t(N) + 1), *n);
  LastChan = ChangedChan = ch;
  run.setWord(2, seconds);
  run.complete();
  EndBeep();
  rt::setCursor(rt::Cursor::Arrow);
  finishEdit(ch);
  logEdit(0, ch, "Lag correction = " + rt::PSstr(seconds) + " sec");
  return true;
}

void buildLagWindow(float shown, bool offerSearch) {
  const int f = TheFileInUse;
  OpenResultsWindow(0, 0, kTitle, 0);
  wssst();
  SetTextStyle(KestrixFont, 12, rt::kUnderline);
  PrintAt(12, 24, " Channel" + rt::PSstrLong(ActiveChannel) + "  " + RetrieveLabel(ActiveChannel));
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 56, "Enter lag (in seconds) to advance this channel:");
  EFForeColor = EFBackColor = 1;
  buildef(1, 111, rt::PSstr(shown), 110, 68, 210, 86, 3, 1);
  if (offerSearch && FileSHORTS[f][kBlockStateWord] == 2 && nChannels[f] >= 2) {
    DoubleLINE(10, 310, 104);
    SetTextStyle(KestrixFont, 12, rt::kBold);
    PrintAt(12, 126, "Alternately...");
    rt::FBButton(kBestFitButton, 1, "Compute Best-fit Lag Time...", {60, 136, 262, 158}, 1);
    SetTextStyle(KestrixFont, 11, 0);
    PrintAt(40, 180, "This option finds the lag advance that");
    PrintAt(40, 195, "yields the highest correlation between");
    PrintAt(40, 210, "the active channel and a second channel.");
  }
  rt::FBButton(kLagOK, 1, "Lag Time OK", {190, 300, 300, 322}, 4);
  rt::FBButton(kLagHelp, 1, "?", {20, 300, 50, 322}, 1);
  rt::FBButton(kLagCancel, 1, "Cancel", {90, 300, 170, 322}, 1);
}

// The window's loop; true when the user confirmed a typed lag, in `seconds`.
bool askForLag(float& seconds) {
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kLagCancel) || (a == 4 && id == kToolWindow)) return false;
    if (a == 1 && id == kLagHelp) {
      HelpSubject = 138;
      OpenHelpBook();
      continue;
    }
    if (a == 1 && id == kBestFitButton) {
      BestFitLagTime();
      rt::setOutputWindow(kToolWindow);
      continue;
    }
    const bool ok = (a == 1 && id == kLagOK) || a == 16 || (a == 3 && id != kToolWindow);
    if (!ok) continue;
    if (const auto v = typedNumber(rt::editTextIn(kToolWindow, 111))) {
      seconds = float(*v);
      return true;
    }
    Warn(1166, "Lag Time Correction: ", {"The lag must be a number of seconds.", "The field is set back to 0."});
    rt::setEditTextIn(kToolWindow, 111, "0");
  }
}

}  // namespace

void LAGTIME(float seconds, int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  EditRun run(kLagStep);
  if (stepSuppliesParameters(step)) {
    applyLag(run, step, seconds);
    return;
  }
  SavedHandlers savedHandlers;
  // A replayed step that is not run automatically shows its recorded lag for confirmation.
  buildLagWindow(step >= 1 ? seconds : 0.0f, seconds <= 0);
  installModalHandlers();
  action = eventID = 0;
  float typed = 0;
  if (askForLag(typed)) applyLag(run, step, typed);
  closeToolWindows();
  RestoreTheToolBar();
  rt::setCursor(rt::Cursor::Arrow);
  action = eventID = 0;
}

}  // namespace qv
