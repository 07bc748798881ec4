#pragma once
// Preference switches and the settings the preferences file keeps.
#include <cstdint>

namespace qv {

// Words 1 to 90 (entry 0 unused).
extern int16_t prefsArray[91];

// Fonts of window titles (0 "Lucida Grande", 1 "Century", 2 "Copperplate", 3 the interface font)
// and of windows; tool-bar background code (1 plain, 14 blue-grey, 20 black).
extern int16_t WindowTitleFont;
extern int16_t WindowFont;
extern int16_t ToolBarBackground;

// Incurrent O2 and CO2 (per cent) and the respiratory quotient.
extern float FiO2, FiCO2, RQ;
// 1: the Open button asks for the file type first.
extern int16_t OpenAsk;
// Analyses skip samples flagged as interpolated; autorepeat after smoothing and de-spiking;
// gas exchange smooths first; gas exchange shows its conversion equation.
extern int16_t AvoidInterpolation, AutoSS, DoSMOOTH, SEP;
// Spreadsheet output columns.
extern int16_t tabTime, deltatime, tabmass, tabStart, tabChan, tabMode;
// Histograms: one plot per channel; close analysis plots when done.
extern int16_t MultiHist, DumpHist;
// Time grids only where there are more than 10 pixels per grid line.
extern int16_t TimeGridLimit;
extern float SteppedSampleInterval, SteppedSampleSkip;
extern int16_t LastBaselineMarker, LastBaselineShift;
// Thermoregulation settings kept in the record.
extern int16_t CalculationsCanUseTorpor, variableTb, ZeroEqualsMissingTemperatures, replacementTb, dayActive,
    ActiveTimeCostsOnly, BMRinWatts;
extern float DaytimeStart, DaytimeEnd, TorporQ10, TorporEntryTime, MinimumTorporTb;

}  // namespace qv
