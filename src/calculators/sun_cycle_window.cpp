// Special > Sunrise, Sunset...: sunrise, sunset, daylight and solar noon of a day at a position,
// typed or picked on the world map, and the whole year as a plot and a spreadsheet file.
#include <cmath>
#include <optional>
#include <string>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/day_of_year.h"
#include "calculators/position_fields.h"
#include "calculators/sun_cycle.h"
#include "calculators/sun_cycle_plot.h"
#include "calculators/world_map.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "output/calendar.h"
#include "runtime/clock.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kLatitude = kLatitudeField, kLongitude = kLongitudeField, kSunriseText = 5, kSunsetText = 6,
                  kDaylightText = 7, kNoonText = 8, kDayUsed = 11, kDayOfMonth = 111, kDayOfYear = 112, kYear = 113;
constexpr int16_t kNorth = kNorthButton, kSouth = kSouthButton, kWest = kWestButton, kEast = kEastButton,
                  kMonth = 140, kMonthMenu = 140;
constexpr int16_t kMapButton = 230, kToday = 231, kFromFile = 232, kCalculate = 240, kDone = 241, kHelpButton = 242,
                  kObservatory = 243, kDaylightSaving = 244, kAnnualPlot = 245;
constexpr int16_t kSunHelp = 247;

struct SunWindow {
  bool calculated = false;
  std::string dateSeen;  // month, day and year as the day of the year last followed them
};

void label(int16_t id, std::string_view text, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, id, text, int16_t(l), int16_t(t + 2), int16_t(r), int16_t(t + 20), 7, 0);
}

void field(int16_t id, std::string_view text, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(l), int16_t(t), int16_t(r), int16_t(t + 20), 3, 2);
}

void result(int16_t id, int t) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, id, "", 20, int16_t(t), 580, int16_t(t + 20), 7, 0);
}

void heading() {
  rt::setOutputWindow(kCalculatorWindow);
  EmbossPrint(0, "Sunrise, Sunset, and Day Length", 28, 60, 35);
}

std::string dateKey() {
  return std::to_string(rt::controlValueIn(kCalculatorWindow, kMonth)) + "/" +
         rt::editTextIn(kCalculatorWindow, kDayOfMonth) + "/" + rt::editTextIn(kCalculatorWindow, kYear);
}

// A date changed since the day of the year last followed it: the day follows it now.
void followDate(SunWindow& w) {
  const std::string key = dateKey();
  if (key == w.dateSeen) return;
  w.dateSeen = key;
  computeDayOfYear(int16_t(rt::controlValueIn(kCalculatorWindow, kMonth)));
}

void showDate(SunWindow& w, const CivilDate& d) {
  rt::setOutputWindow(kCalculatorWindow);
  rt::setControlValue(kMonth, d.month);
  rt::setEditText(kDayOfMonth, std::to_string(d.day));
  rt::setEditText(kYear, std::to_string(d.year));
  w.dateSeen.clear();
  followDate(w);
}

CivilDate today() {
  const std::string t = rt::localClockText("%m/%d/%Y");
  return parseStartDate(t).value_or(CivilDate{2000, 1, 1});
}

std::optional<CivilDate> fileDate() {
  if (!slotIsOpen(TheFileInUse)) return std::nullopt;
  return parseStartDate(StartDate[TheFileInUse]);
}

