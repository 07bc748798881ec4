#pragma once
// Resting metabolic rate by allometry, MR = a * M^b, moved to another body temperature by its
// Q10, shown in 26 units; and the smallest flow through a chamber that keeps the animal's
// oxygen draw-down within a limit. The equations are kept with a in ml O2/min for a mass in
// grams and b, whatever the unit shown.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

constexpr int16_t kMainTaxonPopup = 51, kFirstTaxonPopup = 52, kFishPopup = 53, kLastTaxonPopup = 57;
constexpr int kAllometryUnits = 26;

struct AllometryEquation {
  std::string_view b;  // the exponent as it is shown (".70" keeps its zero)
  double a = 0;        // ml O2/min for grams
  float baseT = 20, realT = 20;
  float q10 = 0;  // 0: the equation gives none
};

// The equation of an item of the main taxon popup (1, 3, 4) or of a taxon popup (52..57);
// nothing for another item (a separator, a sub-menu, "Main Taxon Menu...", Custom).
std::optional<AllometryEquation> allometryEquation(int popup, int item);
// The last item of a taxon popup: "Main Taxon Menu..." (0 outside 52..57).
int mainTaxonMenuItem(int popup);

// Units: item 1 ml O2/min ... 26 Kcal/[kg day]; 12 and 22 are headings (and any other item
// counts as ml O2/min).
bool isPerMassUnit(int unit);
// The factor from ml O2/min of the whole animal to the unit, without the division by the mass
// of a per-mass unit.
double unitFactorPerAnimal(int unit);
// The factor from ml O2/min of the whole animal to the unit for an animal of `massG` grams.
double unitFactor(int unit, double massG);

// ml O2/min: a * M^b * Q10^((realT - baseT) / 10).
double allometricRate(double a, double b, double massG, double baseT, double realT, double q10);

// What the window shows for (a, b) in a unit: the coefficient a * factor (per-mass units: the
// factor before the division by the mass) and the exponent, b - 1 in a per-mass unit.
double shownCoefficient(double a, int unit);
double shownExponent(double b, int unit);
// And back from what was typed.
double coefficientOfShown(double shown, int unit);
double exponentOfShown(double shown, int unit);

// The activity popup's multiple of the resting rate (items 1..5: 1, 3, 5, 10, 25; later 100).
int activityMultiplier(int item);

// ml/min of air or water that carries off `rate` ml O2/min times `activity` with a drop of
// `percent` per cent of its oxygen: of air (20.95 % O2: the percentage is of the whole gas),
// or of water holding `waterO2MlPerL` ml O2 per litre.
double minimumFlowMlPerMin(double rate, int activity, double percent, std::optional<double> waterO2MlPerL);

}  // namespace qv
