// Special > Chamber Washout...: how long a well-mixed chamber takes to wash out a step change.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/rate_rules.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 269;
constexpr int16_t kResultLabel = 3, kVolume = 11, kFlow = 12, kResult = 13;
constexpr int16_t kPercentPopup = 100, kHelpButton = 18, kCompute = 19, kDone = 20;
constexpr int16_t kPopupMenu = 1101;
constexpr int kPercents[] = {33, 50, 67, 75, 90, 95, 99};
constexpr int kOpeningItem = 3;

std::string openingFlow() {
  const int f = TheFileInUse;
  const std::string text = rt::PSstr(f >= 0 && f < kSlots ? FileInfoFLOATS[f][2] : 0.0f);
  return text == " 0" ? std::string("100") : text;
}

void buildWindow() {
  SetTextStyle(KestrixFont, 14, rt::kBold);
  PrintAt(12, 22, "Chamber washout rate calculations");
  SetTextStyle(KestrixFont, 13, 0);
  EFForeColor = 0, EFBackColor = 6;
  PrintAt(12, 53, "Chamber  volume (ml):  ");
  buildef(1, kVolume, " 100", 190, 40, 270, 57, 3, 2);
  PrintAt(12, 79, "Flow rate (ml/min):  ");
  buildef(1, kFlow, openingFlow(), 190, 66, 270, 83, 3, 2);
  PrintAt(12, 107, "Washout percentage:  ");
  Popup100(kPopupMenu);
  rt::FBAppearanceButton(kPercentPopup, 1, kOpeningItem, kPopupMenu, 0, "", {186, 92, 276, 114},
                         rt::kControlPopupButton);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kResultLabel, "67% washout time :   ", 12, 126, 180, 142, 7, 0);
  EFForeColor = 2, EFBackColor = 5;
  buildef(1, kResult, "", 186, 125, 300, 143, 7, 2);
  rt::FBButton(kHelpButton, 1, "?", {12, 158, 42, 178}, 1);
  rt::FBButton(kCompute, 1, "Compute Washout", {100, 158, 230, 178}, 4);
  rt::FBButton(kDone, 1, "Done", {240, 158, 310, 178}, 1);
}

void WashoutCalculations(int percent) {
  rt::setEditText(kResultLabel, rt::PSstrLong(percent) + "% washout time:   ");
  const float flow = calculatorField(kFlow), volume = calculatorField(kVolume);
  const double t = washoutMinutes(volume, flow, percent);
  rt::setEditText(kResult, std::isfinite(t) ? rt::PSstr(t) + " min" : std::string("**"));
}

int percentOfItem(int item) { return item >= 1 && item <= int(std::size(kPercents)) ? kPercents[item - 1] : 67; }

}  // namespace

void ChamberWashout() {
  HelpSubject = kHelpSubject;
  {
    CalculatorFrame frame("Mixing Kinetics", 100, 100, 420, 290, 6, false, false);
    buildWindow();
    int percent = 67;
    WashoutCalculations(percent);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kVolume);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && e.id == kCompute)) {
        WashoutCalculations(percent);
      } else if (e.kind == 1 && e.id == kPercentPopup) {
        percent = percentOfItem(rt::controlValue(kPercentPopup));
        WashoutCalculations(percent);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || (e.kind == 4 && e.id == kCalculatorWindow)) {
        done = true;
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
