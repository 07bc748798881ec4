#pragma once
// Tidal volume, minute volume and oxygen extraction from open-flow (barometric) plethysmography:
// a calibration injection of known volume and the pressure deflection of a breath, corrected
// for the warming and humidification of the inhaled air inside the animal.
#include <string>

namespace qv {

// The typed inputs, kept between openings of the window (0 at start-up). FiO2 is the
// respirometry setting of the same name.
extern float BodyTemperature, vTa, vBP, deltaP, vRH, calVol, calGain, calDef, sampGain, sampDef;

struct VentilationInputs {
  float vo2 = 1.0f;          // ml/min STP
  float fio2 = 20.95f;       // inhaled O2, per cent
  float bodyT = 37.0f;       // degrees C
  float airT = 0.0f;         // degrees C
  float pressure = 760.0f;   // barometric, torr
  float deltaP = 0.0f;       // chamber pressure above ambient, mm H2O
  float rh = 0.0f;           // relative humidity of the air, per cent
  float rhT = 20.0f;         // temperature at which the RH was measured, degrees C
  float calVol = 0.0f, calGain = 0.0f, calDef = 0.0f;
  float sampGain = 0.0f, sampDef = 0.0f;
  float frequency = 1.0f;    // breaths per second
};

struct VentilationResults {
  float kT = 0, rhoBody = 0, rhoAir = 0, w = 0, Pt = 0, kP = 0;
  float Vt = 0, Vmin = 0, EO2 = 0;
  // Each result is shown only when it and everything it comes from are finite numbers.
  bool VtShown = false, VminShown = false, EO2Shown = false;
  std::string note;  // why a result is not shown; empty when all are
};

// kP follows the model (w x 760 + Pt) / Pt, which adds the density of the water taken up (mg/ml)
// scaled as if it were a pressure, not its vapour pressure; the results keep that model.
VentilationResults VENTCALC(const VentilationInputs& in);

}  // namespace qv
