#pragma once
// The plot window of the Simple Regression calculator: the points, the fitted line or curve
// and the equation with its r-squared.
#include <cstdint>
#include <span>
#include <string>

#include "calculators/regression.h"

namespace qv {

constexpr int16_t kRegressionPlotWindow = 2001;

// Opens the plot window (or clears the one there) and draws the points and the fit.
void drawRegressionPlot(std::span<const RegressionPoint> points, const RegressionFit& fit);

// The fit's equation as the plot and the fields show it ("**" for a number it has not).
std::string regressionEquationText(const RegressionFit& fit);

}  // namespace qv
