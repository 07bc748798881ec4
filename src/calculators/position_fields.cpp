#include "calculators/position_fields.h"

#include <cmath>

#include "calculators/calculator_frame.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "runtime/windows.h"

namespace qv {

void showPositionFields(int16_t window, float latitude, float longitude) {
  rt::setEditTextIn(window, kLatitudeField, calculatorNumberText(std::fabs(latitude)));
  rt::setEditTextIn(window, kLongitudeField, calculatorNumberText(std::fabs(longitude)));
  // The sign's bit, so that 0 degrees south shows South.
  const bool south = std::signbit(latitude), east = std::signbit(longitude);
  rt::setButtonStateIn(window, kNorthButton, south ? 1 : 2);
  rt::setButtonStateIn(window, kSouthButton, south ? 2 : 1);
  rt::setButtonStateIn(window, kWestButton, east ? 1 : 2);
  rt::setButtonStateIn(window, kEastButton, east ? 2 : 1);
}

bool isHemisphereButton(int id) { return id >= kNorthButton && id <= kEastButton; }

void chooseHemisphere(int16_t window, int id) {
  const bool latitudeButtons = id == kNorthButton || id == kSouthButton;
  const int16_t a = latitudeButtons ? kNorthButton : kWestButton, b = latitudeButtons ? kSouthButton : kEastButton;
  rt::setButtonStateIn(window, a, id == a ? 2 : 1);
  rt::setButtonStateIn(window, b, id == b ? 2 : 1);
}

std::optional<MapPosition> typedPosition(int16_t window) {
  auto degrees = [&](int16_t field, double most) -> std::optional<float> {
    const std::optional<double> v = typedNumber(rt::editTextIn(window, field));
    if (!v || *v < 0.0 || *v > most) return std::nullopt;
    return float(*v);
  };
  const std::optional<float> lat = degrees(kLatitudeField, 90.0), lon = degrees(kLongitudeField, 180.0);
  if (!lat || !lon) {
    bzot();
    rt::setOutputWindow(window);
    rt::selectEditField(lat ? kLongitudeField : kLatitudeField, 0, 32767);
    return std::nullopt;
  }
  return MapPosition{rt::buttonStateIn(window, kSouthButton) == 2 ? -*lat : *lat,
                     rt::buttonStateIn(window, kEastButton) == 2 ? -*lon : *lon};
}

}  // namespace qv
