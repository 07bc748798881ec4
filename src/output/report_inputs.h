#pragma once
// Everything a report reads: the values the analysis that ran last left, and the facts of the
// file in use. Members carry the names of the shared results they stand for; an analysis that
// has no such value leaves the member at its start value.
#include <cstdint>
#include <string>
#include <vector>

#include "core/results_scaling.h"
#include "core/stats_state.h"

namespace qv {

struct ReportInputs {
  int16_t AnalysisCode = 0;
  int significantFigures = 5;

  // The file in use.
  std::string fileName;
  std::string StartDate, StartTime;  // month/day/year and hh:mm:ss texts
  double interval = 1.0;             // sample interval, seconds
  double startMinutes = 0.0;         // start time of day, minutes after midnight
  double mass = 0.0;                 // grams
  std::vector<std::string> labels;   // labels[k]: channel k (entry 0 unused)
  int32_t BeginBlock = 0, EndBlock = 0;

  // The analysed channel and its results scaling.
  int16_t ch = 1;
  ResultScaling scaling;

  // Statistics of a range (descriptive statistics, scans, clicked points, integrations).
  double meanValue = 0.0;
  float StandardDeviation = 0.0f;
  int32_t nrPoints = 0;
  float mi = 0.0f, ma = 0.0f;
  float x1float = 0.0f, SecondXvalue = 0.0f;  // first and last case of the result
  int32_t BeginAverage = 0, EndAverage = 0;
  int16_t IntegrationUnit = 66;

  // Interval scans: first case and length of the window found, the channel scanned.
  int32_t MMLBegin = 0, MMLpoints = 0;
  int16_t InCH = 1;

  // Pair differences of clicked points: the time differences and the count of values stored.
  float tmFloat = 0.0f, ts = 0.0f, tmi = 0.0f, tma = 0.0f;
  int16_t REnd = 0;

  // Regressions and the slope against time.
  int16_t UseLogY = 0;  // 1 log Y, 2 log X, 3 both
  float ValueOfA = 0.0f, ValueOfB = 0.0f, rsquared = 0.0f;
  int32_t nPoints = 0;
  float Pslope = 0.0f, SlopeZeroProb = 1.0f, SlopeTestProb = 1.0f;
  int16_t TimeUnits = 0;  // 1 minute, 2 hour, 3 day, else second
  int16_t MainDataChannel = 1, SecondChannel = 2;

  // Asymptote.
  float sumy2 = 0.0f;  // first-order approximation
  int16_t SlopeID = 0;
  float slope = 0.0f;

  // Polynomial fit: coefficients[k] of X^k (k = 0..degree; empty when none was fitted), r².
  std::vector<double> polyCoefficients;
  double polyR2 = 0.0;

  // Waveform analysis.
  int32_t nPeaks = 0;
  double P = 0.0;            // mean period, s
  double dn = 0.0, vn = 0.0;  // amplitudes and valleys counted
  double dw = 0.0, ds = 0.0;  // sum and sum of squares of the amplitudes
  double dxx = 0.0;          // S.D. of the amplitudes
  int16_t FloatA = 0;        // 1 amplitudes measured to the prior valley

  // Area integration: the baseline mode and what it was drawn from.
  int16_t IntegrationMode = 0;
  float baselineAtBegin = 0.0f, baselineAtEnd = 0.0f;  // samples of ch at BeginAverage, EndAverage
  std::string userBaseline;                            // the typed baseline, as typed

  EventCounterFields events;

  // The channel's label without its trailing blanks ("" for a channel the file lacks).
  std::string label(int channel) const;
};

// The inputs as the shared results leave them for a slot and the analysed channel: the file
// table, the block and the published statistics. Values of analyses that publish elsewhere
// (scans, regressions, waveform, clicked points, integrations) are for their callers to set.
ReportInputs publishedReportInputs(int slot, int channel);

}  // namespace qv
