// Window 1166 in its uses on the open road: the refusal of a file, the markers caution and
// the long-load warning; and the loading window's status line.
#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/open_rules.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/splash.h"
#include "core/text_constants.h"
#include "datafiles/file_facts.h"
#include "datafiles/load_windows.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// Waits, with the menus off and the mouse handler inert, until the mouse button is pressed,
// a window or button is clicked, or a key is typed.
void waitForAnyClick() {
  SavedHandlers saved;
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Edit, CHECKRETURN);
  action = eventID = 0;
  for (;;) {
    rt::FBHandleEvents();
    if (rt::Button() || gQuitPending) break;
    if (action == 1 || action == 3 || action == 4 || action == 16) break;
    action = eventID = 0;
  }
  action = eventID = 0;
  MenuIDENTIFIER = MenuItem = 0;
  rt::FlushEvents();
}

}  // namespace

RefusalPlaces refusalPlaces(const RefusalText& text) {
  RefusalPlaces p;
  SetTextStyle(1, 36, rt::kBold | rt::kItalic);
  p.cautionX = std::max(p.cautionX, 92 + rt::stringWidth(kRefusalHeading) + 12);
  int right = p.cautionX + 29;
  SetTextStyle(KestrixFont, 18, rt::kItalic);
  right = std::max(right, text.firstX + rt::stringWidth(text.first));
  SetTextStyle(KestrixFont, 18, rt::kBold);
  right = std::max(right, 59 + rt::stringWidth(text.second));
  p.width = std::max(p.width, right + kRefusalMargin);
  return p;
}

RefusalText badFileText(int16_t kind, int16_t typeOfFile) {
  switch (kind) {
    case 1: return {"Too many cases to fit!", "Please select a smaller file.", 59};
    case kBadFileTooManyChannels:
      return {"Too many channels to fit!", "(maximum of" + rt::PSstrLong(kMaxChannels) + " channels) ", 56};
    case 3: return {"File format (" + rt::PSstrLong(typeOfFile) + " ) seems incorrect.", "Try loading as a text file.", 56};
    default: return {"This file seems to be damaged.", "Please select another file.", 30};
  }
}

void RefuseFile(const RefusalText& text) {
  const int savedOutput = rt::outputWindow();
  rt::setCursor(rt::Cursor::Arrow);
  HideTheToolBar();
  BuildWINDOW(kLoadWarningWindow, "Problematic File", 150, 100, 521, 286, 262);
  const RefusalPlaces places = refusalPlaces(text);
  if (places.width > 371) BuildWINDOW(kLoadWarningWindow, "Problematic File", 150, 100, int16_t(150 + places.width), 286, 262);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(128, 18, 64);
  DrawIcon(129, int16_t(places.cautionX), 64);
  SetTextStyle(1, 36, rt::kBold | rt::kItalic);
  const struct {
    rt::RGB color;
    int x, y;
  } shadow[3] = {{RGBblack, 92, 65}, {rgbyellow, 89, 62}, {RGBred, 90, 63}};
  for (const auto& s : shadow) {
    rt::foreColor(s.color);
    PrintAt(s.x, s.y, kRefusalHeading);
  }
  if (prefsArray[7] >= 26) bzot();
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 18, rt::kItalic);
  PrintAt(text.firstX, 102, text.first);
  SetTextStyle(KestrixFont, 18, rt::kBold);
  PrintAt(59, 130, text.second);
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(78, 169, bullet + "  click mouse to continue  " + bullet);
  rt::flushWindow(kLoadWarningWindow);
  waitForAnyClick();
  if (!slotIsOpen(TheFileInUse) && rt::windowExists(kSplashWindow)) rt::showWindow(kSplashWindow);
  rt::closeWindow(kLoadWarningWindow);
  RestoreTheToolBar();
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

void BADFILE(int16_t kind) {
  RefuseFile(badFileText(kind, TypeOfFile));
}

void NotEnoughMemoryToLoad() {
  scream();
  RefuseFile({"Not enough memory to load this file.", "Please select a smaller file."});
}

void FileCannotBeRead() { RefuseFile({"This file cannot be read.", "Please select another file."}); }

void MarkersWarning() {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  BuildWINDOW(kLoadWarningWindow, "", 125, 150, 545, 290, 262);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(129, 17, 60);
  bzot();
  const std::string most = MakeCaseNumber(kMaxMarkers);
  SetTextStyle(KestrixFont, 18, 0);
  rt::foreColor(RGBred);
  PrintAt(60, 44, "Caution:  ");
  rt::foreColor(RGBblack);
  // The line keeps inside the window whatever the font's width.
  const std::string more = "file has more than " + most + " markers.";
  int size = 16;
  for (rt::textSize(size); size > 10 && rt::penPosition().x + rt::stringWidth(more) > 410; rt::textSize(--size)) {
  }
  rt::drawString(more);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(60, 80, "Only the first " + most + " will be loaded.");
  rt::FBButton(1, 1, "Click to Continue", {170, 100, 360, 120}, 4);
  installModalHandlers();
  for (;;) {
    action = eventID = 0;
    waitForAction();
    if ((action == 1 && eventID == 1) || (action == 16 && (eventID == 13 || eventID == 3)) || gQuitPending) break;
  }
  action = eventID = 0;
  rt::closeWindow(kLoadWarningWindow);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

void LongLoadTimeWarning(int16_t saving) {
  const int savedOutput = rt::outputWindow();
  BuildWINDOW(kLoadWarningWindow, saving ? "Save Time Warning" : "Load Time Warning", saving ? 100 : 160, 305,
              saving ? 420 : 480, 365, 5);
  WARNINGSTRIPES(1, 10, 33, 6);
  PlaySound("bub3.mp3");
  DrawIcon(129, 22, 45);
  SetTextStyle(KestrixFont, 22, rt::kItalic);
  rt::foreColor(RGBred);
  PrintAt(70, 27, "BIG file ... ");
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBblack);
  PrintAt(180, 27, "  Please be");
  PrintAt(70, 46, "patient;  this may take a while.");
  rt::flushWindow(kLoadWarningWindow);
  rt::refreshPump();
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

void DataFileLoadStatus(int16_t toLoadingWindow, std::string_view text) {
  if (toLoadingWindow && rt::windowExists(kLoadingWindow)) rt::setOutputWindow(kLoadingWindow);
  rt::removeControl(999);
  rt::eraseRect({0, 20, 400, 75});
  EmbossPrint(1, text, 28, 32, 60);
  rt::flushWindow(rt::outputWindow());
}

}  // namespace qv
