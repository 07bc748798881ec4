#include "calculators/rate_rules.h"

#include <cmath>

namespace qv {

float washoutLog(int percent) {
  switch (percent) {
    case 33: return -0.40546509f;
    case 50: return -0.69314700f;
    case 67: return -1.09861231f;
    case 75: return -1.38629401f;
    case 90: return -2.30258489f;
    case 95: return -2.99573207f;
    default: return -4.60516977f;
  }
}

double washoutMinutes(float volumeMl, float flowMlMin, int percent) {
  return std::fabs(double(volumeMl) / double(flowMlMin) * double(washoutLog(percent)));
}

double q10Adjusted(double v1, double t1, double t2, double q10) { return v1 * std::pow(q10, (t2 - t1) * 0.1); }

double q10Of(double v1, double v2, double t1, double t2) { return std::pow(v2 / v1, 10.0 / (t2 - t1)); }

}  // namespace qv
