#include "calculators/closed_system.h"

#include "respirometry/water_vapour.h"

namespace qv {

namespace {

constexpr double kTorrPerHPa = 0.750062;
// This tool's own absolute-temperature offset.
constexpr double kKelvinOffset = 273.3;

}  // namespace

ClosedSystemResults ClosedSystemRespCalc(const ClosedSystemInputs& in, bool absorbed, bool useRQ) {
  ClosedSystemResults r;
  const double fio2 = double(in.fio2) * 0.01, fico2 = double(in.fico2) * 0.01;
  const float minutes = in.hours * 60.0f + in.minutes;
  // The water vapour's share of the initial volume: its pressure over the chamber's.
  const double vapourFraction =
      double(in.humidity) * 0.01 * goffGratchPressure(in.temperature) * kTorrPerHPa / double(in.pressure);
  r.vstp = float(double(in.volume) * (1.0 - vapourFraction) * kKelvinOffset / (double(in.temperature) + kKelvinOffset) *
                 double(in.pressure) / 760.0);
  const double vstp = r.vstp, dO2 = in.dO2, dCO2 = in.dCO2, rq = in.rq;
  if (in.dO2 > 0.0f) {
    const float feo2 = float(fio2 - dO2 * 0.01);
    if (absorbed) r.vo2 = float(dO2 * vstp * 0.01 / (1.0 - feo2));
    else if (useRQ) r.vo2 = float(dO2 * vstp * 0.01 / (1.0 - (1.0 - rq) * feo2));
    else r.vo2 = float(vstp * 0.01 * (dO2 - feo2 * dCO2) / (1.0 - feo2));
  }
  if (in.dCO2 > 0.0f) {
    const float feco2 = float(fico2 + dCO2 * 0.01);
    if (in.dO2 > 0.0f) r.vco2 = float((vstp * 0.01 * dCO2 - feco2 * double(r.vo2)) / (1.0 - feco2));
    else r.vco2 = float(vstp * 0.01 * dCO2 / (1.0 - (1.0 - 1.0 / rq) * feco2));
  }
  r.vo2Rate = r.vo2 / minutes;
  r.vco2Rate = r.vco2 / minutes;
  return r;
}

}  // namespace qv
