// Special > Day of the Year...: the day number within its year of a calendar date.
#include <optional>
#include <string>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/day_of_year.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "output/calendar.h"
#include "runtime/clock.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 237;
constexpr int16_t kMonthPopup = 140, kCompute = 19, kDone = 20;
constexpr int16_t kPopupMenu = 1101;

// The start date of the file in use, or today when there is no file or it has no real date.
CivilDate openingDate() {
  if (slotIsOpen(TheFileInUse))
    if (const std::optional<CivilDate> d = parseStartDate(StartDate[TheFileInUse])) return *d;
  if (const std::optional<CivilDate> d = parseStartDate(rt::localClockText("%m/%d/%Y"))) return *d;
  return {2000, 1, 1};
}

void buildWindow(const CivilDate& d) {
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(20, 32, "Month:");
  MonthsPopupMenu(kPopupMenu);
  rt::FBAppearanceButton(kMonthPopup, 1, d.month, kPopupMenu, 0, "", {110, 16, 250, 38}, rt::kControlPopupButton);
  EFForeColor = 0, EFBackColor = 6;
  PrintAt(20, 64, "Day:");
  buildef(1, kDayField, std::to_string(d.day), 110, 51, 170, 68, 3, 2);
  PrintAt(20, 94, "Year:");
  buildef(1, kYearField, std::to_string(d.year), 110, 81, 190, 98, 3, 2);
  SetTextStyle(KestrixFont, 14, rt::kBold);
  PrintAt(20, 140, "Day of Year:");
  EFForeColor = 2, EFBackColor = 5;
  SetTextStyle(KestrixFont, 20, rt::kBold);
  buildef(1, kDayOfYearField, "", 140, 118, 250, 146, 7, 2);
  rt::setEditFont(kDayOfYearField, KestrixFont, 20, rt::kBold);
  SetTextStyle(KestrixFont, 13, 0);
  rt::FBButton(kCompute, 1, "Compute", {110, 170, 220, 190}, 4);
  rt::FBButton(kDone, 1, "Done", {240, 170, 350, 190}, 1);
}

}  // namespace

void DayOfTheYear() {
  HelpSubject = kHelpSubject;
  {
    const CivilDate opening = openingDate();
    CalculatorFrame frame("Day of the Year", 250, 100, 620, 309, 6, false);
    buildWindow(opening);
    int16_t month = int16_t(opening.month);
    computeDayOfYear(month);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kDayField);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && e.id == kCompute)) {
        computeDayOfYear(month);
      } else if (e.kind == 1 && e.id == kMonthPopup) {
        month = int16_t(rt::controlValue(kMonthPopup));
        computeDayOfYear(month);
      } else if (e.kind == 1 && e.id == kDone) {
        computeDayOfYear(month);
        done = true;
      } else if (e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) {
        done = true;
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
