#pragma once
// Transformation and expression tools that the command dispatcher and the main loop start.
#include <cstdint>

namespace qv {

void TRANSFORMATIONS(int16_t fromScript);
// Mode 0 the manager (Edit menu), 1 the selection list; the record chosen, or 0.
int16_t GetCustomTransformation(int16_t mode);
// Mode 1 the expression transform of a channel, mode 0 the expression calculator.
void ExpressionEvaluator(int16_t mode);

// Degree of the polynomial transforms and fits.
extern int16_t PolyDegree;

}  // namespace qv
