#pragma once
// The thermoregulatory cost model: case by case, the power (watts) an endotherm spends to
// hold its body temperature in a recorded microclimate, with its totals, running means and
// the timing check of the time-of-day channel. Pure: spans in, values out; the windows read
// the settings from the globals and write the costs into channels.
//
// The model in short: below thermoneutrality cost = C x (Tb - Ta), plus a convective term
// growing with the square root of wind speed, floored at BMR; in the inactive phase a torpor
// branch lowers Tb and scales BMR by a Q10. Missing values (the marker M, or a sample that is
// not finite) are handled by the rejection rules; a rejected case costs 0 and is in no total.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "calculators/sun_cycle.h"

namespace qv {

struct TregAnimal {
  float lct = 28.0f;       // lower critical temperature, degC
  float c = 0.015f;        // thermal conductance, W/degC
  float bmr = 0.1675f;     // basal metabolic rate, watts
  bool sunAccess = true;   // the animal may use the sun's Ta
  float tb = 39.0f;        // body temperature, degC
  float mass = 15.5f;      // grams (the wind term)
};

struct TregSettings {
  bool variableTb = true;
  float tbChange = 2.0f;             // Tb rise in the active phase, degC
  float tbMax = 0.0f;                // highest active Tb, degC; 0 none
  bool variableConductance = true;
  float conductanceFactor = 1.4f;    // C in the active phase = C x factor
  bool canUseTorpor = true;          // the options allow torpor
  bool useTorpor = true;             // this animal uses it
  float minTorporTb = 12.0f;
  float torporEntry = 2.0f;          // hours of entry and arousal ramps
  float torporQ10 = 2.2f;
  float torporStartLag = 0.0f, torporEndLag = 0.0f;  // hours
  bool dayActive = true;             // diurnal
  float dawn = 6.0f, dusk = 18.0f;   // hours, when not from the location
  bool dawnDuskFromLocation = false; // per case from the sun table and the day channel
  bool replacementTb = true;
  float defaultTb = 37.0f;
  bool zeroIsMissing = true;         // 0.0 marks a missing value, else -9999
  bool sunAllowed = true;
  bool activeTimeMean = false;       // also the mean of the active phase
  float maxAverageDays = 1.0f;       // the longest running mean, days
  bool windUsed = false;
  bool shelteredWhenInactive = true; // wind 0.01 m/s in the inactive phase
  bool rejectMissingShade = true, rejectMissingSun = true, rejectMissingWind = true;
};

// Channels of the climate file, entries 1..nCases (entry 0 unused). `day` is read only with
// dawn and dusk from the location, `wind` only when wind is used.
struct TregChannels {
  std::span<const float> shade, sun, time, day, wind;
};

constexpr int kTimingErrorsListed = 100;

// What every animal run over the same climate shares: the channels, and for each case whether
// the rejection rules kept it and which stand-ins it takes (a byte a case), the day table of
// dawn and dusk, the timing errors. The channels must outlive it.
struct TregCases {
  enum : uint8_t { kKept = 1, kShadeFromSun = 2, kSunFromShade = 4, kStillAir = 8 };
  TregChannels ch;
  int32_t nCases = 0;
  double interval = 1.0;                // seconds
  std::unique_ptr<uint8_t[]> state;     // entries 0..nCases (0 unused)
  std::vector<SunCycleDay> days;        // with dawn and dusk from the location: the table
  int32_t rejected = 0;                 // by the missing-data rules
  int32_t outOfRange = 0;               // time outside 0..24 h, or day outside 1..366
  int32_t timingErrors = 0;
  std::vector<int32_t> timingErrorCases;  // the first 100
  float lastDawn = 0.0f, lastDusk = 0.0f; // of the last accepted case
};

TregCases tregPrepare(const TregChannels& ch, int32_t nCases, double interval, const TregSettings& s,
                      std::span<const SunCycleDay> sunTable = {});

struct TregResult {
  int32_t cases = 0, atBMR = 0, aboveBMR = 0, torporCases = 0, activeCases = 0;
  float highest = 0.0f;
  double sumAll = 0, sumAbove = 0, sumTorpor = 0, sumActive = 0;
  float mean = 0.0f;                    // of every accepted case; NaN when none
  float best6h = 0.0f, best12h = 0.0f, bestDay = 0.0f;  // 0 when no window qualified
  int32_t rejected = 0, outOfRange = 0, timingErrors = 0;
  std::vector<int32_t> timingErrorCases;
};

// Costs of one animal: `costs` (nCases + 1 entries) gets f at entries 1..nCases, 0 where
// a case was rejected or its cost was not above 0.
TregResult tregCompute(const TregCases& cases, const TregAnimal& a, const TregSettings& s, std::span<float> costs);

// Both steps for one animal.
TregResult tregRun(const TregChannels& ch, int32_t nCases, double interval, const TregAnimal& a,
                   const TregSettings& s, std::span<float> costs, std::span<const SunCycleDay> sunTable = {});

// The best running means (of the values above 0) over 6 h, 12 h and maxAverageDays of cases.
void tregRunningMeans(std::span<const float> costs, int32_t nCases, double interval, float maxAverageDays,
                      TregResult& r);

// The same, each window slid on its own one case at a time: the reference the one above
// matches bit for bit, and its path wherever the window sums would not be exact in double.
void tregRunningMeansPlain(std::span<const float> costs, int32_t nCases, double interval, float maxAverageDays,
                           TregResult& r);

}  // namespace qv
