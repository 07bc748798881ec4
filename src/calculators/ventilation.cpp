#include "calculators/ventilation.h"

#include <cmath>

#include "core/unit_constants.h"
#include "respirometry/water_vapour.h"

namespace qv {

float BodyTemperature = 0, vTa = 0, vBP = 0, deltaP = 0, vRH = 0, calVol = 0, calGain = 0, calDef = 0,
      sampGain = 0, sampDef = 0;

namespace {

bool finite(float v) { return std::isfinite(v); }

std::string whyNoVt(const VentilationInputs& in, const VentilationResults& r) {
  if (in.sampGain == 0.0f || in.calDef == 0.0f) return "• no Vt: the sample gain and the calibration volts must not be 0";
  if (!finite(r.Pt) || r.Pt == 0.0f) return "• no Vt: the total pressure (pressure + delta-P) is 0";
  if (finite(r.kP) && finite(r.kT) && r.kP * r.kT == 1.0f)
    return "• no Vt: the air is not warmed or wetted in the animal (kP × kT = 1)";
  return "• no Vt: an input gives no finite result";
}

}  // namespace

VentilationResults VENTCALC(const VentilationInputs& in) {
  VentilationResults r;
  r.kT = (in.bodyT + 273.0f) / (in.airT + 273.0f);
  r.rhoBody = saturationVapourDensity(in.bodyT);
  r.rhoAir = saturationVapourDensity(in.rhT);
  r.w = r.rhoBody - r.rhoAir * in.rh / 100.0f;
  r.Pt = in.deltaP * float(units::kMmH2OPa / units::kTorrPa) + in.pressure;
  r.kP = (r.w * 760.0f + r.Pt) / r.Pt;
  r.Vt = (in.sampDef * in.calGain * in.calVol) / (in.sampGain * in.calDef) / (r.kP * r.kT - 1.0f);
  r.Vmin = in.frequency * 60.0f * r.Vt;
  r.EO2 = in.vo2 * 100.0f / (in.fio2 * r.Vmin * 0.01f);
  r.VtShown = finite(r.Pt) && r.Pt != 0.0f && finite(r.kP) && finite(r.kT) && finite(r.Vt);
  r.VminShown = r.VtShown && finite(r.Vmin);
  r.EO2Shown = r.VminShown && finite(r.EO2);
  if (!r.VtShown) r.note = whyNoVt(in, r);
  else if (!r.VminShown) r.note = "• no Vmin: the frequency gives no finite minute volume";
  else if (!r.EO2Shown) r.note = "• no EO₂: the minute volume or the inhaled O₂ is 0";
  return r;
}

}  // namespace qv
