#include "calculators/sun_cycle_plot.h"

#include <cmath>
#include <string>

#include "calculators/sun_cycle.h"
#include "core/colors.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kExportButton = 1;
constexpr int kLeft = 70, kTop = 30, kRight = 618, kBottom = 320;
constexpr double kPixelsPerHour = 12.083;
constexpr rt::RGB kNight{0x1800, 0x1C00, 0x4800}, kDay{65535, 60000, 0}, kGrid{0x9000, 0x9000, 0x9000};

// The position the window shows, for its export.
float shownLatitude = 0.0f, shownLongitude = 0.0f;

int timeY(float hours) { return int(std::lround(kBottom - kPixelsPerHour * hours)); }
int dayX(int day) { return int(std::lround(kLeft + 1.5 * day)); }

void SunCycleGrids() {
  rt::penNormal();
  rt::foreColor(kGrid);
  for (int k = 1; k <= 24; ++k) {
    const int y = int(std::lround(kTop + 12.08333 * k));
    rt::moveTo(kLeft, y), rt::lineTo(kRight, y);
  }
  for (int x = 112; x <= kRight; x += 45) rt::moveTo(x, kTop), rt::lineTo(x, kBottom);
  rt::foreColor(RGBblack);
  rt::frameRect({kLeft, kTop, kRight + 1, kBottom + 1});
}

void legendBox(int x, int y, rt::RGB fill, std::string_view text) {
  rt::foreColor(fill);
  rt::paintRect({x, y - 10, x + 12, y + 2});
  rt::foreColor(RGBblack);
  rt::frameRect({x, y - 10, x + 12, y + 2});
  rt::moveTo(x + 13, y);
  rt::drawString(text);
}

void SunCycleWindow(float latitude, float longitude) {
  shownLatitude = latitude, shownLongitude = longitude;
  BuildWINDOW(kSunCycleWindow, sunCycleTitle(latitude, longitude), 650, 100, 1285, 473, 6);
  rt::FBButton(kExportButton, 1, "Print Data to Spreadsheet", {430, 346, 625, 366}, 1);
  EFForeColor = 0, EFBackColor = 0;
  for (int hour = 0; hour <= 24; hour += 2) {
    const int bottom = int(std::lround(326 - 12.083 * hour));
    buildef(0, int16_t(800 + hour), rt::PSstrLong(hour), 36, int16_t(bottom - 14), 66, int16_t(bottom), 7, 2);
  }
  SetTextStyle(KestrixFont, 10, 0);
  for (int day = 30; day <= 360; day += 30) PrintAt(dayX(day) - (day >= 100 ? 16 : 12) + 4, 346, std::to_string(day));
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(310, 370, "Day of Year");
  PrintAt(6, 160, "Time");
  PrintAt(14, 176, "of");
  PrintAt(10, 192, "Day");
  SetTextStyle(KestrixFont, 10, 0);
  legendBox(8, 364, kNight, " = Night ");
  legendBox(86, 364, kDay, " = Day");
  rt::foreColor(RGBred);
  rt::moveTo(150, 364);
  rt::drawString("Sunrise time        ");
  rt::foreColor(RGBblue);
  rt::drawString("Sunset time");
  rt::foreColor(RGBblack);
  // The year takes a moment at most, but the window says what it is doing.
  BuildWINDOW(kSunCycleBusyWindow, "", 800, 260, 1100, 330, 261);
  SetTextStyle(KestrixFont, 40, 0);
  PrintAt(20, 50, "calculating...");
  rt::flushWindow(kSunCycleBusyWindow);
}

void SunCyclePlot() {
  rt::setOutputWindow(kSunCycleWindow);
  rt::foreColor(kNight);
  rt::paintRect({kLeft, kTop, kRight, kBottom});
  rt::foreColor(kDay);
  for (int day = 1; day <= 365; ++day) {
    const SunCycleDay& s = SunCycleArray[size_t(day)];
    if (s.daylight == 0.0f) continue;
    const int x = dayX(day);
    if (s.sunrise <= s.sunset) {
      rt::paintRect({x - 1, timeY(s.sunset), x + 2, timeY(s.sunrise)});
    } else {  // light across midnight
      rt::paintRect({x - 1, timeY(24.0f), x + 2, timeY(s.sunrise)});
      rt::paintRect({x - 1, timeY(s.sunset), x + 2, timeY(0.0f)});
    }
  }
  SunCycleGrids();
  for (int day = 1; day <= 365; ++day) {
    const SunCycleDay& s = SunCycleArray[size_t(day)];
    if (s.daylight == 0.0f) continue;
    const int x = dayX(day);
    rt::foreColor(RGBred);
    rt::paintOval({x - 1, timeY(s.sunrise) - 1, x + 2, timeY(s.sunrise) + 2});
    rt::foreColor(RGBblue);
    rt::paintOval({x - 1, timeY(s.sunset) - 1, x + 2, timeY(s.sunset) + 2});
  }
  rt::foreColor(RGBblack);
  rt::flushWindow(kSunCycleWindow);
  rt::closeWindow(kSunCycleBusyWindow);
}

void PrintSunCycleToSpreadsheet() {
  const bool tabs = UseExcelFormat != 0;
  const std::optional<std::string> path =
      rt::OSpanelSave("File for sun cycle data:", tabs ? "Sun cycle data.xls" : "Sun cycle data.csv");
  if (!path) return;
  const std::string text = sunCycleExport(shownLatitude, shownLongitude, tabs ? '\t' : ',');
  std::string error;
  if (rt::writeFileAtomic(*path, text.data(), text.size(), &error)) return wsst();
  Warn(1166, "Sun cycle: ", {"\"" + rt::fileNameOf(*path) + "\" could not be written: " + error,
                                       "A file already there is as it was."});
}

}  // namespace

void showAnnualSunCycle(float latitude, float longitude) {
  SunCycleWindow(latitude, longitude);
  annualSunTable(latitude, longitude);
  SunCyclePlot();
}

bool sunCycleWindowEvent(int kind, int id) {
  if (!rt::windowExists(kSunCycleWindow)) return false;
  if (kind == 4 && id == kSunCycleWindow) {
    rt::closeWindow(kSunCycleWindow);
    return true;
  }
  if (kind == 1 && id == kExportButton && rt::frontWindow() == kSunCycleWindow) {
    PrintSunCycleToSpreadsheet();
    return true;
  }
  return false;
}

}  // namespace qv
