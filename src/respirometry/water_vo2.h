#pragma once
// O2 consumption of aquatic animals from a dissolved-oxygen channel: the factor that turns a
// reading into a rate or an amount, and the passes of the open (flow-through) and the closed
// respirometer. No window and no file table here.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qv {

// The numbers of the oxygen-content box, as typed or computed.
struct WaterFields {
  float temperature = 20.0f;  // 104, degrees C
  float flowOrVolume = 0;     // 105, ml/min (open) or ml (closed)
  float pressure = 760.0f;    // 106, torr
  float gasO2 = 20.95f;       // 107, per cent
  float saturation = 100.0f;  // 109, per cent of full saturation of the water flowing in
  float perLitre = 0;         // 103, ml/L STP at that saturation
  float net = 0;              // 101, ml/min or ml STP at that saturation
};

struct WaterChoices {
  bool open = true;             // open (flow-through) or closed system
  bool flowFromChannel = false;
  bool negative = false;        // open: the deflection goes down from the baseline
  int16_t inputUnits = 1;       // 1 % saturation, 2 pO2 torr, 3 ppm, 4 mg/L
  int16_t outputUnits = 1;      // rates 1..9 or amounts 1..4
  int16_t kind = 3;             // closed: 1 content, 2 consumed, 3 rate
  bool absolute = false;        // open: the channel holds the level, not the deflection
  int16_t massUnit = 0;         // 0 none, 1 /mg, 2 /g, 3 /kg
  float mass = 0;               // g
  float flowcon = 0;            // J/ml per second, for the energy units
  float typedFlow = 0;          // ml/min
};

// F turns one unit of the reading into the chosen output; R is the level of the water flowing
// in, in the reading's units ("Absolute Value").
struct WaterFactor {
  float F = 0;
  float R = 0;
};

// Why the fields or choices cannot give a factor, or nothing when they can.
std::optional<std::string> waterFactorProblem(const WaterFields& w, const WaterChoices& c);

// The factor chain (a rate per minute or per hour in the open system; the closed system's
// rate factor still lacks its interval, see closedRateFactor).
WaterFactor waterFactor(const WaterFields& w, const WaterChoices& c);

// Saturated water's O2 partial pressure, torr: the gas phase's share of the dry pressure.
float saturatedWaterPO2(float celsius, float pressureTorr, float gasO2Percent);

// The closed system's rate per minute or hour from a content change per sample interval.
float closedRateFactor(int16_t outputUnits, float sampleInterval);

// Open system, cases 1..n (entry 0 is left as it is): out = r x d x F, d the reading or
// R - reading, r the flow sample over the typed flow (1 without a flow span). `out` may be
// the O2 span itself.
void waterOpenPass(std::span<const float> o2, std::span<const float> flow, float typedFlow, const WaterFactor& f,
                   bool absolute, std::span<float> out);

// Closed system, cases 1..n: the content (kind 1), what was used since case 1 (2), or the
// rate between neighbouring cases (3; case 1 takes the rate of the pair 1-2). F includes the
// rate factor for kind 3. `out` may be the O2 span itself.
void waterClosedPass(std::span<const float> o2, int16_t kind, float F, std::span<float> out);

// The result label: unit text, "VO2 in " for rates of the closed system's kind 3 and the
// open system, " used" for the amount consumed, the mass unit.
std::string waterResultLabel(const WaterChoices& c);

}  // namespace qv
