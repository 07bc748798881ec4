#include "app/about.h"

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/images.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/splash.h"
#include "core/text_constants.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kFlyStepTicks = 3;

void aboutPicture() {
  rt::eraseRect({0, 0, 300, 310});
  DrawStagePicture("DUdoderi", "QVlogo.gif", {88, 10, 208, 140});
  SetTextStyle(KestrixFont, 28, 0);
  rt::foreColor(RGBblack);
  PrintAt(78, 165, "Quorvelant");
}

void staticText(int id, const std::string& text, rt::Rect r, rt::RGB color, int size) {
  rt::FBEditField(id, text, r, 7, 1);
  rt::setEditColors(id, color, {0xECEC, 0xECEC, 0xECEC});
  rt::setEditFont(id, KestrixFont, size, 0);
}

void buildAbout() {
  BuildWINDOW(kAboutWindow, "About Quorvelant...", 150, 66, 450, 456, 6);
  aboutPicture();
  staticText(2, "Build date: " + version, {20, 178, 280, 196}, RGBblue, 12);
  staticText(3, copyright + " The Quorvelant developers", {10, 212, 290, 228}, RGBblack, 11);
  staticText(5, "Provided as it is, without warranty of any kind:", {10, 236, 290, 252}, RGBblack, 11);
  staticText(6, "check every result against your own judgement.", {10, 254, 290, 270}, RGBblack, 11);
  rt::FBButton(20, 1, "More Info...", {20, 318, 140, 340}, 1);
  rt::FBButton(22, 1, "Close", {160, 318, 280, 340}, 1);
  rt::FBButton(21, 1, "About the logon images...", {20, 352, 280, 374}, 1);
  HelpSubject = 270;
}

void installAboutHandlers() {
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Mouse, DoMouse);
}

}  // namespace

void AboutQuorvelant() {
  buildAbout();
  installAboutHandlers();
  rt::setCursor(rt::Cursor::Arrow);
  SetFlyStage(1, kAboutWindow, aboutPicture);
  StartTheFlies(1);
  if (prefsArray[7]) rt::playSound("piiing.mp3");
  action = 0;
  uint32_t nextStep = rt::TickCount() + kFlyStepTicks;
  for (;;) {
    rt::FBHandleEvents();
    if (action == 1 && eventID == 20) {
      action = eventID = 0;
      ShowMoreInfo();
      installAboutHandlers();
    } else if (action == 1 && eventID == 21) {
      action = eventID = 0;
      OpenHelpBook();
    }
    if (rt::TickCount() >= nextStep) {
      MoveTheFlies(1);
      nextStep = rt::TickCount() + kFlyStepTicks;
    }
    if (rt::frontWindow() != kAboutWindow || (action == 4 && eventID == kAboutWindow) ||
        (action == 1 && eventID == 22) || action == -999 || rt::Button())
      break;
    action = eventID = 0;
  }
  action = eventID = 0;
  StopTheFlies();
  rt::closeWindow(kAboutWindow);
  rt::closeWindow(kFlyWindow);
  wsst();
}

void ShowMoreInfo() {
  BuildWINDOW(kMoreInfoWindow, "More About Quorvelant...", 170, 75, 476, 480, 6);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "QVlogo.gif"), 88, 10, 208, 140);
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(35, 165, "Program capacity limits");
  PrintAt(70, 185, "Open files: " + rt::PSstrLong(kMaxOpenFiles));
  PrintAt(70, 205, "Channels per file:  " + rt::PSstrLong(kMaxChannels));
  PrintAt(70, 225, "Cases per channel: " + rt::PSstr(6.1) + " million");
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(70, 245, "practical limit: ~6 million X 30 channels");
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(35, 282, "Limits per file");
  PrintAt(70, 302, "Markers: " + rt::PSusing("###,###", kMaxMarkers));
  PrintAt(70, 322, "On-line notes: " + rt::PSstrLong(300));
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(25, 356, "Running on " + rt::systemDescription());
  rt::FBButton(1, 1, "Close", {113, 372, 193, 394}, 4);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Mouse, DoMouse);
  action = eventID = 0;
  for (;;) {
    rt::FBHandleEvents();
    if (action == 1 || (action == 4 && eventID == kMoreInfoWindow) || rt::Button()) break;
    if (action == 16 && (eventID == 13 || eventID == 3)) break;
    if (action != 0 && action != 1) action = eventID = 0;
  }
  action = eventID = 0;
  rt::closeWindow(kMoreInfoWindow);
  rt::bringWindowForward(kAboutWindow);
}

}  // namespace qv
