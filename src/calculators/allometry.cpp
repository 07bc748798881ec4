// The allometric equations of the taxon popups and the units of the allometry calculator.
#include "calculators/allometry.h"

#include <cmath>
#include <span>

#include "core/unit_constants.h"

namespace qv {

namespace {

using E = AllometryEquation;

// Rows give b as shown, a, base T, real T and Q10 where the source gives one.
constexpr E kArthropods[] = {
    {".825", 0.002704, 25, 25}, {".75", 0.002985, 25, 25},    {".816", 0.0003283, 25, 25},
    {".856", 0.000472, 25, 25, 2.97f}, {".788", 0.002647, 25, 25}, {".943", 0.002716, 25, 25},
    {".803", 0.002176, 25, 25}, {".86", 0.0038333, 23.5f, 23.5f}, {".76", 0.0067167, 23, 23}};
constexpr E kFish[] = {{".879", 0.00152, 20, 20},   {".7006", 0.006651, 20, 20}, {".784", 0.007709, 20, 20},
                       {".70095", 0.006648, 20, 20}, {".8278", 0.002824, 20, 20}, {".7225", 0.004791, 20, 20},
                       {"1.02", 0.0008136, 20, 20}};
constexpr E kAmphibians[] = {{".74", 0.00194, 25, 25},
                             {".802", 0.001583, 25, 25},
                             {".75", 0.0047667, 25, 25},
                             {".884", 0.00135, 20, 20, 2.21f}};
constexpr E kReptiles[] = {{".77", 0.004633, 30, 30}, {".83", 0.004, 30, 30},  {".82", 0.0070667, 37, 37},
                           {".76", 0.004667, 30, 30}, {".86", 0.011, 30, 30}, {".768", 0.00183, 20, 20, 2.44f}};
constexpr E kBirds[] = {{".669", 0.103265, 39, 39}, {".627", 0.1337, 39, 39},  {".701", 0.07463, 39, 39},
                        {".67", 0.081357, 39, 39},  {".724", 0.1245, 39, 39},  {".723", 0.07669, 39, 39},
                        {".704", 0.1575, 39, 39},   {".726", 0.11024, 39, 39}, {".635", 0.14587, 39, 39},
                        {".71", 0.07633, 38.2f, 40.1f}, {".845", 0.060667, 39, 39}};
constexpr E kMammals[] = {
    {".734", 0.06361, 37.5f, 37.5f}, {".756", 0.05373, 37.5f, 37.5f}, {".76", 0.0597, 37.5f, 37.5f},
    {".672", 0.07233, 36.2f, 36.2f}, {".737", 0.04325, 35, 35},       {".71", 0.0487, 35, 35},
    {".73", 0.0548, 36.2f, 35},      {".68", 0.0653, 36.2f, 35},      {".75", 0.02962, 36.2f, 32},
    {".82", 0.02033, 36.2f, 32},     {".794", 0.03883, 37.5f, 37.5f}, {".70", 0.0683, 36.2f, 37.5f},
    {".713", 0.0715, 37.5f, 37.5f},  {".67", 0.07217, 36.2f, 37.5f},  {".79", 0.03133, 36.2f, 37.5f},
    {".73", 0.04733, 36.2f, 37.5f},  {".702", 0.1112, 37.5f, 37.5f},  {".57", 0.1147, 36.2f, 36.2f},
    {".67", 0.0457, 36.2f, 36.2f}};

std::span<const E> taxonRows(int popup) {
  switch (popup) {
    case 52: return kArthropods;
    case 53: return kFish;
    case 54: return kAmphibians;
    case 55: return kReptiles;
    case 56: return kBirds;
    case 57: return kMammals;
    default: return {};
  }
}

constexpr double kWattsPerMlO2PerMin = units::kHeatJPerMlO2 / units::kSecondsPerMinute;
constexpr double kJoulesPerDay = kWattsPerMlO2PerMin * units::kSecondsPerDay;
constexpr double kCaloriesPerDay = kJoulesPerDay / units::kCalorieJ;

struct Unit {
  double factor;  // per animal; a per-mass unit divides it by the mass in grams
  bool perMass;
};

// Items 1..26 (index 0 unused). Per kilogram units are per gram units times 1000.
constexpr Unit kUnits[kAllometryUnits + 1] = {
    {1, false},
    {1, false},                              // 1 ml O2/min
    {1, true},                               // 2 ml O2/[g min]
    {60, false},                             // 3 ml O2/hour
    {0.06, false},                           // 4 L O2/hour
    {1000, false},                           // 5 µl O2/min
    {1000, true},                            // 6 µl O2/[g min]
    {60000, false},                          // 7 µl O2/hour
    {60, true},                              // 8 ml O2/[g hour]
    {60000, true},                           // 9 ml O2/[Kg hour]
    {60000, true},                           // 10 µl O2/[g hour]
    {60, true},                              // 11 L O2/[Kg hour]
    {1, false},                              // 12 heading
    {kWattsPerMlO2PerMin * 1e6, false},      // 13 µwatts
    {kWattsPerMlO2PerMin * 1e3, false},      // 14 milliwatts
    {kWattsPerMlO2PerMin, false},            // 15 watts
    {kWattsPerMlO2PerMin * 1e3, true},       // 16 watts/Kg
    {kJoulesPerDay, false},                  // 17 joules/day
    {kJoulesPerDay * 1e-3, false},           // 18 KJ/day
    {kJoulesPerDay * 1e-6, false},           // 19 MJ/day
    {kJoulesPerDay, true},                   // 20 KJ/[kg day]
    {kJoulesPerDay * 1e-3, true},            // 21 MJ/[kg day]
    {1, false},                              // 22 heading
    {kCaloriesPerDay, false},                // 23 cal/day
    {kCaloriesPerDay * 1e-3, false},         // 24 Kcal/day
    {kCaloriesPerDay, true},                 // 25 cal/[g day]
    {kCaloriesPerDay, true},                 // 26 Kcal/[kg day]
};

const Unit& unitOf(int unit) { return unit >= 1 && unit <= kAllometryUnits ? kUnits[unit] : kUnits[0]; }

}  // namespace

std::optional<AllometryEquation> allometryEquation(int popup, int item) {
  if (popup == kMainTaxonPopup) {
    switch (item) {
      case 1: return E{".751", 0.002647, 20, 20};
      case 3: return E{".75", 0.014587, 20, 20};
      case 4: return E{".75", 0.14587, 39, 39};
      default: return std::nullopt;
    }
  }
  const std::span<const E> rows = taxonRows(popup);
  if (item < 1 || size_t(item) > rows.size()) return std::nullopt;
  return rows[size_t(item) - 1];
}

int mainTaxonMenuItem(int popup) {
  const size_t n = taxonRows(popup).size();
  return n ? int(n) + 2 : 0;
}

bool isPerMassUnit(int unit) { return unitOf(unit).perMass; }
double unitFactorPerAnimal(int unit) { return unitOf(unit).factor; }
double unitFactor(int unit, double massG) {
  const Unit& u = unitOf(unit);
  return u.perMass ? u.factor / massG : u.factor;
}

double allometricRate(double a, double b, double massG, double baseT, double realT, double q10) {
  return a * std::pow(massG, b) * std::pow(q10, (realT - baseT) * 0.1);
}

double shownCoefficient(double a, int unit) { return a * unitFactorPerAnimal(unit); }
double shownExponent(double b, int unit) { return isPerMassUnit(unit) ? b - 1 : b; }
double coefficientOfShown(double shown, int unit) { return shown / unitFactorPerAnimal(unit); }
double exponentOfShown(double shown, int unit) { return isPerMassUnit(unit) ? shown + 1 : shown; }

int activityMultiplier(int item) {
  constexpr int kTimes[] = {1, 3, 5, 10, 25};
  return item >= 1 && item <= 5 ? kTimes[item - 1] : item > 5 ? 100 : 1;
}

double minimumFlowMlPerMin(double rate, int activity, double percent, std::optional<double> waterO2MlPerL) {
  double drop = percent * 0.01;
  if (waterO2MlPerL) drop *= *waterO2MlPerL * 0.001;
  return activity * rate / drop;
}

}  // namespace qv
