#include "stats/block_limits.h"

#include <algorithm>
#include <cmath>

#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kBlockWindow = 2;
constexpr int kResultsWindow = 4;

// The grey of a shading: every other row of the box, inverted.
void xorShade(int left, int top, int right, int bottom) {
  if (right <= left) return;
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  for (int y = top; y < bottom; y += 2) rt::paintRect({left, y, right, y + 1});
}

void toResultsWindow() {
  rt::penNormal();
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
}

int32_t blockBegin() { return BeginBlock[TheFileInUse]; }
int32_t blockEnd() { return EndBlock[TheFileInUse]; }

int pixelOf(double offset, float p) { return int(std::clamp(std::trunc(offset * p), -30000.0, 30000.0)); }

}  // namespace

float limitPixelsPerCase(int32_t rightLim, int32_t begin, int32_t end) {
  return float(rightLim) / float(std::max<int64_t>(int64_t(end) - begin, 1));
}

int32_t limitOffsetAt(int x, float pixelsPerCase, int32_t begin, int32_t end) {
  const int64_t span = std::max<int64_t>(int64_t(end) - begin, 0);
  if (!(pixelsPerCase > 0)) return 0;
  return int32_t(std::clamp<double>(std::rint(x / pixelsPerCase), 0.0, double(span)));
}

void DrawLEFT() {
  if (!rt::windowExists(kBlockWindow)) return;
  rt::setOutputWindow(kBlockWindow);
  xorShade(0, 2, HorizPosition, UpperLimit);
  // The top-left corner is given back, so the maximum stays readable.
  xorShade(0, 2, std::min<int>(HorizPosition, 60), 13);
}

void DrawRIGHT() {
  if (!rt::windowExists(kBlockWindow)) return;
  rt::setOutputWindow(kBlockWindow);
  xorShade(HorizPosition, 2, RightLim, UpperLimit);
}

void LIMITARROW(int16_t side) {
  if (!rt::windowExists(kBlockWindow)) return;
  rt::setOutputWindow(kBlockWindow);
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  const int c = RightLim / 2;
  rt::frameRect({c - 25, 27, c + 25, 43});
  if (side) {
    rt::moveTo(c + 38, 35);
    rt::lineTo(c + 24, 49);
    rt::lineTo(c + 24, 21);
    rt::lineTo(c + 37, 34);
  } else {
    rt::moveTo(c - 39, 35);
    rt::lineTo(c - 25, 49);
    rt::lineTo(c - 25, 21);
    rt::lineTo(c - 38, 34);
  }
}

int32_t SETLIMITS(int32_t offset, int16_t side) {
  if (!rt::windowExists(kBlockWindow) || TheFileInUse < 0 || TheFileInUse >= kSlots) return offset;
  const int32_t begin = blockBegin(), end = blockEnd();
  const float p = limitPixelsPerCase(RightLim, begin, end);
  rt::setOutputWindow(kBlockWindow);
  SetTextStyle(KestrixFont, 12, 0);
  rt::penMode(rt::kPatXor);
  if (prefsArray[7]) {
    PlaySound("upvip.mp3");
    PlaySound("brrrp.mp3");
  }
  // An odd count of flashes leaves the arrow shown.
  for (int i = 0; i < 11; ++i) {
    LIMITARROW(side);
    rt::flushWindow(kBlockWindow);
    rt::waitUntilTick(rt::TickCount() + 2);
  }
  if (offset != 0) {
    HorizPosition = int16_t(pixelOf(offset, p));
    side ? DrawRIGHT() : DrawLEFT();
  }

  int x = 0;
  bool beeped = false;
  for (;;) {
    rt::trackingPump();
    const rt::Point at = rt::pointerIn(kBlockWindow);
    const bool down = rt::Button();
    if (at.x > 0 && at.x < RightLim && at.y > 0 && at.y <= UpperLimit) {
      rt::setOutputWindow(kBlockWindow);
      rt::penNormal();
      rt::penMode(rt::kPatXor);
      for (int k = 0; k < 2; ++k) {
        rt::moveTo(at.x, 0);
        rt::lineTo(at.x, UpperLimit);
      }
      SetCrossCursor();
      x = at.x;
      if (down) break;
    } else {
      rt::setCursor(rt::Cursor::Arrow);
      if (down && !beeped) bzot();
      beeped = down;
    }
  }
  while (rt::Button()) rt::trackingPump();

  LIMITARROW(side);
  const int32_t n = limitOffsetAt(x, p, begin, end);
  HorizPosition = int16_t(pixelOf(n, p));
  if (side == 0) {
    DrawLEFT();
    if (prefsArray[7]) lobeep();
  } else {
    DrawRIGHT();
    if (prefsArray[7]) hibeep();
  }
  toResultsWindow();
  rt::setCursor(rt::Cursor::Arrow);
  rt::FlushEvents();
  return n;
}

void FIXLIMITS(int32_t leftOffset, int32_t rightOffset, int16_t leftX, int16_t rightX) {
  if (leftOffset != 0) {
    HorizPosition = leftX;
    DrawLEFT();
  }
  if (rightOffset != 0) {
    HorizPosition = rightX;
    DrawRIGHT();
  }
  toResultsWindow();
}

}  // namespace qv
