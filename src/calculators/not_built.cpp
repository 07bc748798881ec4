// Calculators that this build does not have yet.
#include "calculators/commands.h"
#include "core/stub_log.h"

namespace qv {

void SimpleRegression() { notBuilt(callText("SimpleRegression"), "Simple Regression"); }
void STPflowAdjust() { notBuilt(callText("STPflowAdjust"), "STP Adjustment"); }
void ALTITUDE() { notBuilt(callText("ALTITUDE"), "Altitude & Pressure"); }
void AltitudeSimulation() { notBuilt(callText("AltitudeSimulation"), "Altitude Simulation"); }
void PO2CALC() { notBuilt(callText("PO2CALC"), "pO\u2082 & pH\u2082O Estimates"); }
void DissolvedO2CALC() { notBuilt(callText("DissolvedO2CALC"), "Dissolved Oxygen"); }
void METABOLISM(int16_t mode) {
  notBuilt(callText("METABOLISM", mode), mode ? "Minimum Flowrates" : "Metabolic Allometry");
}
void ChamberWashout() { notBuilt(callText("ChamberWashout"), "Chamber Washout"); }
void Q10adjust() { notBuilt(callText("Q10adjust"), "Q10 Adjustment"); }
void ClosedSystemRespirometry() { notBuilt(callText("ClosedSystemRespirometry"), "Closed System Respirometry"); }
void DayOfTheYear() { notBuilt(callText("DayOfTheYear"), "Day of the Year"); }
void Sunrise() { notBuilt(callText("Sunrise"), "Sunrise, Sunset"); }

}  // namespace qv
