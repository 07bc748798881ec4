#pragma once
// Named colours: the user's plot and block colours, per-channel overlay colours, and the
// fixed palette of greys and accents the windows use.
#include "runtime/geometry.h"

namespace qv {

using rt::RGB;

// User colours (kept in the preferences file).
extern RGB plotForeColor, plotBackColor, PlotDataLineColor, Pwhite, BlockForeColor, BlockBackColor,
    HistogramBarColor;
// Overlay colour of each channel, 1 to 40 (0 unused).
extern RGB OverlayColor[41];

// Fixed palette.
extern RGB ExtremelyLightGray, VeryLightGray, LightGray, gray, darkGray, mediumDarkGray, VeryDarkGray, rgbyellow,
    lightBlue, sunset, manila, blueGray;
// Colour constants of start-up.
extern RGB RGBwhite, RGBblue, RGBred, green, RGBblack, ToolBarBlueGray, ToolBarBackgroundColor;

void DefaultColors();       // "Standard Light Colors"
void StandardDarkColors();  // "Standard Dark Colors"
void SetOverlayColors();
void ColorSet();            // the fixed palette
void SetColorConstants();   // the start-up constants

}  // namespace qv
