#pragma once
// What the last straight-line fit leaves for the windows that read it after the fit's own
// window has closed (residuals, predictions, the report writer, the periodicity test).
#include <cstdint>
#include <limits>
#include <vector>

#include "core/line_values.h"

namespace qv {

// The record of a straight-line fit; NaN for what could not be computed.
inline constexpr float kNotComputed = std::numeric_limits<float>::quiet_NaN();

struct LineFit {
  int32_t n = 0;                      // cases used
  double meanX = 0.0, meanY = 0.0;
  double Sxx = 0.0, Syy = 0.0, Sxy = 0.0;  // centred sums
  float a = kNotComputed;             // intercept (time fit: the fitted value at the block's first case)
  float aAtZero = kNotComputed;       // time fit: the intercept at elapsed time 0
  float b = kNotComputed;             // slope
  float r2 = kNotComputed;
  // Where it came from, for the residuals and predictions read after the fit.
  bool againstTime = false;  // the slope against elapsed time (else one channel on another)
  int16_t model = 0;         // 0 linear, 1 log Y, 2 log X, 3 log-log
  int32_t begin = 0, end = 0;
  float dt = 1.0f;           // time fit: elapsed time of one case
};

// Two-sided P of Student's t with df degrees of freedom (df >= 1), exact for every df.
double twoSidedStudentP(double t, int32_t df);

// The probability that the fit's slope equals `slope` (two-sided, floor 0.00001); NaN when
// it cannot be computed (fewer than 3 cases, Sxx = 0, a variance that is not positive).
float testSlope(const LineFit& fit, float slope);

// The last fit as it was computed (ValueOfA and ValueOfB in core/line_values.h are its a and
// b, which other tools overwrite).
extern LineFit LastFit;
// Which fit it was: 16 slope against time, 17 regression between channels.
extern int16_t LastFitCode;

extern float rsquared;
extern double sumx2, sumy2, sumxy;
extern float probability;   // the last slope test
extern float slope;         // the slope tested against
extern float SlopeZeroProb, SlopeTestProb, Pslope;
extern float avalx;         // intercept at elapsed time 0
extern int16_t TimeUnits;   // 0 seconds, 1 minutes, 2 hours, 3 days
// The model: 0 linear, 1 log Y, 2 log X, 3 log-log (the time fit knows 0 and 1).
extern int16_t UseLogY;
// The regression's X and Y channels.
extern int16_t RegressionXChannel, RegressionYChannel;
// Range of the raw X values of the regression block.
extern float minx1, maxx1;

// The regression's X values (log-transformed for the log-X models), index = case number:
// kept here rather than in the undo row so that an Undo still restores the user's edit.
extern std::vector<float> RegressionX;

// Publishes a fit: LastFit, ValueOfA/ValueOfB, rsquared and the sums.
void publishFit(const LineFit& fit, int16_t code);

// `TestSlope`: the slope test of the last fit against `slope`, into `probability`.
void TestSlope();


// "Time Units" (window 7): sets TimeUnits. Mode 0 (the slope window, below the plot) also
// offers "Use log(Y) " when the block's smallest value is not negative; mode 1 (other
// callers, over the plot) has no log box.
void TIMECHOICE(int16_t mode, float blockMinimum = -std::numeric_limits<float>::infinity());

}  // namespace qv
