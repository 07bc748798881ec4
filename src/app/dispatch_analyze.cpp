// The Analyze menu with its submenus Time Series and Analysis Utilities.
#include "app/dispatch_internal.h"
#include "core/sounds.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "fitting/commands.h"
#include "output/commands.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "rhythm/commands.h"
#include "stats/commands.h"

namespace qv::dispatch {

bool analyzeMenu(uint16_t item) {
  switch (item) {
    case 1:
      AnalysisCode = 12;
      AVERAGE();
      break;
    case 2: Minimum_Maximum_Level(13); break;
    case 3: Minimum_Maximum_Level(14); break;
    case 4: Minimum_Maximum_Level(19); break;
    case 5: Minimum_Maximum_Level(22); break;
    case 6: GETAREA(); break;
    case 8: RUNAVERAGE(); break;
    case 9: PairsDIFFERENCE(); break;
    case 11: WAVEFORM(); break;
    case 13: FFT(); break;
    case 15: TIMESLOPE(); break;
    case 16: REGRESSION(); break;
    case 17: ASYMPTOTE(); break;
    case 18: FITPOLYNOMIAL(); break;
    case 20: TIMEINTEGRATE(0); break;
    case 21: TIMEINTEGRATE(1); break;
    case 22: TIMEINTEGRATE(2); break;
    case 24: SelectSubset(); break;
    case 27: ShiftBlockLeft(); break;
    case 28: ShiftBlockRight(); break;
    case 29: ShiftBlockRules(); break;
    default: break;
  }
  return false;
}

bool timeSeriesMenu(uint16_t item) {
  if (item == 1) TIMESERIES();
  else if (item == 2) AUTOCORRELATE();
  return false;
}

bool analysisUtilitiesMenu(uint16_t item) {
  switch (item) {
    case 1:
      prefsArray[14] = prefsArray[14] ? 0 : 1;
      FBMenu(kAnalysisUtilitiesMenu, 1, prefsArray[14] ? 2 : 1);
      playIfSoundsOn(prefsArray[14] ? "bub3.mp3" : "downvip.mp3");
      break;
    case 2: AUTOBLOCK(); break;
    case 3: SCALERESULTS(0); break;
    case 4:
      AvoidInterpolation = AvoidInterpolation ? 0 : 1;
      FBMenu(kAnalysisUtilitiesMenu, 4, AvoidInterpolation ? 2 : 1);
      playIfSoundsOn(AvoidInterpolation ? "upvip.mp3" : "downvip.mp3");
      break;
    default: break;
  }
  return false;
}

}  // namespace qv::dispatch
