#include "rhythm/waveform.h"

#include <algorithm>
#include <cmath>

namespace qv {

PeakTable PeakValuesArray;

PeakTable::PeakTable() {
  for (auto& r : rows_) r.assign(size_t(kPeakTableLast) + 1, 0.0f);
}

void PeakTable::clear() {
  for (size_t r = 0; r < rows_.size(); ++r) {
    std::fill_n(rows_[r].begin(), size_t(written_[r]) + 1, 0.0f);
    written_[r] = 0;
  }
}

double amplitudeSD(double dn, double dw, double ds) {
  if (dn <= 1.0) return 0.0;
  const double var = std::max(ds - dw * dw / dn, 0.0);
  return std::sqrt(var / (dn - 1.0));
}

namespace {

// Times come from case differences in double: Δt × case in single precision loses the
// interval itself far into a long recording (a float step is 0.0039 s near 50,000 s).
double span(double dt, int64_t from, int64_t to) { return dt * double(to - from); }

bool full(int32_t count) { return count >= kPeakTableLast; }

// The five-point shape rule, one pass over the block.
void normalMethod(const WaveformInput& in, PeakTable& t, WaveformResult& r) {
  const float* x = in.x.data();
  const int32_t first = in.first, last = in.last;
  if (int64_t(first) + 2 > int64_t(last) - 2) return;
  int64_t nextAllowed = 0, lastExtremum = first, previousPeak = 0;
  bool lastWasPeak = false, valleyPending = false, peakOpen = false;
  float lastValley = 0.0f, lastPeak = 0.0f;
  double intervalSum = 0.0;
  int32_t i = first + 2;
  for (;;) {
    // Most cases lie on a strict rise or fall and can be neither: step over them first. The
    // last case examined stays below last - 2, as the scan's own test keeps it.
    while (i < last - 3) {
      const float b = x[i - 1], c = x[i], d = x[i + 1];
      if (!((b < c) & (c < d)) && !((b > c) & (c > d))) break;
      ++i;
    }
    const float a = x[i - 2], b = x[i - 1], c = x[i], d = x[i + 1], e = x[i + 2];
    int32_t done = i;
    if (i >= nextAllowed && c > in.peakTrigger && a < b && b <= c && c >= d && d > e) {
      peakOpen = true;
      ++r.nPeaks;
      t.at(0, r.nPeaks) = c;
      if (!lastWasPeak) {
        ++r.riseCount;
        t.at(1, r.riseCount) = float(span(in.dt, lastExtremum, i));
      }
      lastExtremum = i;
      r.peakCases.push_back(i);
      if (r.nPeaks >= 2) {
        const float interval = float(span(in.dt, previousPeak, i));
        r.intervals.push_back(interval);
        intervalSum += interval;
        t.at(3, r.riseCount) = interval;
        t.at(4, r.riseCount) = c - lastValley;
      }
      previousPeak = i;
      if (r.nPeaks == 1) r.direction = valleyPending ? kAmplitudeToPrior : kAmplitudeToNext;
      lastWasPeak = true;
      nextAllowed = int64_t(i) + in.skip;
      r.peakSum += c;
      if (r.direction == kAmplitudeToPrior && valleyPending) {
        const double amp = double(c) - double(lastValley);
        r.dw += amp, r.dn += 1, r.ds += amp * amp;
        peakOpen = valleyPending = false;
      }
      lastPeak = c;
      done = i + 2;
    } else if (c < in.valleyTrigger && a > b && b >= c && c <= d && d < e) {
      if (lastWasPeak) {
        ++r.decayCount;
        t.at(2, r.decayCount) = float(span(in.dt, lastExtremum, i));
        r.vn += 1;
      }
      // A rise is timed from the valley before it, the first one from the block start.
      lastExtremum = i;
      r.valleyCases.push_back(i);
      r.valleySum += c;
      ++r.nValleys;
      if (peakOpen && r.direction == kAmplitudeToNext) {
        const double amp = double(lastPeak) - double(c);
        r.dw += amp, r.dn += 1, r.ds += amp * amp;
        peakOpen = valleyPending = false;
      } else {
        valleyPending = true;
      }
      lastWasPeak = false;
      lastValley = c;
      done = i + 2;
    }
    if (full(r.nPeaks) || full(r.riseCount) || full(r.decayCount)) {
      r.stoppedAtCase = i;
      break;
    }
    if (!(done < last - 2)) break;
    i = done == i ? i + 1 : i + 3;
  }
  t.at(1, 0) = float(r.riseCount);
  t.at(2, 0) = float(r.decayCount);
  if (r.nPeaks >= 2) r.P = intervalSum / (r.nPeaks - 1);
  if (r.nPeaks >= 3) {
    double ss = 0.0;
    for (const float d : r.intervals) ss += (d - r.P) * (d - r.P);
    r.sd = std::sqrt(ss / (r.nPeaks - 1));
  }
  r.dxx = amplitudeSD(r.dn, r.dw, r.ds);
}

struct Extreme {
  float value;
  int32_t centre;
};

// Runs of at least five samples at or beyond the trigger; each gives the mean of its most
// extreme five consecutive samples at the centre of those five. `high` looks above.
template <bool high>
void runPass(const WaveformInput& in, std::vector<Extreme>& found, int32_t& stoppedAt) {
  const float* x = in.x.data();
  const float trig = high ? in.peakTrigger : in.valleyTrigger;
  auto beyond = [&](float v) { return high ? v >= trig : v <= trig; };
  if (int64_t(in.last) - 5 < in.first) return;
  int32_t i = in.first;
  for (;;) {
    int32_t done = i, next = i + 1;
    if (beyond(x[i])) {
      int32_t j = i;
      while (j < in.last && beyond(x[j + 1])) ++j;
      if (j - i + 1 >= 5) {
        double best = high ? -9.0e30 : 9.0e30;
        int32_t at = i;
        double sum = 0.0;
        for (int32_t k = i; k < i + 5; ++k) sum += x[k];
        for (int32_t m = i;; ++m) {
          if (high ? sum > best : sum < best) best = sum, at = m;
          if (m + 4 >= j) break;
          sum += double(x[m + 5]) - double(x[m]);
        }
        found.push_back({float(best / 5.0), at + 2});
        if (int32_t(found.size()) >= kPeakTableLast) {
          stoppedAt = std::max(stoppedAt, at + 2);
          return;
        }
        done = j + 2, next = j + 3;
      }
    }
    if (!(done < in.last - 5)) break;
    i = next;
  }
}

void highestLowest5(const WaveformInput& in, PeakTable& t, WaveformResult& r) {
  std::vector<Extreme> peaks, valleys;
  runPass<true>(in, peaks, r.stoppedAtCase);
  runPass<false>(in, valleys, r.stoppedAtCase);
  r.nPeaks = int32_t(peaks.size());
  r.nValleys = int32_t(valleys.size());
  for (size_t k = 0; k < peaks.size(); ++k) {
    t.at(0, int32_t(k) + 1) = peaks[k].value;
    t.at(1, int32_t(k) + 1) = float(in.dt * peaks[k].centre);
    r.peakSum += peaks[k].value;
    r.peakCases.push_back(peaks[k].centre);
  }
  for (size_t k = 0; k < valleys.size(); ++k) {
    t.at(2, int32_t(k) + 1) = valleys[k].value;
    t.at(3, int32_t(k) + 1) = float(in.dt * valleys[k].centre);
    r.valleySum += valleys[k].value;
    r.valleyCases.push_back(valleys[k].centre);
  }
  if (!peaks.empty() && !valleys.empty() && valleys[0].centre <= peaks[0].centre) r.direction = kAmplitudeToPrior;
  const int32_t n = r.nPeaks;
  std::vector<double> amp(size_t(n), 0.0);
  for (int32_t k = 0; k < n; ++k) {
    amp[size_t(k)] = double(peaks[size_t(k)].value) - (size_t(k) < valleys.size() ? valleys[size_t(k)].value : 0.0);
    r.dw += amp[size_t(k)];
    r.ds += amp[size_t(k)] * amp[size_t(k)];
  }
  r.dn = n;
  r.vn = r.nValleys;
  if (n > 0) {
    double ss = 0.0;
    for (const double a : amp) ss += (a - r.dw / n) * (a - r.dw / n);
    r.dxx = std::sqrt(ss / n);
  }
  if (n >= 2) {
    std::vector<double> d(size_t(n) - 1);
    for (int32_t k = 0; k + 1 < n; ++k) d[size_t(k)] = span(in.dt, peaks[size_t(k)].centre, peaks[size_t(k) + 1].centre);
    double sum = 0.0;
    for (const double v : d) sum += v;
    r.P = sum / (n - 1);
    double ss = 0.0;
    for (const double v : d) ss += (v - r.P) * (v - r.P);
    r.sd = std::sqrt(ss / (n - 1));
  }
}

}  // namespace

WaveformResult FindPeaksAndValleys(const WaveformInput& in, PeakTable& table) {
  WaveformResult r;
  FindPeaksAndValleys(in, table, r);
  return r;
}

void FindPeaksAndValleys(const WaveformInput& in, PeakTable& table, WaveformResult& r) {
  std::vector<int32_t> peaks = std::move(r.peakCases), valleys = std::move(r.valleyCases);
  std::vector<float> intervals = std::move(r.intervals);
  peaks.clear(), valleys.clear(), intervals.clear();
  r = WaveformResult{};
  r.peakCases = std::move(peaks), r.valleyCases = std::move(valleys), r.intervals = std::move(intervals);
  r.method = in.method;
  table.clear();
  WaveformInput w = in;
  w.first = std::max<int32_t>(in.first, 0);
  w.last = std::min<int64_t>(in.last, int64_t(in.x.size()) - 1);
  w.skip = std::max<int32_t>(in.skip, 0);
  if (w.last < w.first) return;
  if (in.method == WaveMethod::Normal)
    normalMethod(w, table, r);
  else
    highestLowest5(w, table, r);
}

}  // namespace qv
