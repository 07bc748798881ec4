#include "output/report_inputs.h"

#include "core/filetable.h"
#include "core/curve_fit_state.h"
#include "core/fit_state.h"
#include "core/output_state.h"
#include "plot/plot_state.h"
#include "runtime/utf8.h"
#include "core/clicked_points_state.h"
#include "core/scan_state.h"
#include "core/stats_state.h"
#include "core/waveform_state.h"

namespace qv {

std::string ReportInputs::label(int channel) const {
  if (channel < 1 || size_t(channel) >= labels.size()) return "";
  return rt::trimRight(labels[size_t(channel)]);
}

ReportInputs publishedReportInputs(int slot, int channel) {
  ReportInputs in;
  in.AnalysisCode = AnalysisCode;
  in.ch = int16_t(channel);
  in.scaling = scalingFor(channel);
  if (slot >= 0 && slot < kSlots) {
    in.fileName = FileName[slot];
    in.StartDate = StartDate[slot];
    in.StartTime = StartTime[slot];
    in.interval = FileInfoFLOATS[slot][1];
    in.startMinutes = FileInfoFLOATS[slot][8];
    in.mass = FileInfoFLOATS[slot][6];
    const int n = nChannels[slot] < kMaxChannels ? nChannels[slot] : kMaxChannels;
    in.labels.assign(size_t(n > 0 ? n : 0) + 1, "");
    for (int k = 1; k <= n; ++k) in.labels[size_t(k)] = RetrieveLabelOf(slot, k);
  }
  in.BeginBlock = BeginBlock.inUse();
  in.EndBlock = EndBlock.inUse();
  in.meanValue = meanValue;
  in.StandardDeviation = StandardDeviation;
  in.nrPoints = nrPoints;
  in.nPoints = nPoints;
  in.mi = mi;
  in.ma = ma;
  in.x1float = x1float;
  in.SecondXvalue = SecondXvalue;
  in.BeginAverage = BeginAverage;
  in.EndAverage = EndAverage;
  in.IntegrationUnit = IntegrationUnit;
  in.MMLBegin = MMLBegin;
  in.MMLpoints = MMLpoints;
  in.InCH = InCH;
  if (AnalysisCode == kCodeAreaIntegration) {
    in.IntegrationMode = LastAreaReport.mode;
    in.baselineAtBegin = LastAreaReport.baselineAtBegin;
    in.baselineAtEnd = LastAreaReport.baselineAtEnd;
    in.userBaseline = LastAreaReport.userBaseline;
  }
  if (AnalysisCode == kCodeEventCounter) in.events = LastEventFields;
  if (AnalysisCode == kCodeWaveform) {
    const WaveformRecord& w = LastWaveform;
    in.nPeaks = w.nPeaks;
    in.P = w.P;
    in.StandardDeviation = float(w.sd);
    in.dn = w.dn, in.dw = w.dw, in.ds = w.ds, in.vn = w.vn, in.dxx = w.dxx;
    in.FloatA = w.direction;
  }
  if (AnalysisCode == kCodeRunningAverage || AnalysisCode == kCodePairDifferences) in.REnd = REnd;
  if (AnalysisCode == kCodePairDifferences) {
    // The pair tool's own times: the shared tmFloat belongs to the plot's drag readout.
    in.tmFloat = LastPairTimes.mean;
    in.ts = LastPairTimes.sd;
    in.tmi = LastPairTimes.min;
    in.tma = LastPairTimes.max;
  }
  if (AnalysisCode == kCodeSlopeVsTime || AnalysisCode == kCodeRegression) {
    // The line fits report their own record: the count of the cases fitted, not the block's.
    in.UseLogY = UseLogY;
    in.ValueOfA = LastFit.a;
    in.ValueOfB = LastFit.b;
    in.rsquared = LastFit.r2;
    in.nPoints = LastFit.n;
    Pslope = slope;
    in.Pslope = Pslope;
    TestSlope();
    in.SlopeTestProb = SlopeTestProb = probability;
    slope = 0.0f;
    TestSlope();
    in.SlopeZeroProb = SlopeZeroProb = probability;
    slope = Pslope;
    in.TimeUnits = TimeUnits;
    in.MainDataChannel = RegressionXChannel;
    in.SecondChannel = RegressionYChannel;
  }
  if ((AnalysisCode == kCodePolynomial || AnalysisCode == kCodePolynomialReplay) && LastPolynomial.fitted()) {
    // The fit on show, whatever degree the window's popup was last set to.
    in.polyCoefficients.assign(LastPolynomial.power.begin(), LastPolynomial.power.begin() + LastPolynomial.degree + 1);
    in.polyR2 = LastPolynomial.r2;
    in.MainDataChannel = LastPolynomial.xChannel;
    in.SecondChannel = LastPolynomial.yChannel;
  }
  if (AnalysisCode == kCodeAsymptote && LastAsymptote.found()) {
    // The line at the asymptote reported, which the search's last trial was made at.
    in.sumy2 = float(LastAsymptote.A);
    in.ValueOfB = float(LastAsymptote.b);
    in.SlopeID = SlopeID;
    in.slope = AsymptoteLnRemaining;
    in.TimeUnits = TimeUnits;
  }
  return in;
}

}  // namespace qv
