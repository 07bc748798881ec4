#include "transforms/conversion_table.h"

#include <array>
#include <charconv>

#include "core/unit_constants.h"

namespace qv {

namespace {

using namespace units;

constexpr float f(double v) { return float(v); }

// Pairs that undo each other take their factors from the same constant.
const std::array<ConversionItem, kConversionItems + 1> kItems = [] {
  std::array<ConversionItem, kConversionItems + 1> t{};
  auto factorItem = [&](int i, double factor, std::string_view a, std::string_view b, std::string_view l1,
                        std::string_view l2) {
    t[size_t(i)] = {int16_t(i + 39), f(factor), a, b, {}, 0, {}, l1, l2, false};
  };
  factorItem(1, 1.0 / kCalorieJ, "joules", "cal", "joules ", " cal");
  factorItem(2, kCalorieJ, "cal", "joules", "cal ", " joules");
  factorItem(3, kSecondsPerDay / 1000.0, "watts", "KJ/day", "watts ", " KJ/day");
  factorItem(4, kSecondsPerDay / (1000.0 * kCalorieJ), "watts", "Kcal/day", "watts ", " Kcal/day");
  factorItem(5, kSecondsPerMinute / kCalorieJ, "watts", "cal/min", "watts ", " cal/min");
  factorItem(6, kBtuJ / kSecondsPerHour / 1000.0, "BTU/hr", "Kilowatts", "BTU/hr ", " Kilowatts");
  factorItem(7, kLatentHeatJPerMg37, "mg H2O", "joules", "mg H2O ", " joules @ 37\u00B0C");
  factorItem(8, kTorrPa / 1000.0, "Torr", "KPa", "Torr ", " kilopascals");
  factorItem(9, kPsiPa / kTorrPa, "PSI", "Torr", "P.S.I. ", " Torr");
  factorItem(10, kMmH2OPa / kTorrPa, "mm H2O", "Torr", "mm H2O ", " Torr");
  factorItem(11, 1000.0 / kTorrPa, "KPa", "Torr", "Kilopascals ", " Torr");
  factorItem(12, 1000.0 / kAtmPa, "KPa", "atm", "Kilopascals ", " Atm");
  factorItem(13, kAtmPa / 1000.0, "atm", "KPa", "Atm ", " Kilopascals");
  factorItem(14, kAtmTorr, "atm", "Torr", "Atm ", " Torr");
  factorItem(15, kKmhPerMs, "m/s", "km/hr", "m/s ", " km/hour");
  factorItem(16, 1.0 / kKmhPerMs, "km/hr", "m/s", "km/hour ", " m/s");
  factorItem(17, kMphMs, "mph", "m/s", "m.p.h ", " m/s");
  factorItem(18, 1.0 / kMlPerMmolSTP, "ml", "mmole", "ml gas@STP ", " mmole");
  factorItem(19, kMlPerMmolSTP, "mmole", "mL", "mmole ", " ml gas@STP");
  factorItem(20, kSecondsPerHour, "sec", "hr", "rate/sec ", " rate/hour");
  factorItem(21, 1.0 / kSecondsPerHour, "hr", "sec", "rate/hour ", " rate/sec");
  factorItem(22, 1.0 / kSecondsPerMinute, "min", "sec", "rate/min ", " rate/sec");
  auto other = [&](int i, std::string_view l1, std::string_view l2) {
    t[size_t(i)] = {int16_t(i + 39), 1.0f, {}, {}, {}, 0, {}, l1, l2, false};
  };
  other(23, "\u00B0F ", " \u00B0C");
  other(24, "\u00B0C ", " \u00B0K");
  other(25, "\u00B0C ", " KPa H2O vapor");
  other(26, "\u00B0C ", " Torr H2O vapor");
  other(27, "KPa H2O ", " g H2O/m^3");
  other(28, "KPa H2O ", " % vol H2O");
  other(29, "", " mass (g) ");
  other(30, "", " mass (kg) ");
  t[25].resultLabel = "vapor pressure (KPa) @ 100% RH";
  t[26].resultLabel = "vapor pressure (torr) @ 100% RH";
  t[27].fieldLabel = "temperature (degrees C):", t[27].fileInfoWord = 3;
  t[28].fieldLabel = "barometric pressure (torr):", t[28].fileInfoWord = 4;
  for (int i : {29, 30}) {
    t[size_t(i)].fieldLabel = "mass in grams:";
    t[size_t(i)].fileInfoWord = 6;
    t[size_t(i)].logDivides = true;
  }
  return t;
}();

}  // namespace

bool isFactorConversion(int item) { return item >= 1 && item <= 22; }

ConversionItem conversionItem(int item) {
  if (item < 1 || item > kConversionItems) item = 22;
  return kItems[size_t(item)];
}

std::string conversionLogText(int item, std::string_view arrow, std::string_view divide) {
  const ConversionItem c = conversionItem(item);
  std::string s(c.logBefore);
  s += c.logDivides ? divide : arrow;
  s += c.logAfter;
  return s;
}

std::string factorText(float factor) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, factor, std::chars_format::general, 9);
  return std::string(buf, r.ptr);
}

}  // namespace qv
