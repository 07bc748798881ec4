#include "core/color_dialog.h"

#include <algorithm>
#include <random>

#include "core/colors.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// The previews' own source of chance: seeded again at each opening.
std::minstd_rand gPreviewRandom;

int previewRandom(int lo, int hi) { return lo + int(gPreviewRandom() % uint32_t(hi - lo + 1)); }

void fill(rt::RGB c, rt::Rect r) {
  rt::foreColor(c);
  rt::paintRect(r);
}

void dottedHorizontal(int x1, int x2, int y) {
  for (int x = x1; x < x2; x += 4) {
    rt::moveTo(x, y);
    rt::lineTo(std::min(x + 1, x2), y);
  }
}

void dottedVertical(int x, int y1, int y2) {
  for (int y = y1; y < y2; y += 4) {
    rt::moveTo(x, y);
    rt::lineTo(x, std::min(y + 1, y2));
  }
}

void textAt(int x, int y, int size, const char* text) {
  rt::textFont(KestrixFont);
  rt::textSize(size);
  rt::textFace(0);
  rt::moveTo(x, y);
  rt::drawString(text);
}

// A random walk inside the band top..bottom, restarted near `restart` when it leaves it.
void randomTrace(int left, int right, int top, int bottom, int restartLo, int restartHi, int start, bool circles) {
  int y = start;
  rt::moveTo(left, y);
  for (int x = left + 1, k = 1; x < right; x += 2, ++k) {
    y += previewRandom(-7, 8);
    if (y <= top || y >= bottom) {
      y = previewRandom(restartLo, restartHi);
      rt::moveTo(x, y);
    } else {
      rt::lineTo(x, y);
    }
    if (circles && k % 10 == 0) {
      rt::frameOval({x - 3, y - 3, x + 4, y + 4});
      rt::moveTo(x, y);
    }
  }
}

void mockBlockWindow() {
  const rt::Rect box{300, 230, 470, 360};
  fill(BlockBackColor, box);
  rt::foreColor(BlockForeColor);
  rt::penSize(2, 2);
  rt::frameRect(box);
  rt::penSize(1, 1);
  randomTrace(box.left + 4, box.right - 4, box.top + 20, box.bottom - 20, 280, 300, 295, true);
  rt::foreColor(BlockForeColor);
  textAt(box.left + 6, box.top + 14, 10, "0.1236");
  textAt(box.left + 6, box.bottom - 6, 10, "0.0715");
}

void histogramBars() {
  const int base = 360, left = 482;
  // Below the scheme buttons of the column above them.
  fill(plotBackColor, {left - 4, 270, left + 10 * 11 + 2, base + 2});
  for (int i = 0; i < 10; ++i) {
    const int h = previewRandom(8, 84);
    const rt::Rect bar{left + i * 11, base - h, left + i * 11 + 9, base};
    fill(HistogramBarColor, bar);
    rt::foreColor(plotForeColor);
    rt::frameRect(bar);
  }
}

}  // namespace

int ColorWindowHeight(int channels) { return std::max(405, 16 * channels + 100); }

int ColorWindowLeft(int screenWidth) {
  return screenWidth - kColorWindowWidth < 202 ? (screenWidth - kColorWindowWidth) / 2 : 100;
}

ColorSnapshot TakeColorSnapshot() {
  ColorSnapshot s;
  const rt::RGB user[7] = {plotForeColor, plotBackColor, PlotDataLineColor, Pwhite,
                           BlockForeColor, BlockBackColor, HistogramBarColor};
  std::copy(std::begin(user), std::end(user), s.user);
  std::copy(std::begin(OverlayColor), std::end(OverlayColor), s.overlay);
  s.subplotStyle = prefsArray[82];
  return s;
}

void SeedColorPreviews() { gPreviewRandom.seed(20240514u); }

void DrawOverlayColors(int channels) {
  const int n = std::clamp(channels, 0, 40);
  fill(plotBackColor, {5, 82, 84, 93 + 16 * n});
  for (int c = 1; c <= n; ++c) {
    const int top = 90 + 16 * (c - 1);
    if (!rt::controlExists(c)) rt::FBButton(c, 1, std::to_string(c), {42, top, 82, top + 16}, 1);
    rt::foreColor(OverlayColor[c]);
    rt::penSize(2, 2);
    rt::moveTo(7, top + 7);
    rt::lineTo(37, top + 7);
    rt::penSize(1, 1);
  }
}

void DrawFakeColoredPlot() {
  const rt::Rect plot{110, 80, 470, 220};
  fill(plotBackColor, plot);
  rt::foreColor(plotForeColor);
  rt::frameRect(plot);
  textAt(plot.left + 4, plot.top + 14, 12, "  Channel 1    Oxygen Consumption");
  // The grid, dotted, every 26 pixels.
  for (int x = plot.left + 26; x < plot.right; x += 26) dottedVertical(x, plot.top + 20, plot.bottom);
  for (int y = plot.top + 46; y < plot.bottom; y += 26) dottedHorizontal(plot.left, plot.right, y);
  // The zero line and two markers with their label.
  rt::foreColor(Pwhite);
  rt::moveTo(plot.left + 1, 200);
  rt::lineTo(plot.right - 2, 200);
  for (int x : {190, 380}) {
    rt::moveTo(x, plot.top + 20);
    rt::lineTo(x, plot.top + 30);
  }
  textAt(193, plot.top + 30, 10, "a");
  rt::foreColor(PlotDataLineColor);
  textAt(plot.left + 3, plot.top + 32, 10, "5");
  textAt(plot.left + 3, 198, 10, "0");
  rt::foreColor(PlotDataLineColor);
  randomTrace(plot.left + 20, plot.right - 2, plot.top + 18, plot.bottom - 2, 160, 167, previewRandom(80, 199),
              false);
  // The selected block, inverted.
  rt::invertRect({300, plot.top + 1, 360, plot.bottom - 1});
  mockBlockWindow();
  histogramBars();
}

void DrawFakeSubplot() {
  const int style = prefsArray[82];
  const rt::Rect box{516, 71, 599, 133};
  int dots = 1;
  bool blueLine = true;
  switch (style) {
    case 2: rt::colorNumber(0), dots = 7, blueLine = false; break;
    case 3: rt::colorNumber(7), dots = 0, blueLine = false; break;
    case 4: rt::foreColor(manila), dots = 4; break;
    default: rt::colorNumber(6); break;
  }
  rt::paintRect(box);
  rt::colorNumber(dots);
  for (int i = 0; i < 50; ++i) {
    const int x = previewRandom(518, 596), y = previewRandom(73, 120);
    rt::paintOval({x - 1, y - 1, x + 2, y + 2});
  }
  // Any style but the four draws its line in grey, as styles 2 and 3 do.
  rt::foreColor(blueLine && style >= 1 && style <= 4 ? lightBlue : gray);
  rt::moveTo(box.left + 2, previewRandom(box.top + 4, box.bottom - 4));
  rt::lineTo(box.right - 2, previewRandom(box.top + 4, box.bottom - 4));
  rt::colorNumber(7);
  rt::frameRect({515, 70, 601, 135});
}

}  // namespace qv
