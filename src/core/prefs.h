#pragma once
// The user's settings: the switch table prefsArray and the named settings the preferences
// file keeps, each with its default. The colours the file keeps are in colors.h, the
// edit-field background code EFBackColor in kit.h.
#include <cstdint>

namespace qv {

// Words 1 to 90 (entry 0 unused), signed: word 79 holds -99. Switches are 0 off, non-zero on.
//  2 comments strip shown; 3 smoothing default (0 "3 Samples, 1 Cycle", 1 "Last Values Used")
//  4, 5, 6 gas exchange: lag correction first, baseline correction first, into a new channel
//  7 sound level: 0 off, 25 normal, 50 strange (26 and more pick the strange variants)
//  8 last baseline-correction mode; 9 multi-channel strips numbered; 10 markers shown
// 11 grid lines; 12 screen segments; 13 zero lines; 14 autorepeat; 15 dashed overlay traces
// 16 warn before closing a changed file; 17 aquatic O2 option; 18 deflections positive-going
// 19 time segments; 20 block instructions; 21 time scale on plots; 22 block cursor drawing
// 23 multi-channel display option; 24 area integration plot; 25 overlay on
// 26, 27 export only values passing a test, and its kind; 28 point and block cursor option
// 29 sounds at block selection; 30 tool bar locked to plot windows
// 31 embossed window labels; 32 'aqua' window labels
// 33 tool-bar position: 0 left, 1 bottom, 2 top; 34 note buttons on top (1) or bottom (0)
// 35 transformation flag read by reference removal; 36 automatic block width
// 37 waveform triggers shown; 38 gas exchange "(instantaneous)"; 39 block-shift rule
// 40, 41 spreadsheet "Date" and "Hour" columns; 43 interactive spike removal conserves variation
// 44 "Record Edits" in the comments; 45 plot label text size (10 or 12)
// 46 filter newly loaded files for spikes; 47 compaction shows the S.D.; 48 quiet script runs
// 49 large label text on plots; 50 spreadsheet "Day of year" (0, 1, 2)
// 51 spike tool "Use as Defaults" (governs the trim fields of the preferences file)
// 52 block-instructions option; 53 flow rates in L/min; 54 gas-exchange output unit
// 55-61, 63 thermoregulation options; 62 appending asks nothing on equal channel counts
// 64 3 while the start-up chooser asks for the preferences; 65 warn before cutting a block
// 66 block-instructions window state; 67 system version; 68 cross-cursor variant
// 69, 70 exclude data below / above the scan limits; 71 time integration running
// 72 zoom factor shown; 73 start-up sound; 74 Quartz drawing only (1 after every reading)
// 75 waveform option; 76 humidity correction chosen; 77 water-vapour unit
// 79 the channel button under the pointer, -99 once the pointer left it
// 80 export "Interpolation status" column; 81 multi-channel selector state
// 82 subplot colours of analysis plots, 1 to 4
extern int16_t prefsArray[91];

// Fonts of window titles (0 "Lucida Grande", 1 "Century", 2 "Copperplate", 3 the interface font)
// and of windows; tool-bar background code (1 plain, 14 blue-grey, 20 black).
extern int16_t WindowTitleFont;
extern int16_t WindowFont;
extern int16_t ToolBarBackground;
// The text font chosen in the preferences: 0 "Lucida Grande", 1 "Century", 5 "Bookman Old
// Style", 3 "American Typewriter". Not kept in the preferences file.
extern int16_t StandardFont;

// Switches (0/1) and numbers kept in the preferences file.
extern int16_t DsLx;                    // de-spiking default: 0 spike-remove mode, 1 last mode used
extern int16_t AutoSS;                  // autorepeat after smoothing and de-spiking
extern int16_t OpenAsk;                 // the tool bar's Open asks for the file type
extern int16_t GetFlowRateFromChannel;  // gas exchange takes the flow from a channel
extern int16_t DoSMOOTH;                // gas exchange smooths the channel first
extern float FiO2, FiCO2;               // incurrent O2 and CO2 fractions, per cent
extern float RQ;                        // respiratory quotient
extern int16_t SEP;                     // gas exchange shows its conversion equation
extern int16_t MultiHist;               // histograms: a plot for each channel
extern int16_t DumpHist;                // close analysis plots when the analysis is done
extern int16_t AvoidInterpolation;      // analyses skip interpolated samples
extern float SteppedSampleInterval, SteppedSampleSkip;
// Spreadsheet output columns and options.
extern int16_t tabTime, deltatime, tabmass, tabStart, tabChan, tabMode, Note_1, Note_2;
extern int16_t UseMultipleResults;      // several results per output line
extern int16_t UseExcelFormat;          // spreadsheet files: 0 ".csv" with commas, 1 TABs
extern int16_t LastBaselineMarker;      // marker code last used for baseline correction
extern int16_t LastBaselineShift;
// Thermoregulation.
extern int16_t variableTb;
extern float TbChange;                  // °C
extern int16_t CalculationsCanUseTorpor;
extern float MinimumTorporTb;           // °C
extern float TorporEntryTime;           // hours
extern float TorporQ10;
extern int16_t ActiveTimeCostsOnly;
extern float DaytimeStart, DaytimeEnd;  // hours
extern float TorporStartLag, TorporEndLag;
extern float DefaultTb;                 // °C; 0 means 37
extern int16_t ZeroEqualsMissingTemperatures, replacementTb, BMRinWatts, dayActive;
extern int16_t TimeGridLimit;           // time grids only when more than 10 pixels apart
// Trimming and spike removal.
extern float UpTrimLimit, UpTrimValue, LowTrimLimit, LowTrimValue;
extern float threshold;
// Custom allometry: [1] coefficient, [2] exponent.
extern float CustomAllometryArray[3];
// Position in degrees, north and west positive, and the hemisphere flags set on reading.
extern float latitude, longitude;
extern int16_t northLatitude, westLongitude;

// Gives prefsArray, every setting above and the colours the file keeps their defaults.
void SetPreferenceDefaults();

// Flips prefsArray[index] (1 when it was 0, else 0); an index outside 1..90 does nothing.
void TogglePrefs(int16_t index);
// 1 when the argument is 0, else 0.
int16_t ToggleValue(uint16_t value);

}  // namespace qv
