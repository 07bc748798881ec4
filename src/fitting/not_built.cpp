// Fitting entry points that this build does not have yet.
#include "core/stub_log.h"
#include "fitting/commands.h"

namespace qv {

void ASYMPTOTE() { notBuilt(callText("ASYMPTOTE"), "Find Asymptote"); }
void FITPOLYNOMIAL() { notBuilt(callText("FITPOLYNOMIAL"), "Fit Polynomial"); }
void RegressionRESIDS(int32_t n, int16_t from) { notBuilt(callText("RegressionRESIDS", n, from), "Residuals"); }
void PredictRegressionValues(int16_t mode) {
  notBuilt(callText("PredictRegressionValues", mode), "Predict Values");
}

}  // namespace qv
