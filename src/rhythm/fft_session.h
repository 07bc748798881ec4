#pragma once
// The FFT window's state and its parts, shared by the files of the window.
#include <cstdint>
#include <string_view>

#include "rhythm/fft_spectrum.h"

namespace qv {

// The last size button the window offers (6 when none).
extern int16_t LastFFTbutton;

// Shows `length` elements of the work column in the plot window of the file in use.
void FFTplot(int32_t length);
// Mouse handler while the interval is placed: a press in the plot window is the click.
void FFTmouse();

namespace fftwin {

constexpr int kWindow = 4;
// Controls of window 4 (the size buttons are 7 .. 18, the length's power of two).
constexpr int kSmooth = 20, kCopyChannel = 21, kZoomOut = 22, kZoomIn = 23, kSave = 24, kDoFft = 25, kExit = 26,
              kNewInterval = 27, kHistogram = 28, kUnitPopup = 62, kStatusField = 102, kFrequencyField = 103,
              kPlacingField = 104;
constexpr int kUnitMenu = 1101;
constexpr int kHeaderField = 17;  // the plot window's header field for the interval
constexpr int kFirstSizeRowBottom = 57;
constexpr int kHelpSubject = 191;

struct FftSession {
  int f = 0;
  // What the window changes and puts back on every road out.
  int32_t fileCases = 0;
  int16_t entryHistogram = 0, entryChannel = 1, entryPages = 1, entryView = 0;
  int k = 0;           // the size button chosen (0 none)
  int32_t n = 0;       // its length, 2^k
  bool intervalChosen = false, spectrumShown = false, smooth = false;
  int unit = 1;
  int32_t shown = 0;   // elements of the spectrum on the plot
  float spacing = 0;   // Hz between elements
  int lastX = -32768;  // the pointer column of the last readout
};

extern FftSession* gSession;

void status(std::string_view text);
void heading(std::string_view text, int size);
void setButton(int id, int state);
FftPlotView plotView(int f);
void sizeButtons(int f, int marked);
void removeSizeButtons();
void separators();
void buildWindow(const FftSession& s);
void spectrumButtons(bool shown);
// Zoom Out off once the whole spectrum is shown, Zoom In once a case takes 9 pixels.
void zoomButtons(const FftSession& s);

// The window's loop, until Exit or the close box.
void runFftSession(FftSession& s);
// Puts back what the window changed: the file's length, channel, view, histogram mode.
void leaveFft(FftSession& s);

// The parts the loop calls.
bool placeInterval(FftSession& s);
void doTransform(FftSession& s);
void backToChoosing(FftSession& s);
void followPointer(FftSession& s);
void toggleSmooth(FftSession& s);
void zoom(FftSession& s, bool out);
void toggleHistogram(FftSession& s);
void copySpectrum(FftSession& s);
void saveSpectrum(const FftSession& s);
// The spectrum as shown: the pristine copy, smoothed over 2 .. length - 1 when Smooth is on.
void showSpectrum(FftSession& s);

}  // namespace fftwin

}  // namespace qv
