#include "output/stats_text.h"

#include <cmath>

#include "core/filetable.h"
#include "core/prefs.h"
#include "core/respirometry_settings.h"
#include "core/text_format.h"
#include "core/output_state.h"
#include "runtime/numtext.h"
#include "core/stats_state.h"

namespace qv {

namespace {

std::string numberText(double x) { return std::isfinite(x) ? rt::PSstr(x) : "**"; }

std::string twoDigits(int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

// Interval over the unit's seconds: the factor from a sum of samples to the total.
std::optional<double> unitFactor(double intervalSeconds, int16_t unit) {
  if (unitIsNone(unit)) return 1.0;
  if (!std::isfinite(intervalSeconds) || intervalSeconds <= 0.0) return std::nullopt;
  return intervalSeconds / unitSeconds(unit);
}

}  // namespace

double clockMinutes(double kase, double intervalSeconds, double startMinutes) {
  return kase * intervalSeconds / 60.0 + startMinutes;
}

std::string MakeTimeString(double minutes) {
  if (!std::isfinite(minutes)) return "**";
  double t = minutes;
  // A whole day stays 24:00:00; anything past it (or before midnight) wraps into the day.
  if (t > 1440.0 || t < 0.0) {
    t = std::fmod(t, 1440.0);
    if (t <= 0.0) t += 1440.0;
  }
  // Seconds are cut; the allowance keeps a time that is a whole second up to the rounding of
  // the case arithmetic from reading one second early.
  const int64_t seconds = int64_t(std::floor(t * 60.0 + 1e-6));
  const int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  return rt::PSstrLong(h) + ":" + twoDigits(m) + ":" + twoDigits(s) + "  ";
}

double unitSeconds(int16_t unit) {
  switch (unit) {
    case kUnitMinutes: return 60.0;
    case kUnitHours: return 3600.0;
    case kUnitDays: return 86400.0;
    case kUnitNone:
    case kUnitNoneArea: return 0.0;
    default: return 1.0;
  }
}

bool unitIsNone(int16_t unit) { return unit == kUnitNone || unit == kUnitNoneArea; }

std::string Duration::text() const {
  return std::isfinite(value) ? StringFormatter(float(value)) + unit : "**";
}

Duration elapsedDuration(int32_t n, double intervalSeconds, int16_t unit) {
  Duration d;
  const double seconds = double(n > 1 ? n - 1 : 0) * intervalSeconds;
  d.overTenMinutes = seconds > 600.0;
  switch (unit) {
    case kUnitMinutes: d.value = seconds / 60.0; d.unit = " min"; break;
    case kUnitHours: d.value = seconds / 3600.0; d.unit = " hours"; break;
    case kUnitDays: d.value = seconds / 86400.0; d.unit = " days"; break;
    default: d.value = seconds; d.unit = " sec"; break;
  }
  return d;
}

std::string IntegratedTotal::text() const { return valid ? numberText(total) : "**"; }

IntegratedTotal scaleIntegratedTotal(double unscaledTotal, int32_t n, const ResultScaling& scaling,
                                     double intervalSeconds, int16_t unit) {
  IntegratedTotal t;
  t.nPoints = n > 0 ? n : 0;
  const std::optional<double> k = unitFactor(intervalSeconds, unit);
  if (!k) {
    t.valid = false;
    return t;
  }
  t.total = scaling.factor * unscaledTotal + scaling.addend * double(t.nPoints) * *k;
  t.valid = std::isfinite(t.total);
  return t;
}

IntegratedTotal integratedTotal(double sumOfValues, int32_t n, const ResultScaling& scaling,
                                double intervalSeconds, int16_t unit) {
  const std::optional<double> k = unitFactor(intervalSeconds, unit);
  return scaleIntegratedTotal(k ? sumOfValues * *k : 0.0, n, scaling, intervalSeconds, unit);
}

std::optional<double> closedSystemRate(double mean, const ClosedSystem& gas) {
  const double m = mean * 0.01;
  double denominator;
  if (gas.gasType == 1)
    denominator = gas.absorbCO2upstream ? 1.0 - (double(gas.FiO2) * 0.01 - m)
                                        : 1.0 - (double(gas.RQ) - 1.0) * m;
  else if (gas.RQ != 0.0f)
    denominator = 1.0 - (1.0 - 1.0 / double(gas.RQ)) * m;
  else
    return std::nullopt;
  const double q = double(gas.STPfactor) * m / denominator;
  if (denominator == 0.0 || !std::isfinite(q)) return std::nullopt;
  return q;
}

StatsText composeStatsText(const StatsTextInput& in) {
  StatsText out;
  const ResultScaling& s = in.scaling;

  if (in.analysisCode >= 1 || in.firstCase != 0.0f) {
    const double interval = in.intervalSeconds;
    out.clockLine = "       from" +
                    MakeTimeString(clockMinutes(in.firstCase, interval, in.startMinutes)) + "to" +
                    MakeTimeString(clockMinutes(in.lastCase, interval, in.startMinutes));
  }

  const bool timed = in.row != 6 && in.analysisCode >= 0;
  out.n = std::to_string(in.n > 0 ? in.n : 0);
  if (timed) out.duration = elapsedDuration(in.n, in.intervalSeconds, in.unit).text();

  if (in.n < 1) {
    out.noValidCases = true;
    out.mean = "no valid cases";
    return out;
  }

  if (in.closedSystem) {
    const std::optional<double> q = closedSystemRate(in.mean, *in.closedSystem);
    out.mean = q ? numberText(s.level(*q)) + " ml/min" : "**";
  } else {
    out.mean = numberText(s.level(in.mean));
  }

  if (in.n >= 3) {
    const double sd = s.spread(in.sd);
    const double level = s.level(in.mean);
    out.sd = numberText(sd);
    const double cv = std::fabs(100.0 * sd / level);
    out.cv = level != 0.0 && std::isfinite(cv) ? StringFormatter(float(cv)) + " %" : "**";
    out.se = numberText(sd / std::sqrt(double(in.n)));
  }

  out.range = numberText(s.level(in.min)) + "  to " + numberText(s.level(in.max));

  if (in.withIntegratedTotal && !in.closedSystem) {
    const IntegratedTotal t =
        integratedTotal(in.mean * double(in.n), in.n, s, in.intervalSeconds, in.unit);
    out.integratedTotal = t.text();
    out.nPoints = t.nPoints;
  }
  return out;
}

StatsTextInput publishedStatsTextInput(int slot, int channel) {
  StatsTextInput in;
  in.n = nrPoints;
  in.mean = meanValue;
  in.sd = StandardDeviation;
  in.min = mi;
  in.max = ma;
  in.firstCase = x1float;
  in.lastCase = SecondXvalue;
  if (slot >= 0 && slot < kSlots) {
    in.intervalSeconds = FileInfoFLOATS[slot][1];
    in.startMinutes = FileInfoFLOATS[slot][8];
  }
  in.analysisCode = AnalysisCode;
  in.row = row;
  in.unit = IntegrationUnit;
  in.scaling = scalingFor(channel);
  if (DoConstantVolume) {
    ClosedSystem gas;
    gas.gasType = GasType;
    gas.absorbCO2upstream = AbsorbCO2upstream != 0;
    gas.FiO2 = FiO2;
    gas.RQ = RQ;
    gas.STPfactor = STPfactor[0];
    in.closedSystem = gas;
  }
  return in;
}

}  // namespace qv
