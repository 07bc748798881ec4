#include "core/fit_state.h"

#include <cmath>
#include <numbers>

#include "core/line_values.h"

namespace qv {

LineFit LastFit;
int16_t LastFitCode = 0;
float rsquared = 0.0f;
double sumx2 = 0.0, sumy2 = 0.0, sumxy = 0.0;
float probability = 1.0f;
float slope = 0.0f;
float SlopeZeroProb = 1.0f, SlopeTestProb = 1.0f, Pslope = 0.0f;
float avalx = 0.0f;
int16_t TimeUnits = 0;
int16_t UseLogY = 0;
int16_t RegressionXChannel = 0, RegressionYChannel = 0;
float minx1 = 9.0e30f, maxx1 = -9.0e30f;
std::vector<float> RegressionX;

double twoSidedStudentP(double t, int32_t df) {
  if (df < 1 || std::isnan(t)) return NAN;
  if (std::isinf(t)) return 0.0;
  if (df % 2 == 0) {
    const double theta = df / (t * t + df);
    double sum = 1.0, term = 1.0;
    for (int32_t i = 2; i <= df - 2; i += 2) {
      term *= double(i - 1) / i * theta;
      sum += term;
    }
    return 1.0 - std::sqrt(1.0 - theta) * sum;
  }
  const double theta = std::atan(std::fabs(t) / std::sqrt(double(df)));
  const double c = std::cos(theta);
  double sum = 0.0;
  if (df > 1) {
    double term = c;
    sum = term;
    for (int32_t j = 3; j <= df - 2; j += 2) {
      term *= double(j - 1) / j * c * c;
      sum += term;
    }
  }
  return 1.0 - 2.0 / std::numbers::pi * (theta + std::sin(theta) * sum);
}

float testSlope(const LineFit& fit, float slope) {
  if (fit.n < 3 || !(fit.Sxx > 0.0) || std::isnan(fit.b)) return kNotComputed;
  const double q = float(fit.Sxy * fit.Sxy / fit.Sxx);
  const double s2 = (fit.Syy - q) / double(fit.n - 2) / fit.Sxx;
  if (!(s2 > 0.0) || !std::isfinite(s2)) return kNotComputed;
  const double t = double(fit.b - slope) / std::sqrt(s2);
  float p = float(twoSidedStudentP(t, fit.n - 2));
  if (std::isnan(p)) return kNotComputed;
  return p < 0.00001f ? 0.00001f : p;
}

void publishFit(const LineFit& fit, int16_t code) {
  LastFit = fit;
  LastFitCode = code;
  ValueOfA = fit.a;
  ValueOfB = fit.b;
  rsquared = fit.r2;
  avalx = fit.aAtZero;
  sumx2 = fit.Sxx;
  sumy2 = fit.Syy;
  sumxy = fit.Sxy;
}

void TestSlope() { probability = testSlope(LastFit, slope); }

}  // namespace qv
