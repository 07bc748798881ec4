#pragma once
// The humidity numbers of the water-vapour windows: the latent heat of vaporisation and the
// incurrent water-vapour fraction estimated from one reading.
#include <cstdint>
#include <optional>

namespace qv {

// Latent heat of vaporisation (J/g): 2501.2 - 2.3787 x the evaporating-surface temperature
// (deg C) when that is asked (mode 0); 2501.2 otherwise.
float latentHeat(int16_t mode, float surfaceCelsius);

// FiH2O from an incurrent reading at `pressure` torr, by unit: 1 %RH `reading` at the meter's
// `celsius`; 2 dew point `reading` (deg C); 3 vapour pressure `reading` kPa; any other, vapour
// content `reading` g/m^3 (1 / 1.057 torr per g/m^3, as water loss reads it). Nothing for a
// pressure that is not above 0 or a result that is not a number.
std::optional<float> estimateFiH2O(int16_t unit, float reading, float celsius, float pressure);

// The smallest temperature there is, deg C.
constexpr float kAbsoluteZeroCelsius = -273.15f;

}  // namespace qv
