#pragma once
// The position fields that the sun-cycle calculator and the cost tools' location window share:
// latitude in field 1 and longitude in field 2 as magnitudes, with the hemisphere buttons
// 101 North, 102 South, 103 West and 104 East.
#include <cstdint>
#include <optional>

#include "calculators/world_map.h"

namespace qv {

constexpr int16_t kLatitudeField = 1, kLongitudeField = 2, kNorthButton = 101, kSouthButton = 102,
                  kWestButton = 103, kEastButton = 104;

// Shows a signed position (north and west positive).
void showPositionFields(int16_t window, float latitude, float longitude);
bool isHemisphereButton(int id);
// Marks the clicked hemisphere button and unmarks its pair.
void chooseHemisphere(int16_t window, int id);
// The typed position, signed; a magnitude above 90 or 180, a negative one or no number is
// refused with a bzot and the field in focus.
std::optional<MapPosition> typedPosition(int16_t window);

}  // namespace qv
