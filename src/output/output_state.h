#pragma once
// What every analysis shares with the report writer and the output route.
#include <cstdint>

namespace qv {

// Code of the last analysis: the report the writer composes and the analysis the automatic
// repeat runs again (12 descriptive statistics, 28 area integration, ...). Below 12 and 99:
// nothing to report. Cleared when a route is opened.
extern int16_t AnalysisCode;

// Where reports go: 0 nowhere, 4 text file, 5 spreadsheet file, 6 printer spool file.
extern int16_t PortForResultsOutput;

// Significant digits of numbers written as text (results, fields, reports); 5 at start.
extern int16_t SignificantFigures;

// 1 when the last duration shown in a results header was given in minutes.
extern int16_t minutes;

constexpr int16_t kCodeDescriptiveStats = 12;
constexpr int16_t kCodeAreaIntegration = 28;

constexpr int16_t kRouteNone = 0;
constexpr int16_t kRouteTextFile = 4;
constexpr int16_t kRouteSpreadsheet = 5;
constexpr int16_t kRoutePrinter = 6;

}  // namespace qv
