// The alert of a report asked for while no destination is open.
#include "core/colors.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "output/output.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kAlertWindow = 1166;
constexpr int kFlashes = 11;
constexpr uint32_t kFlashTicks = 3;  // 50 ms

}  // namespace

void NoOutputPortAlert() {
  rt::playSound("brrrp.mp3");
  const int remembered = rt::frontWindow();
  BuildWINDOW(kAlertWindow, "Output Port Alert", 300, 200, 760, 340, 5);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(129, 22, 70);
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  PrintAt(66, 34, "Choose a destination from the ' Send results to '");
  PrintAt(66, 52, "option in the  'File ' MENU.");
  SetTextStyle(1, 10, 0);
  PrintAt(66, 122, "click to continue...");
  if (prefsArray[7]) rt::playSound("brrrp.mp3");

  // The warning flashes and ends red.
  SetTextStyle(KestrixFont, 18, 0);
  for (int pass = 1; pass <= kFlashes; ++pass) {
    rt::foreColor(pass % 2 ? RGBred : LightGray);
    PrintAt(66, 92, "No output device selected!");
    rt::flushWindow(kAlertWindow);
    rt::waitUntilTick(rt::TickCount() + kFlashTicks);
  }
  rt::foreColor(RGBblack);

  while (!rt::Button()) rt::trackingPump();
  rt::closeWindow(kAlertWindow);
  if (remembered && rt::windowExists(remembered)) rt::bringWindowForward(remembered);
  rt::FlushEvents();
}

}  // namespace qv
