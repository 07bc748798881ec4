// The location whose sun cycle gives the costs their dawn and dusk: typed or picked on the
// world map; "Do Calculations" keeps it and fills the year's table.
#include <cmath>
#include <optional>

#include "calculators/position_fields.h"
#include "calculators/sun_cycle_plot.h"
#include "calculators/world_map.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "runtime/windows.h"
#include "thermoreg/option_windows.h"

namespace qv {

namespace {

constexpr int16_t kLatitude = kLatitudeField, kLongitude = kLongitudeField, kNorth = kNorthButton,
                  kSouth = kSouthButton, kWest = kWestButton, kEast = kEastButton, kDoCalculations = 241, kFromMap = 242;
// Shown while no position has been kept.
constexpr float kDefaultLatitude = 40.0f, kDefaultLongitude = 105.0f;

void buildLocationWindow() {
  const int16_t left = rt::windowExists(kCostOptionsWindow)
                           ? int16_t(rt::windowContentRect(kCostOptionsWindow).left)
                           : int16_t(10);
  BuildWINDOW(kLocationWindow, "Location", left, 120, int16_t(left + 490), 300, 6);
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, 10, "Latitude in degrees (0 - 90) ", 12, 16, 220, 34, 7, 0);
  buildef(0, 11, "Longitude in degrees (0 - 180) ", 12, 46, 220, 64, 7, 0);
  EFBackColor = 6;
  buildef(1, kLatitude, "", 224, 14, 300, 34, 3, 2);
  buildef(1, kLongitude, "", 224, 44, 300, 64, 3, 2);
  rt::FBButton(kNorth, 1, "North", {312, 14, 382, 34}, 3);
  rt::FBButton(kSouth, 1, "South", {390, 14, 470, 34}, 3);
  rt::FBButton(kWest, 1, "West", {312, 44, 382, 64}, 3);
  rt::FBButton(kEast, 1, "East", {390, 44, 470, 64}, 3);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(12, 92, " Enter latitude and longitude in ");
  rt::foreColor(RGBblue);
  rt::drawString("fractional degrees");
  rt::foreColor(RGBblack);
  rt::drawString("(not in degrees and minutes) ");
  rt::FBButton(kFromMap, 1, "Get Location From Map", {12, 130, 220, 150}, 1);
  rt::FBButton(kDoCalculations, 1, "Do Calculations", {300, 130, 470, 150}, 4);
  const bool kept = latitude != 0.0f || longitude != 0.0f;
  // The hemisphere flags are kept with the position: a latitude of 0 in the south shows South.
  const float lat = kept ? std::fabs(latitude) : kDefaultLatitude, lon = kept ? std::fabs(longitude) : kDefaultLongitude;
  showPositionFields(kLocationWindow, !kept || northLatitude ? lat : -lat, !kept || westLongitude ? lon : -lon);
  rt::selectEditField(kLatitude, 0, 32767);
}

bool doCalculations() {
  const std::optional<MapPosition> p = typedPosition(kLocationWindow);
  if (!p) return false;
  latitude = p->latitude, longitude = p->longitude;
  northLatitude = rt::buttonStateIn(kLocationWindow, kSouth) == 2 ? 0 : 1;
  westLongitude = rt::buttonStateIn(kLocationWindow, kEast) == 2 ? 0 : 1;
  rt::closeWindow(kLocationWindow);
  showAnnualSunCycle(latitude, longitude);
  return true;
}

}  // namespace

void SetLocation() {
  buildLocationWindow();
  for (bool done = false; !done && !gQuitPending;) {
    const OptionEvent e = nextOptionEvent();
    if (e.kind == 1 && isHemisphereButton(e.id)) {
      chooseHemisphere(kLocationWindow, e.id);
    } else if (e.kind == 1 && e.id == kFromMap) {
      const MapChoice c = GetMapCoordinates(kLocationWindow);
      if (c.chosen) showPositionFields(kLocationWindow, c.position.latitude, c.position.longitude);
    } else if ((e.kind == 1 && e.id == kDoCalculations) || e.kind == 16) {
      done = doCalculations();
    } else if (e.kind == 4 && e.id == kLocationWindow) {
      done = true;  // cancelled: the kept position stays
    }
  }
  rt::closeWindow(kLocationWindow);
  if (rt::windowExists(kCostOptionsWindow)) rt::bringWindowForward(kCostOptionsWindow);
}

}  // namespace qv
