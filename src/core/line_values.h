#pragma once
// The intercept and slope of the last straight line fitted, which the baseline methods take
// as their line, and the parameters a and b of a transform: one pair for the whole program.

namespace qv {

extern float ValueOfA;
extern float ValueOfB;

}  // namespace qv
