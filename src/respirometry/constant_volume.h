#pragma once
// Closed-chamber respirometry: the chamber's dry volume at STP per minute of elapsed time,
// by which the interval scans turn a change of gas fraction into a rate.
#include <optional>
#include <string>

namespace qv {

// The elapsed time (min) of the closed-chamber window; a value <= 0 opens as 1.
extern float Tminutes;

struct ChamberDescription {
  float volume = 0.0f;       // ml
  float minutes = 1.0f;      // elapsed time
  float pressure = 760.0f;   // torr
  float celsius = 20.0f;     // chamber temperature
  float humidity = 0.0f;     // initial relative humidity, %
};

// Why a description cannot give a factor (the field's words), or nothing when it can.
std::optional<std::string> chamberProblem(const ChamberDescription& c);

// The chamber volume less the water vapour of its air at the initial humidity: the vapour's
// share of the pressure is h % of the saturation pressure at the chamber temperature.
double dryChamberVolume(const ChamberDescription& c);

// The dry volume at 0 degrees and 760 torr per minute of elapsed time (ml/min).
float stpFactor(const ChamberDescription& c);

}  // namespace qv
