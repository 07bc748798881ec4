#include "fitting/fit_state.h"

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
