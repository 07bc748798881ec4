#pragma once
// Two rules of rates: the washout of a well-mixed chamber and the Q10 temperature rule.
namespace qv {

// ln of the fraction left after washing out `percent` (33, 50, 67, 75, 90, 95; anything else
// is taken as 99).
float washoutLog(int percent);
// Minutes for a chamber of `volumeMl` at `flowMlMin` to wash out `percent`.
double washoutMinutes(float volumeMl, float flowMlMin, int percent);

// The value at t2 of `v1` measured at t1 by the Q10 rule.
double q10Adjusted(double v1, double t1, double t2, double q10);
// The Q10 of a change from v1 at t1 to v2 at t2.
double q10Of(double v1, double v2, double t1, double t2);

}  // namespace qv