void buildSunWindow(SunWindow& w) {
  heading();
  SetTextStyle(KestrixFont, 18, 0);
  PrintAt(90, 71, "Enter location and date and click 'Calculate':");
  SetTextStyle(KestrixFont, 12, 0);
  label(20, "Latitude in degrees (0 - 90) ", 20, 88, 230);
  field(kLatitude, "", 235, 88, 315);
  rt::FBButton(kNorth, 2, "North", {330, 88, 400, 108}, 3);
  rt::FBButton(kSouth, 1, "South", {405, 88, 480, 108}, 3);
  label(21, "Longitude in degrees (0 - 180) ", 20, 116, 230);
  field(kLongitude, "", 235, 116, 315);
  rt::FBButton(kWest, 2, "West", {330, 116, 400, 136}, 3);
  rt::FBButton(kEast, 1, "East", {405, 116, 480, 136}, 3);
  rt::FBButton(kMapButton, 1, "Get Latitude and Longitude From World Map", {20, 150, 330, 170}, 1);
  rt::FBButton(kObservatory, SunrisePageAddress().empty() ? 0 : 1, "US Naval Observatory Website...",
               {340, 150, 580, 170}, 1);
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(20, 213, "Enter either the day of the year OR the date:");
  SetTextStyle(KestrixFont, 12, 0);
  label(22, "Day of the year:", 20, 226, 130);
  field(kDayOfYear, "", 132, 226, 190);
  MonthsPopupMenu(kMonthMenu);
  rt::FBAppearanceButton(kMonth, 1, 1, kMonthMenu, 0, "", {220, 226, 340, 246}, rt::kControlPopupButton);
  field(kDayOfMonth, "", 345, 226, 390);
  field(kYear, "", 395, 226, 455);
  rt::FBButton(kToday, 1, "Use Today's Date", {20, 256, 170, 276}, 1);
  rt::FBButton(kFromFile, fileDate() ? 1 : 0, "Use Date From File", {180, 256, 340, 276}, 1);
  rt::FBButton(kDaylightSaving, 1, "Daylight Savings Time", {360, 256, 560, 276}, 2);
  result(kSunriseText, 292);
  result(kSunsetText, 314);
  result(kDaylightText, 336);
  result(kNoonText, 358);
  label(23, "Day number used:", 20, 380, 140);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kDayUsed, "", 142, 382, 260, 400, 7, 0);
  rt::FBButton(kHelpButton, 1, "?", {20, 420, 50, 440}, 1);
  rt::FBButton(kAnnualPlot, 1, "Annual Plot", {190, 420, 310, 440}, 1);
  rt::FBButton(kDone, 1, "Done", {320, 420, 420, 440}, 1);
  rt::FBButton(kCalculate, 1, "Calculate", {430, 420, 580, 440}, 4);
  showPositionFields(kCalculatorWindow, latitude, longitude);
  showDate(w, fileDate().value_or(today()));
}

bool commitPosition() {
  const std::optional<MapPosition> p = typedPosition(kCalculatorWindow);
  if (!p) return false;
  latitude = p->latitude, longitude = p->longitude;
  northLatitude = std::signbit(latitude) ? 0 : 1;
  westLongitude = std::signbit(longitude) ? 0 : 1;
  return true;
}

void calculate(SunWindow& w) {
  followDate(w);
  const float day = calculatorField(kDayOfYear);
  if (!std::isfinite(day) || day < 1.0f || day > 366.0f || day != std::floor(day)) {
    bzot();
    CalculatorFrame::focus(kDayOfYear);
    return;
  }
  if (!commitPosition()) return;
  const bool dst = rt::buttonStateIn(kCalculatorWindow, kDaylightSaving) == 2;
  const SunDay d = SunriseCalc(latitude, longitude, int(day), dst);
  if (d.atPole) bzot();
  const SunTexts t = sunTexts(d, latitude);
  rt::setOutputWindow(kCalculatorWindow);
  rt::setEditText(kDayUsed, rt::PSstr(d.dayNumber));
  rt::setEditText(kSunriseText, t.sunrise);
  rt::setEditText(kSunsetText, t.sunset);
  rt::setEditText(kDaylightText, t.daylight);
  rt::setEditText(kNoonText, t.solarNoon);
  w.calculated = true;
}

void annualPlot() {
  if (!commitPosition()) return;
  showAnnualSunCycle(latitude, longitude);
}

void fromMap() {
  const MapChoice c = GetMapCoordinates(kCalculatorWindow);
  if (c.chosen) showPositionFields(kCalculatorWindow, c.position.latitude, c.position.longitude);
  heading();
}

}  // namespace

void Sunrise() {
  HelpSubject = kSunHelp;
  {
    CalculatorFrame frame("Sun Cycle Calculator", 40, 100, 640, 555, 6, true);
    SunWindow w;
    buildSunWindow(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kLatitude);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (sunCycleWindowEvent(e.kind, e.id)) continue;
      if (e.kind == 16 || (e.kind == 1 && e.id == kCalculate)) {
        calculate(w);
      } else if (e.kind == 1 && e.id == kAnnualPlot) {
        annualPlot();
      } else if (e.kind == 1 && e.id == kMapButton) {
        fromMap();
      } else if (e.kind == 1 && isHemisphereButton(e.id)) {
        chooseHemisphere(kCalculatorWindow, e.id);
      } else if (e.kind == 1 && e.id == kMonth) {
        followDate(w);
      } else if (e.kind == 1 && e.id == kToday) {
        showDate(w, today());
      } else if (e.kind == 1 && e.id == kFromFile) {
        if (const std::optional<CivilDate> d = fileDate()) showDate(w, *d);
      } else if (e.kind == 1 && e.id == kDaylightSaving) {
        if (w.calculated) calculate(w);
      } else if (e.kind == 1 && e.id == kObservatory) {
        LSLaunchURL(1);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kSunHelp;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || (e.kind == 4 && e.id == kCalculatorWindow)) {
        done = true;
      }
    }
    rt::closeWindow(kSunCycleWindow);
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
