#pragma once
// What the Simple Regression calculator keeps between its openings for the program's run:
// the typed table, the model and the last fit. Its own, apart from the statistics' and the
// curve fits' results, so that a calibration line never becomes another tool's last fit.
#include <array>
#include <optional>
#include <vector>

#include "calculators/regression.h"

namespace qv {

constexpr int kRegressionRows = 20;

struct RegressionSession {
  // Rows 1..20; an empty field stays empty (a typed 0 is a value).
  struct Row {
    std::optional<double> x, y;
  };
  std::array<Row, kRegressionRows + 1> rows{};
  RegressionModel model = RegressionModel::Line;
  RegressionFit fit;
  std::vector<RegressionPoint> points;  // the points of the last fit
};

RegressionSession& regressionSession();

}  // namespace qv
