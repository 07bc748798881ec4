// Block Width (window 4): normal block selection, or fixed-width blocks of a typed duration
// centred on a click.
#include <cmath>

#include "core/help.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/open_rules.h"
#include "output/output.h"
#include "plot/block_shift.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/commands.h"

namespace qv {

namespace {

constexpr int kResults = 4, kDuration = 101, kFixedOK = 111, kNormal = 112, kHelp = 113, kWidthField = 17;

void buildWindow(double offered) {
  OpenResultsWindow(0, 0, "Automatic Block Selection", 0);
  SetTextStyle(KestrixFont, 15, 0);
  rt::moveTo(10, 30);
  rt::drawString("duration of block:");
  rt::moveTo(241, 30);
  rt::drawString("seconds");
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBEditField(kDuration, rt::PSstr(offered), {146, 15, 234, 35}, 3);
  INTERVALCHOICE(nCases[TheFileInUse] / 2);
  rt::FBButton(kFixedOK, 1, "Automatic Block Interval OK", {10, 270, 250, 292}, 1);
  rt::FBButton(kNormal, 1, "Normal Block Selection", {10, 300, 250, 322}, 4);
  rt::FBButton(kHelp, 1, "?", {270, 300, 306, 322}, 1);
  rt::selectEditField(kDuration, 0, 999);
}

// The typed duration as a half-width; false (after saying why) when it cannot be one.
bool takeDuration(int f) {
  double seconds = 0;
  const std::string text = rt::editTextIn(kResults, kDuration);
  const bool number = rt::PSvalStrict(text, seconds);
  const double interval = FileInfoFLOATS[f][1];
  plot::HalfWidth h = plot::blockHalfWidth(number ? seconds : NAN, interval, nCases[f]);
  if (!h.error.empty()) {
    Warn(1166, "Block width: ", {"\"" + text + "\" cannot be the duration of a block.", h.error,
                                  "The block width stays as it was."});
    rt::setOutputWindow(kResults);
    rt::setEditText(kDuration, rt::PSstr(startsize));
    return false;
  }
  prefsArray[36] = 1;
  ABunit = h.cases;
  bup();
  ABu = automaticBlockPixels(ABunit, Xstep, ScreenWidth, nCases[f]);
  return true;
}

void showWidth(int f) {
  const int win = plot::kPlotWindowBase + f;
  if (!prefsArray[36] || ScreenWidth < 641 || !rt::controlExistsIn(win, kWidthField)) return;
  if (rt::windowContentRect(win).width() < 832) return;
  rt::setOutputWindow(win);
  rt::setEditText(kWidthField, plot::fixedWidthText(ABunit, FileInfoFLOATS[f][1]));
  rt::setEditColors(kWidthField, {0, 0, 0}, rgbyellow);
}

}  // namespace

void AUTOBLOCK() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers savedHandlers;
  ch = ActiveChannel;
  action = eventID = 0;
  startsize = float(plot::offeredBlockSeconds(FileInfoFLOATS[f][1]));
  buildWindow(startsize);
  installModalHandlers();
  for (bool done = false; !done;) {
    waitForAction();
    const int a = action, id = eventID;
    if (a == 1 && id == kHelp) {
      HelpSubject = 139;
      OpenHelpBook();
    } else if ((a == 1 && id == kNormal) || a == 16) {
      prefsArray[36] = 0;
      done = true;
    } else if (a == 1 && id == kFixedOK) {
      done = takeDuration(f);
    } else if (a == 1) {
      SETimeIntVlCHOICE();
    } else if ((a == 4 && id == kResults) || (a == 3 && id != kResults)) {
      done = true;
    }
    action = eventID = 0;
  }
  EndBeep();
  rt::closeWindow(kResults);
  PlotForward();
  showWidth(f);
  IntBoxLeft = -10;
  IntBoxRight = -5;
}

}  // namespace qv
