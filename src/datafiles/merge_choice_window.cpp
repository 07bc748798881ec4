// Window 18: append the second file's cases or add its channels, each offered only where
// the joint file fits; and window 212, the refusal of one channel too many.
#include "core/menu_state.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/warning.h"
#include "datafiles/datafiles.h"
#include "datafiles/merge_windows.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kAppendButton = 1, kStackButton = 2, kCancelButton = 3;

void noRoomBox(int top, const std::string& line1, const std::string& line2) {
  if (prefsArray[7] && !prefsArray[48]) PlaySound("droplet.mp3");
  GrayBOX(1, 30, int16_t(top), 290, int16_t(top + 44));
  DrawIcon(129, 36, int16_t(top + 6));
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(76, top + 18, line1);
  PrintAt(76, top + 34, line2);
}

// Two boxes joined by "+" and " = " into the resulting file, side by side or one on top.
void diagram(int top, bool stacked) {
  SetTextStyle(KestrixFont, 10, 0);
  rt::frameRect({330, top, 360, top + 30});
  PrintAt(368, top + 20, "+");
  rt::paintRect({382, top, 412, top + 30});
  PrintAt(420, top + 20, " = ");
  if (stacked) {
    rt::frameRect({448, top, 478, top + 30});
    rt::paintRect({478, top, 508, top + 30});
  } else {
    rt::frameRect({448, top, 478, top + 15});
    rt::paintRect({448, top + 15, 478, top + 30});
  }
}

void buildChoiceWindow(int32_t casesB) {
  const int f = TheFileInUse;
  BuildWINDOW(kMergeChoiceWindow, "File Merge:   Addition Mode", 200, 90, 760, 470, 6);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(330, 30, "old");
  PrintAt(382, 30, "new");
  PrintAt(440, 30, "resulting file");
  if (appendFits(nCases[f], casesB)) rt::FBButton(kAppendButton, 1, "Append Second File...", {30, 50, 290, 74}, 1);
  else noRoomBox(40, "Not enough space to append", "this file.");
  diagram(44, false);
  if (channelsThatFit(nChannels[f]) > 0)
    rt::FBButton(kStackButton, 1, "Add Channels From Second File...", {30, 110, 290, 134}, 1);
  else noRoomBox(100, "Initial file already has", rt::PSstrLong(kMaxChannels) + " channels.");
  diagram(104, true);
  rt::FBButton(kCancelButton, 1, "Cancel", {30, 160, 130, 184}, 1);

  GrayBOX(1, 30, 200, 530, 360);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(44, 222, "Caution:");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  rt::drawString("   Quorvelant can adjust for different sample rates, but does ");
  PrintAt(44, 240, "");
  rt::textFace(rt::kUnderline);
  rt::drawString("not");
  rt::textFace(0);
  rt::drawString(" automatically account for differences in:");
  PrintAt(50, 262, bullet + "   numbers of samples or marker placement (when adding) ");
  PrintAt(50, 280, bullet + "   starting times or dates (when appending) ");
  PrintAt(50, 310, bullet + "  These issues are ");
  rt::textFace(rt::kItalic);
  rt::drawString("your ");
  rt::textFace(0);
  rt::drawString(" responsiblity.");
}

// The button that ended window 18: append, stack or cancel (the close box cancels).
int chooseMergeKind(int32_t casesB) {
  SavedHandlers saved;
  HideTheToolBar();
  buildChoiceWindow(casesB);
  installModalHandlers();
  int chosen = kCancelButton;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && eventID >= kAppendButton && eventID <= kCancelButton) {
      chosen = eventID;
      done = true;
    } else if (action == 4 || gQuitPending) {
      done = true;
    }
  }
  action = eventID = 0;
  rt::closeWindow(kMergeChoiceWindow);
  RestoreTheToolBar();
  return chosen;
}

}  // namespace

void TooManyChannelsWarning(int allowed) {
  bzot();
  WarningSpec s;
  s.window = kTooManyChannelsWindow;
  s.title = "Too Many Channels!";
  s.heading = "Warning:  ";
  s.lines = {"You can add no more than" + rt::PSstrLong(allowed) + " channels!"};
  s.sound = "";
  s.icon = 128;
  s.width = 420;
  ShowWarning(s);
}

std::optional<MergeChoices> AddSecondFile(const SecondFile& second) {
  MergeChoices choices;
  choices.commentMode = MergeFileCommentHandling;
  bool ok = false;
  if (appendONLY) {
    const bool stack = stackONLY != 0;
    appendONLY = stackONLY = 0;
    ok = stack ? STACKstatus(second, choices) : APPENDstatus(second, choices);
    return ok ? std::optional<MergeChoices>(choices) : std::nullopt;
  }
  const int kind = chooseMergeKind(second.file->nCases);
  if (kind == kAppendButton) ok = APPENDstatus(second, choices);
  else if (kind == kStackButton) ok = STACKstatus(second, choices);
  return ok ? std::optional<MergeChoices>(choices) : std::nullopt;
}

}  // namespace qv
