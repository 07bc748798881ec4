#pragma once
// "Unit Interconversions": one typed number between two units, chosen from four categories of
// fixed conversions, some of them formulas (temperatures, sunlight, water vapour).
#include <cstdint>
#include <string>

namespace qv {

// A category is named by the number of its popup button.
constexpr int kEnergyConversions = 63, kSpeedConversions = 64, kMassConversions = 65, kPressureConversions = 66;

// Items of a category's popup; 0 for a number that is no category.
int conversionItemCount(int category);

enum class ConversionShown : uint8_t {
  Number,   // the result is a finite number
  Nil,      // the sun at or below the horizon: "nil"
  Over100,  // a vapour pressure above saturation: " > 100% !!"
  NotFinite,  // no finite result: "**"
};

struct Conversion {
  std::string from, to;  // units of X and of the result
  std::string note;      // one line under the fields (" " when there is none)
  double result = 0.0;   // a 32-bit value, meaningful when shown is Number
  ConversionShown shown = ConversionShown::Number;
  bool asksTemperature = false;  // the %RH conversions read the temperature field
};

// Item `item` of category `category` applied to x; t (degrees C) is the temperature of the %RH
// conversions. An item out of range gives NotFinite with empty units.
Conversion ConversionsCALCULATIONS(int category, int item, float x, float t);

// What field 112 shows for a conversion: the number by StringFormatter or the word that stands
// for it.
std::string conversionResultText(const Conversion& c);

}  // namespace qv
