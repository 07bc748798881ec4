#pragma once
// The colour dialog's sums and pictures apart from its window: where window 9 goes and how
// tall it is, what the dialog can change (to tell whether anything did), and the three previews it draws into the output window.
#include <cstdint>

#include "runtime/geometry.h"

namespace qv {

constexpr int kColorWindowWidth = 640;

// Height of window 9's content for n channels: the last overlay button ends at 90 + 16n, so
// the window keeps 10 pixels below it, and never less than the 405 of a short list.
int ColorWindowHeight(int channels);
// Left edge of window 9 on a screen of that width.
int ColorWindowLeft(int screenWidth);

// Everything the colour dialog sets: the seven user colours, overlay colours 1 to 40 and
// the subplot style prefsArray[82]. The record's colours are in prefs_record.h.
struct ColorSnapshot {
  rt::RGB user[7];
  rt::RGB overlay[41];
  int16_t subplotStyle = 0;
  bool operator==(const ColorSnapshot&) const = default;
};
ColorSnapshot TakeColorSnapshot();

// The previews draw their random traces from a generator that this seeds again, so that
// every opening of the dialog draws the same pictures.
void SeedColorPreviews();
// The overlay list: bevel buttons 1 to n with a line of each channel's overlay colour.
void DrawOverlayColors(int channels);
void DrawFakeColoredPlot();
void DrawFakeSubplot();

}  // namespace qv
