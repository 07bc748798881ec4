#include "calculators/stp_flow.h"

#include "core/unit_constants.h"

namespace qv {

double stpTorrPerUnit(int16_t unit) {
  switch (unit) {
    case kStpPsi: return units::kPsiPa / units::kTorrPa;
    case kStpKPa: return 1000.0 / units::kTorrPa;
    case kStpMmH2O: return units::kMmH2OPa / units::kTorrPa;
    default: return 1.0;
  }
}

float STPcalc(const StpInputs& in) {
  const float flow = in.cumulative ? in.volume * 60.0f / in.seconds : in.indicated;
  const float internalTorr = float(in.internal * stpTorrPerUnit(in.unit));
  // The meter's own absolute-temperature constant is 273 on both sides.
  float stp = (in.pressure + internalTorr) * flow / 760.0f * (in.calibratedT + 273.0f) / (in.meterT + 273.0f);
  if (in.litres) stp *= 0.001f;
  return stp;
}

}  // namespace qv
