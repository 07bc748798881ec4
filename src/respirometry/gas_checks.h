#pragma once
// What a gas-exchange run must hold before it touches a sample: channels of the file, known
// modes and units, and values that keep every divisor finite and non-zero.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

struct GasRunChoice {
  int nChannels = 0;
  int16_t gasType = 1;
  int16_t gasChannel = 0;       // word [22]
  int16_t flowChannel = 0;      // word [5]; 0 typed flow
  int16_t useVCO2 = 0;          // word [23]
  int16_t companionChannel = 0; // word [24]
  int16_t flowMode = 1;         // word [9]
  int16_t unit = 1;             // word [4]
  int16_t humidityUnits = 0;    // word [7]
  int16_t waterChannel = 0;     // word [13]; 0 and 123 the constant RH
  int16_t temperatureChannel = 0;  // word [10]
  int16_t ewlCompensation = 0, ewlO2Channel = 0, ewlCO2Channel = 0;
  bool instantaneous = false;   // word [8]
  float O = 0.2095f, C = 0.00038f;  // words [17], [18]
  float RQ = 0.85f;             // word [15]
  float realBP = 760.0f;        // word [16]
  float typedFlow = 100.0f, mass = 0.0f, filePressure = 760.0f, flowTemperature = 0.0f;
  float effectiveVolume = 1000.0f, sampleInterval = 1.0f;
};

struct GasRunProblem {
  int word = 0;  // the step word at fault, 0 for a value of the file
  std::string text;
};

std::optional<GasRunProblem> gasRunProblem(const GasRunChoice& c);

}  // namespace qv
