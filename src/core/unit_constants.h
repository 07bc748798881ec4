#pragma once
// Unit constants shared by the unit conversions and the calculators, so that a factor and its
// reciprocal come from one value.
namespace qv::units {

constexpr double kTorrPa = 133.322368;
constexpr double kAtmPa = 101325.0;
constexpr double kAtmTorr = 760.0;
constexpr double kPsiPa = 6894.757;
constexpr double kMmH2OPa = 9.80665;
constexpr double kCalorieJ = 4.186;
constexpr double kBtuJ = 1055.05585;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kKmhPerMs = 3.6;
constexpr double kMphMs = 0.44704;
// Millilitres of an ideal gas at STP in one millimole.
constexpr double kMlPerMmolSTP = 22.414;
// Heat of one ml of oxygen consumed by an animal (an average of fat, protein and carbohydrate
// metabolism), joules; every energy unit of the allometry calculator derives from it.
constexpr double kHeatJPerMlO2 = 20.1;
// Latent heat of evaporation of water at 37 degrees C, joules per milligram.
constexpr double kLatentHeatJPerMg37 = 2.414;

// Power, by the international definitions.
constexpr double kHorsepowerW = 745.69987158;
// Lengths and areas, by the international yard and pound agreement (metres, square metres).
constexpr double kInchM = 0.0254;
constexpr double kFootM = 0.3048;
constexpr double kYardM = 0.9144;
constexpr double kMileKm = 1.609344;
constexpr double kNauticalMileKm = 1.852;
constexpr double kAcreM2 = 4046.8564224;
constexpr double kSquareMileAcres = 640.0;
constexpr double kHectareM2 = 10000.0;
// Masses (kilograms) and volumes (litres).
constexpr double kPoundKg = 0.45359237;
constexpr double kOunceG = 28.349523125;
constexpr double kShortTonKg = 2000.0 * kPoundKg;
constexpr double kLongTonKg = 2240.0 * kPoundKg;
constexpr double kCaratG = 0.2;
constexpr double kCubicFootL = kFootM * kFootM * kFootM * 1000.0;
constexpr double kUSGallonL = 3.785411784;
constexpr double kUSPintL = kUSGallonL / 8.0;
constexpr double kUSQuartL = kUSGallonL / 4.0;
constexpr double kCupL = 0.24;
constexpr double kOilBarrelL = 42.0 * kUSGallonL;
// One footcandle is one lumen on a square foot.
constexpr double kFootcandleLux = 1.0 / (kFootM * kFootM);
constexpr double kBarPa = 100000.0;

}  // namespace qv::units
