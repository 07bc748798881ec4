#pragma once
// What every analysis shares with the report writer and the output route.
#include <cstdint>
#include <string>

namespace qv {

// Code of the last analysis: the report the writer composes and the analysis the automatic
// repeat runs again (12 descriptive statistics, 28 area integration, ...). Below 12 and 99:
// nothing to report. Cleared when a route is opened.
extern int16_t AnalysisCode;

// Where reports go: 0 nowhere, 4 text file, 5 spreadsheet file, 6 printer spool file.
extern int16_t PortForResultsOutput;

// Results written since the route was opened (the plot window's data bar shows it).
extern int16_t Nresults;

// Several results per spreadsheet line: how many (2 to 15), and the place of the last result
// written on its line (1..NMultipleResults; 0 right after the header row).
extern int16_t NMultipleResults;
extern int16_t NResultsPrinted;

// The note cells last typed for the spreadsheet, offered again next time.
extern std::string note1, note2;

// 1 when the last duration shown in a results header was given in minutes.
extern int16_t minutes;

// Significant digits of numbers written as text (results, fields, reports); 5 at start.
extern int16_t SignificantFigures;

constexpr int16_t kCodeDescriptiveStats = 12;
constexpr int16_t kCodeMeanMinimum = 13;
constexpr int16_t kCodeMeanMaximum = 14;
constexpr int16_t kCodeWaveform = 15;
constexpr int16_t kCodeSlopeVsTime = 16;
constexpr int16_t kCodeRegression = 17;
constexpr int16_t kCodeMostLevel = 19;
constexpr int16_t kCodeTimeSeries = 21;
constexpr int16_t kCodeMostVariable = 22;
constexpr int16_t kCodeTimeIntegration = 23;
constexpr int16_t kCodeEventCounter = 24;
constexpr int16_t kCodeAsymptote = 25;
constexpr int16_t kCodePolynomialReplay = 26;
constexpr int16_t kCodeSelectiveIntegration = 27;
constexpr int16_t kCodeAreaIntegration = 28;
constexpr int16_t kCodeTimeIntegrating = 36;
constexpr int16_t kCodeEventCounting = 37;
constexpr int16_t kCodePolynomial = 39;
constexpr int16_t kCodeEffectiveVolume = 42;
constexpr int16_t kCodeRunningAverage = 43;
constexpr int16_t kCodePairDifferences = 44;
constexpr int16_t kCodeMostVariablePointToPoint = 47;
constexpr int16_t kCodeWaveformOpen = 99;

constexpr int16_t kRouteNone = 0;
constexpr int16_t kRouteTextFile = 4;
constexpr int16_t kRouteSpreadsheet = 5;
constexpr int16_t kRoutePrinter = 6;

}  // namespace qv
