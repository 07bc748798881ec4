#pragma once
// Oxygen consumed and carbon dioxide produced by an animal sealed in a chamber, from the change
// of the (dried) chamber gas over an elapsed time.
namespace qv {

struct ClosedSystemInputs {
  float volume = 1000.0f;      // ml
  float temperature = 20.0f;   // degrees C
  float pressure = 760.0f;     // torr
  float humidity = 0.0f;       // initial relative humidity, per cent
  float hours = 1.0f, minutes = 22.0f;
  float fio2 = 20.95f, fico2 = 0.038f;   // initial concentrations, per cent
  float dO2 = 0.5f;            // drop of O2, per cent
  float dCO2 = 0.5f;           // rise of CO2, per cent
  float rq = 0.85f;
};

struct ClosedSystemResults {
  float vstp = 0;              // dry chamber gas at STP, ml
  float vo2 = 0, vo2Rate = 0;  // ml and ml/min
  float vco2 = 0, vco2Rate = 0;
};

// CO2 absorbed from the chamber; else the RQ or the measured rise of CO2 corrects the O2 drop.
ClosedSystemResults ClosedSystemRespCalc(const ClosedSystemInputs& in, bool absorbed, bool useRQ);

}  // namespace qv
