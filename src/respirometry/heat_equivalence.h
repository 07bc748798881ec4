#pragma once
// The heat released per millilitre of O2 consumed or CO2 produced, chosen by fuel or typed.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The working conversion constant of the energy units: J/ml per minute to per second.
extern float flowcon;

struct HeatFuel {
  const char* name;  // as the button says it
  const char* o2;    // J/ml, as written into the field
  const char* co2;
};
// Carbohydrate, lipids, protein oxidised to urea, protein oxidised to urate.
extern const std::array<HeatFuel, 4> kHeatFuels;

// The text field 102 shows for a stored value: its number text, cut to 6 characters when it
// has 7 or more.
std::string heatFieldText(float value);
// A typed heat equivalence: a number greater than 0, or nothing.
std::optional<float> typedHeatEquivalence(std::string_view text);
// J/ml to the per-second constant, in single precision.
float heatToFlowcon(float joulesPerMl);

}  // namespace qv
