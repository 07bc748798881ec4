#pragma once
// The FFT tool's arithmetic, apart from its window: the magnitude spectrum of a run of
// samples in the work column, the frequency of a spectrum element in the readout's units,
// the 3-point smoothing, where the interval box lands on the plot, which element lies under
// the pointer, and the text of the results file.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qv {

// Transform lengths offered: 2^7 .. 2^18.
constexpr int kFftFirstPower = 7, kFftLastPower = 18;

// The magnitude spectrum of work[1..n] (n a power of two, at least 4; work holds n + 1
// entries), in place: for harmonic k = 1 .. n/2 - 1 of sum_j x_j e^(+2 pi i jk/n), element
// 2k+1 holds |Re| * 2/n and element 2k+2 |Im| * 2/n; elements 1 and 2 (the mean and the
// harmonic n/2 in the packed layout) are 0; element 0 is left as it is. A gap in the run
// leaves every element of the spectrum a gap. onPass hears each of the log2(n) - 1 passes.
// False (work untouched) for any other n or a short work span.
bool fftMagnitudes(std::span<float> work, int32_t n, const std::function<void(int)>& onPass = {});

// The spacing of the spectrum's elements in Hz: 1 / (2 n dt), as a float; element c stands
// for (c - 1) times it.
float fftElementSpacing(int32_t n, float dt);

// Readout units (the popup's items): 1 Hz, 2 mHz, 3 KHz, 4 (separator) Hz, 5 period in msec,
// 6 sec, 7 min, 8 hours. A frequency in Hz shown in a unit; a period of frequency 0 is
// infinite.
float fftInUnit(int unit, float hz);
// The export's heading of a unit's column, "frequency (Hz) " .. "period (hours) ".
std::string_view fftUnitHeading(int unit);

// One 3-point pass over the pristine spectrum b[0..length]: out[c] = (b[c-1] + b[c] +
// b[c+1]) * 0.333333 for c = 2 .. length - 1, out[0], out[1] and out[length] = b's. Never
// compounded: it always reads b. Nothing when either span is shorter than length + 1.
void smoothSpectrum(std::span<const float> b, std::span<float> out, int32_t length);

// The plot as the FFT sees it: the cases shown, the plot's width, pixels per case of the
// paged view and whether the whole file is compressed into the width.
struct FftPlotView {
  int32_t nCases = 0;
  int screenWidth = 1;
  int xstep = 1;
  bool wholeFile = false;
  int page = 1;
};

// Half the interval's width in pixels for n cases (ABu).
int32_t fftBoxHalfWidth(const FftPlotView& v, int32_t n);

// Where an interval of n cases lands for the pointer at x: the box's centre in pixels (held
// off the plot's ends so that it stays on the data), the case at its centre and its first
// case BeginBlock, always within 0 .. nCases - n (0 when the file has exactly n cases).
struct FftPlacement {
  int boxX = 0;
  int32_t centre = 0;
  int32_t begin = 0;
};
FftPlacement fftPlacement(const FftPlotView& v, int x, int32_t n);

// The spectrum element under the pointer at x (0 .. nCases).
int32_t fftElementUnder(const FftPlotView& v, int x);

// The results file: the unit's heading, the separator, "magnitude"; then for r = 0 .. n - 1
// the frequency r * spacing in the unit, the separator and spectrum[r + 1]. Numbers as the
// delimited exports write samples (digits at least 5); line feeds.
std::string fftResultsText(std::span<const float> spectrum, int32_t n, float dt, int unit, char separator,
                           int digits);

}  // namespace qv
