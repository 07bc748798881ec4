#pragma once
// A flow meter's reading as a flow at standard temperature and pressure: from an indicated
// flow rate or a volume collected over a time, the barometric pressure, the meter's internal
// pressure in one of four units, the meter's temperature and the one it is calibrated for.
#include <cstdint>

namespace qv {

// The internal-pressure units by the id of their radio button.
enum StpPressureUnit : int16_t { kStpTorr = 3, kStpPsi = 4, kStpKPa = 5, kStpMmH2O = 6 };

struct StpInputs {
  float indicated = 100.0f;    // ml/min
  float volume = 1000.0f;      // ml collected ...
  float seconds = 60.0f;       // ... over this time
  float pressure = 760.0f;     // barometric, torr
  float internal = 0.0f;       // meter internal pressure, in `unit`
  float meterT = 0.0f;         // degrees C
  float calibratedT = 0.0f;    // degrees C
  int16_t unit = kStpTorr;
  bool cumulative = false;     // the flow is volume / time
  bool litres = false;         // SLPM rather than SCCM
};

// Torr in one of the internal-pressure units.
double stpTorrPerUnit(int16_t unit);

// The STP flow in ml/min (l/min with `litres`); not finite when the inputs give none (an
// elapsed time of 0, a meter at -273 degrees).
float STPcalc(const StpInputs& in);

}  // namespace qv
