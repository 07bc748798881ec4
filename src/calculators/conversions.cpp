#include "calculators/conversions.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/unit_constants.h"
#include "respirometry/water_vapour.h"
#include "core/text_format.h"

namespace qv {

namespace {

using namespace units;

// A row of a table: its unit texts and its factor; a factor of 0 marks a formula.
struct Row {
  const char* from;
  const char* to;
  double factor;
};

constexpr double kFormula = 0.0;

// Grams of water vapour in a cubic metre at 0 degrees C, per pascal of its pressure, by the
// gas constant the saturation functions use.
constexpr double kVapourGramsPerM3Pa = 1000.0 / (kWaterVapourGasConstant * kZeroCelsiusKelvin);

constexpr std::array<Row, 13> kEnergy{{
    {"joules", "calories", 1.0 / kCalorieJ},
    {"calories", "joules", kCalorieJ},
    {"watts", "kilojoules/day", kSecondsPerDay / 1000.0},
    {"watts", "kilocalories/day", kSecondsPerDay / (1000.0 * kCalorieJ)},
    {"watts", "calories/min", kSecondsPerMinute / kCalorieJ},
    {"BTU/hr", "Kilowatts", kBtuJ / kSecondsPerHour / 1000.0},
    {"BTU", "Kilojoules", kBtuJ / 1000.0},
    {"horsepower", "Kilowatts", kHorsepowerW / 1000.0},
    {"Kilowatts", "horsepower", 1000.0 / kHorsepowerW},
    {"°F", "°C", kFormula},
    {"°C", "°F", kFormula},
    {"°C", "°K", kFormula},
    {"mg H₂O evap.", "joules (@ 37 °C) ", kLatentHeatJPerMg37},
}};

constexpr double kSquareMileM2 = kSquareMileAcres * kAcreM2;

constexpr std::array<Row, 25> kSpeed{{
    {"meters/sec", "kilometers/hour", kKmhPerMs},
    {"kilometers/hour", "meters/sec", 1.0 / kKmhPerMs},
    {"miles per hour", "meters/sec", kMphMs},
    {"rate/sec", "rate/hour", kSecondsPerHour},
    {"rate/hour", "rate/sec", 1.0 / kSecondsPerHour},
    {"rate/min", "rate/sec", 1.0 / kSecondsPerMinute},
    {"knots", "km/hour", kNauticalMileKm},
    {"km/hour", "knots", 1.0 / kNauticalMileKm},
    {"miles per hour", "knots", kMileKm / kNauticalMileKm},
    {"knots", "miles per hour", kNauticalMileKm / kMileKm},
    {"miles per hour", "km/hour", kMileKm},
    {"inches", "centimeters", kInchM * 100.0},
    {"centimeters", "feet", 1.0 / (kFootM * 100.0)},
    {"feet", "centimeters", kFootM * 100.0},
    {"feet", "meters", kFootM},
    {"meters", "feet", 1.0 / kFootM},
    {"miles", "kilometers", kMileKm},
    {"kilometers", "miles", 1.0 / kMileKm},
    {"acres", "hectares", kAcreM2 / kHectareM2},
    {"square miles", "acres", kSquareMileAcres},
    {"square miles", "hectares", kSquareMileM2 / kHectareM2},
    {"square miles", "square kilometers", kSquareMileM2 / 1.0e6},
    {"square yards", "square meters", kYardM * kYardM},
    {"square feet", "square meters", kFootM * kFootM},
    {"square inches", "square centimeters", kInchM * kInchM * 1.0e4},
}};

constexpr std::array<Row, 20> kMass{{
    {"pounds", "kilograms", kPoundKg},
    {"kilograms", "pounds", 1.0 / kPoundKg},
    {"ounces", "grams", kOunceG},
    {"grams", "ounces", 1.0 / kOunceG},
    {"U.S. ton", "kilograms", kShortTonKg},
    {"U.K. long ton", "kilograms", kLongTonKg},
    {"carats (gem) ", "grams", kCaratG},
    {"cubic feet", "cubic meter", kCubicFootL / 1000.0},
    {"cubic meters", "cubic feet", 1000.0 / kCubicFootL},
    {"cubic feet", "liters", kCubicFootL},
    {"U.S. gallons", "liters", kUSGallonL},
    {"US pint", "liters", kUSPintL},
    {"US quart", "liters", kUSQuartL},
    {"cup", "liters", kCupL},
    {"barrels (oil) ", "liters", kOilBarrelL},
    {"millimoles", "ml gas at STP", kMlPerMmolSTP},
    {"ml gas at STP", "millimoles", 1.0 / kMlPerMmolSTP},
    {"footcandle", "lux", kFootcandleLux},
    {"elevation (degrees) ", "watts/square meter", kFormula},
    {"altitude (meters) ", "watts/square meter", kFormula},
}};

constexpr std::array<Row, 23> kPressure{{
    {"Torr", "kilopascals", kTorrPa / 1000.0},
    {"P.S.I.", "torr", kPsiPa / kTorrPa},
    {"torr", "P.S.I.", kTorrPa / kPsiPa},
    {"mm H₂O", "torr", kMmH2OPa / kTorrPa},
    {"kilopascals", "torr", 1000.0 / kTorrPa},
    {"kilopascals", "atmospheres", 1000.0 / kAtmPa},
    {"atmospheres", "kilopascals", kAtmPa / 1000.0},
    {"atmospheres", "torr", kAtmTorr},
    {"atmospheres", "PSI", kAtmPa / kPsiPa},
    {"bars", "torr", kBarPa / kTorrPa},
    {"torr", "bars", kTorrPa / kBarPa},
    {"bars", "atmospheres", kBarPa / kAtmPa},
    {"atmospheres", "bars", kAtmPa / kBarPa},
    {"P.S.I.", "bars", kPsiPa / kBarPa},
    {"bars", "P.S.I.", kBarPa / kPsiPa},
    {"°C", "torr H₂O, 100% RH", kFormula},
    {"°C", "g H₂O/cubic meter", kFormula},
    {"KPa H₂O vapor", "g H₂O/cubic meter", 1000.0 * kVapourGramsPerM3Pa},
    {"KPa H₂O vapor", "% STP gas volume H₂O", 1000.0 * 100.0 / kAtmPa},
    {"Torr H₂O vapor", "g H₂O/cubic meter", kTorrPa * kVapourGramsPerM3Pa},
    {"Torr H₂O vapor", "% STP gas volume H₂O", 100.0 / kAtmTorr},
    {"kPa H₂O vapor", "% RH", kFormula},
    {" %RH", "kPa H₂O vapor", kFormula},
}};

const char* const kStpNote = "• STP = 0 °C, 760 torr (1.0 atmospheres) ";

const Row* rowOf(int category, int item) {
  auto pick = [item](const auto& table) -> const Row* {
    return item >= 1 && size_t(item) <= table.size() ? &table[size_t(item - 1)] : nullptr;
  };
  switch (category) {
    case kEnergyConversions: return pick(kEnergy);
    case kSpeedConversions: return pick(kSpeed);
    case kMassConversions: return pick(kMass);
    case kPressureConversions: return pick(kPressure);
    default: return nullptr;
  }
}

std::string noteOf(int category, int item) {
  switch (category * 100 + item) {
    case kEnergyConversions * 100 + 10: return "• standard '5/9 X (°F - 32)' conversion";
    case kEnergyConversions * 100 + 11: return "• standard '(9/5 X °C) + 32' conversion";
    case kEnergyConversions * 100 + 13:
      return "• conversion factor differs slightly at other temperatures: for example, ~2.50 j/mg at 0 °C vs. "
             "~2.41 j/mg at 37 °C";
    case kMassConversions * 100 + 16:
    case kMassConversions * 100 + 17:
    case kPressureConversions * 100 + 19:
    case kPressureConversions * 100 + 21: return kStpNote;
    case kMassConversions * 100 + 19:
      return "• elevation = 90 ° when sun is directly overhead.\n• Approximate clear sky sea level "
             "values (sunlight intensity varies with season, altitude, humidity, etc.)";
    case kMassConversions * 100 + 20:
      return "• based on solar constant of 1366 watts/square meter\n• Approximate clear sky equatorial "
             "noon values (varies with latitude, season, sun elevation, humidity, etc.)";
    case kPressureConversions * 100 + 4: return "• assumes 760 torr (1.0 atmospheres) = 10.33 meter water column";
    // The vapour-pressure fit changes its coefficients at 4 degrees C.
    case kPressureConversions * 100 + 16: return "• separate approximations are used for temperatures above and below 4 °C";
    case kPressureConversions * 100 + 17:
      return "• This is for saturated air (100% relative humidity).\n• Separate approximations are used for "
             "temperatures above and below 4 °C";
    case kPressureConversions * 100 + 18:
      return "• assumes 0 °C; higher temperature means lower water mass/KPa and vice versa -- does not check "
             "for saturation vapor pressure limits";
    case kPressureConversions * 100 + 20:
      return "• assumes 0 °C; higher temperature means lower water mass/torr and vice versa -- does not check "
             "for saturation vapor pressure limits";
    case kPressureConversions * 100 + 22:
    case kPressureConversions * 100 + 23: return " Temperature: (°C): ";
    default: return " ";
  }
}

// Clear-sky sunlight at sea level for the sun `e` degrees above the horizon (air mass model).
Conversion& sunlight(Conversion& c, float e) {
  if (e <= 0.0f) {
    c.shown = ConversionShown::Nil;
    return c;
  }
  const float airMass = float(1.0 / std::cos((double(e) - 90.0) * 3.14159 / 180.0));
  c.result = float(1366.0 * std::pow(0.7, std::pow(double(airMass), 0.678)));
  if (!std::isfinite(c.result)) c.shown = ConversionShown::NotFinite;
  return c;
}

// The formulas of the rows without a factor.
double formula(int category, int item, float x, float t, Conversion& c) {
  const double X = x;
  switch (category * 100 + item) {
    case kEnergyConversions * 100 + 10: return (X - 32.0) * 5.0 / 9.0;
    case kEnergyConversions * 100 + 11: return X * 1.8 + 32.0;
    case kEnergyConversions * 100 + 12: return X + kZeroCelsiusKelvin;
    case kMassConversions * 100 + 20: return 1366.0 - 409.8 / std::pow(2.0, X / 5500.0);
    case kPressureConversions * 100 + 16: return GetSaturationWaterVaporContent(x);
    case kPressureConversions * 100 + 17:
      // The fit's own saturation density: its pressure turned back at the same constants.
      return double(GetSaturationWaterVaporContent(x)) * kTorrPa * 1000.0 /
             (kWaterVapourGasConstant * (X + kZeroCelsiusKelvin));
    default: break;
  }
  const float saturationTorr = GetSaturationWaterVaporContent(t);
  if (!(saturationTorr > 0.0f)) return NAN;  // the fit has no vapour pressure this cold
  const double saturationKPa = double(saturationTorr) * kTorrPa / 1000.0;
  if (item == 22) {
    const double rh = X * 100.0 / saturationKPa;
    if (rh >= 100.0) c.shown = ConversionShown::Over100;
    return rh;
  }
  return std::min(X, 100.0) * saturationKPa * 0.01;
}

}  // namespace

int conversionItemCount(int category) {
  switch (category) {
    case kEnergyConversions: return int(kEnergy.size());
    case kSpeedConversions: return int(kSpeed.size());
    case kMassConversions: return int(kMass.size());
    case kPressureConversions: return int(kPressure.size());
    default: return 0;
  }
}

Conversion ConversionsCALCULATIONS(int category, int item, float x, float t) {
  Conversion c;
  const Row* row = rowOf(category, item);
  if (!row) {
    c.shown = ConversionShown::NotFinite;
    c.note = " ";
    return c;
  }
  c.from = row->from;
  c.to = row->to;
  c.note = noteOf(category, item);
  c.asksTemperature = category == kPressureConversions && item >= 22;
  if (category == kMassConversions && item == 19) return sunlight(c, x);
  const double r = row->factor != kFormula ? double(x) * row->factor : formula(category, item, x, t, c);
  c.result = float(r);
  if (!std::isfinite(c.result)) c.shown = ConversionShown::NotFinite;
  return c;
}

std::string conversionResultText(const Conversion& c) {
  switch (c.shown) {
    case ConversionShown::Number: {
      std::string s = StringFormatter(float(c.result));
      s.erase(0, s.find_first_not_of(' '));  // the blanks that align it in a column
      return s;
    }
    case ConversionShown::Nil: return "nil";
    case ConversionShown::Over100: return " > 100% !!";
    case ConversionShown::NotFinite: break;
  }
  return "**";
}

}  // namespace qv
