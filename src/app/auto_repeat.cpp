// The last block analysis run again on a new block.
#include "app/shell_hooks.h"

#include "core/output_state.h"
#include "fitting/commands.h"
#include "plot/menu_rules.h"
#include "plot/plot.h"
#include "rhythm/commands.h"
#include "stats/commands.h"

namespace qv {

void RepeatLastAnalysis() {
  SETMENU(1);
  switch (AnalysisCode) {
    case kCodeDescriptiveStats: AVERAGE(); break;
    case kCodeMeanMinimum:
    case kCodeMeanMaximum:
    case kCodeMostLevel:
    case kCodeMostVariable: Minimum_Maximum_Level(AnalysisCode); break;
    case kCodeWaveform: WAVEFORM(); break;
    case kCodeSlopeVsTime: TIMESLOPE(); break;
    case kCodeRegression: REGRESSION(); break;
    case kCodeTimeSeries: TIMESERIES(); break;
    case kCodeTimeIntegration: TIMEINTEGRATE(0); break;
    case kCodeEventCounter: TIMEINTEGRATE(1); break;
    case kCodeAsymptote: ASYMPTOTE(); break;
    case kCodePolynomial:
    case kCodePolynomialReplay: FITPOLYNOMIAL(); break;
    case kCodeSelectiveIntegration: TIMEINTEGRATE(2); break;
    case kCodeAreaIntegration: GETAREA(); break;
    default: break;
  }
}

}  // namespace qv
