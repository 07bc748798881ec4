#include "core/prefs.h"

namespace qv {

int16_t prefsArray[91];
int16_t WindowTitleFont = 0;
int16_t WindowFont = 8;
int16_t ToolBarBackground = 14;

float FiO2 = 20.95f, FiCO2 = 0.038f, RQ = 0.85f;
int16_t OpenAsk = 1;
int16_t AvoidInterpolation = 0, AutoSS = 0, DoSMOOTH = 0, SEP = 0;
int16_t tabTime = 0, deltatime = 0, tabmass = 0, tabStart = 0, tabChan = 0, tabMode = 1;
int16_t MultiHist = 1, DumpHist = 1;
int16_t TimeGridLimit = 1;
float SteppedSampleInterval = 60.0f, SteppedSampleSkip = 180.0f;
int16_t LastBaselineMarker = 83, LastBaselineShift = 0;
int16_t CalculationsCanUseTorpor = 1, variableTb = 1, ZeroEqualsMissingTemperatures = 1, replacementTb = 1,
        dayActive = 1, ActiveTimeCostsOnly = 0, BMRinWatts = 0;
float DaytimeStart = 6.0f, DaytimeEnd = 18.0f, TorporQ10 = 2.2f, TorporEntryTime = 2.0f, MinimumTorporTb = 12.0f;

}  // namespace qv
