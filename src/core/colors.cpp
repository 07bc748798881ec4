#include "core/colors.h"

namespace qv {

RGB plotForeColor, plotBackColor, PlotDataLineColor, Pwhite, BlockForeColor, BlockBackColor,
    HistogramBarColor{30000, 30000, 52000};
RGB OverlayColor[41];
RGB ExtremelyLightGray, VeryLightGray, LightGray, gray, darkGray, mediumDarkGray, VeryDarkGray, rgbyellow, lightBlue,
    sunset, manila, blueGray;
RGB RGBwhite, RGBblue, RGBred, green, RGBblack, ToolBarBlueGray, ToolBarBackgroundColor;

namespace {
struct Init {
  Init() {
    SetColorConstants();
    DefaultColors();
    SetOverlayColors();
    ColorSet();
  }
} gInit;
}  // namespace

void DefaultColors() {
  plotForeColor = {0, 0, 54272};
  plotBackColor = {54000, 54000, 54000};
  PlotDataLineColor = {55535, 0, 0};
  Pwhite = {65535, 65535, 65535};
  BlockForeColor = {64512, 62333, 1327};
  BlockBackColor = {0, 0, 54272};
}

void StandardDarkColors() {
  plotForeColor = {0, 40000, 65535};
  plotBackColor = {6000, 6000, 6000};
  PlotDataLineColor = {65535, 65535, 0};
  Pwhite = {20535, 45535, 25535};
  BlockForeColor = {65535, 65535, 0};
  BlockBackColor = {0, 0, 45000};
}

void SetOverlayColors() {
  // Mid-bright colours: each reads against the light scheme's grey and the dark scheme's
  // near-black alike, and none is the data line's red.
  static const RGB first[13] = {{},
                                {56000, 26000, 0},
                                {28000, 38000, 0},
                                {0, 38000, 38000},
                                {10000, 24000, 65535},
                                {0, 40000, 0},
                                {52000, 0, 52000},
                                {30000, 30000, 30000},
                                {3700, 44000, 13000},
                                {24110, 24110, 25098},
                                {60000, 2500, 20000},
                                {20000, 30000, 62000},
                                {36000, 6000, 60000}};
  for (int c = 1; c <= 40; ++c) OverlayColor[c] = c <= 12 ? first[c] : RGB{35535, 35535, 0};
}

void ColorSet() {
  ExtremelyLightGray = {63000, 63000, 63000};
  VeryLightGray = {60500, 60500, 60500};
  LightGray = {58000, 58000, 58000};
  gray = {51200, 51200, 51200};
  darkGray = {39200, 39200, 39200};
  mediumDarkGray = {24110, 24110, 25098};
  VeryDarkGray = {13110, 13110, 14098};
  rgbyellow = {64512, 62333, 1327};
  lightBlue = {56267, 59584, 65535};
  sunset = {65535, 65299, 25461};
  manila = {65535, 65399, 50461};
  blueGray = {17577, 41860, 55159};
}

void SetColorConstants() {
  gray = {42200, 42200, 42200};
  RGBwhite = {65535, 65535, 65535};
  RGBblue = {0, 0, 62098};
  RGBred = {65535, 2242, 1698};
  green = {1842, 17680, 1298};
  RGBblack = {0, 0, 0};
  ToolBarBlueGray = {26000, 34000, 42400};
  ToolBarBackgroundColor = ToolBarBlueGray;
}

}  // namespace qv
