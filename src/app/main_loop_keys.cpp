// The keyboard commands of the main loop (a key typed while no edit field takes it).
#include <cctype>

#include "calculators/commands.h"
#include "core/colors.h"
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/main_loop.h"
#include "app/menu_bar.h"
#include "editing/commands.h"
#include "output/commands.h"
#include "core/results_scaling.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "scripts/commands.h"
#include "stats/commands.h"
#include "transforms/commands.h"

namespace qv {

namespace {

// Option-2 .. Option-0 of a Mac keyboard (Alt+digit here) overlay channels 2 to 10.
int overlayChannelOfKey(int code) {
  static const int codes[9] = {170, 163, 162, 176, 164, 166, 165, 187, 188};
  for (int i = 0; i < 9; ++i)
    if (codes[i] == code) return i + 2;
  return 0;
}

bool isShiftedDigit(int code) {
  for (int c : {33, 64, 35, 36, 37, 94, 38, 42, 40, 41})
    if (c == code) return true;
  return false;
}

// The scale mode the (71, x) commands gave the active channel.
int activeScaleMode() {
  const int c = ActiveChannel;
  return c >= 1 && c <= kMaxChannels ? plot::scaleModeOf(scalingFactorArray[c][4]) : -1;
}

void overlayAlone(int f, int channel) {
  for (int c = 1; c <= kMaxChannels; ++c) OverlayArray[f][42 + c] = 0;
  OverlayArray[f][42 + channel] = 1;
  DrawOVERLAY();
  OverlayArray[f][42 + channel] = 0;
}

// Shows one channel over the plot for a moment; its overlay flag is left as it was.
void overlayOnce(int f, int channel) {
  const int16_t kept = OverlayArray[f][42 + channel];
  OverlayArray[f][42 + channel] = 1;
  DrawOVERLAY();
  OverlayArray[f][42 + channel] = kept;
}

}  // namespace

void MainLoopKeys() {
  const int f = TheFileInUse;
  const int code = eventID;
  const bool block = FileSHORTS[f][2] == 2;
  const int letter = code < 128 ? std::toupper(code) : code;
  if (code == 30) {
    PUSHCHAN(2);
  } else if (code == 31) {
    PUSHCHAN(1);
  } else if ((code >= '0' && code <= '9') || isShiftedDigit(code)) {
    PUSHCHAN(0);
  } else if (code == '+') {
    if (block) DoMENU(kViewMenu, 6);
  } else if (code == '-') {
    if (FileSHORTS[f][6]) DoMENU(kViewMenu, 7);
  } else if (code == 128) {
    ShiftBlockLeft();
  } else if (code == 129) {
    ShiftBlockRight();
  } else if (code == 193) {
    overlayAlone(f, 1);
  } else if (int k = overlayChannelOfKey(code)) {
    overlayOnce(f, k);
  } else {
    switch (letter) {
      case 'A': ALTITUDE(); break;
      case 'B':
        if (block) {
          AnalysisCode = 12;
          AVERAGE();
        }
        break;
      case 'C': SIMPLECALC(); break;
      case 'D':
        if (nChannels[f] < kMaxChannels) COPYCHAN(1);
        break;
      case 'E': ExpressionEvaluator(0); break;
      case 'F': STPflowAdjust(); break;
      case 'J': DayOfTheYear(); break;
      case 'M': METABOLISM(0); break;
      // N and Z choose Normal scaling and Include Zero for the active channel, unless it
      // already has that mode.
      case 'N':
        if (activeScaleMode() != 2) DoMENU(kScalingActiveMenu, 3);
        break;
      case 'Z':
        if (activeScaleMode() != 1) DoMENU(kScalingActiveMenu, 2);
        break;
      case 'O': PO2CALC(); break;
      case 'R': ClosedSystemRespirometry(); break;
      case 'U': UnitCONVERSIONS(); break;
      case 'V': VENTILATION(); break;
      case 'W': DissolvedO2CALC(); break;
      default: break;
    }
  }
  OverlayColor[0].red = 0;
  action = eventID = 0;
}

}  // namespace qv
