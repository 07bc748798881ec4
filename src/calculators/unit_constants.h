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
// Latent heat of evaporation of water at 37 degrees C, joules per milligram.
constexpr double kLatentHeatJPerMg37 = 2.414;

}  // namespace qv::units
