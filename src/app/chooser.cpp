#include "app/chooser.h"
#include "app/dispatcher.h"

#include "calculators/commands.h"
#include "app/about.h"
#include "core/colors.h"
#include "core/commands.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "core/images.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "scripts/commands.h"

namespace qv {


namespace {

void installChooserHandlers() {
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Edit, CHECKRETURN);
}

// The file menus are off while the chooser waits; the Script menu stays on where loading a
// script is allowed (its other items do nothing here).
void setFileMenus(bool on, uint16_t scriptsAllowed) {
  for (int16_t m = 1; m <= 6; ++m)
    if (rt::menuExists(m) && !(m == kScriptMenu && scriptsAllowed)) FBMenu(m, 0, on ? 1 : 0);
}

void bringBack(uint16_t withSable) {
  if (!rt::windowExists(kChooserWindow)) return;
  rt::bringWindowForward(kChooserWindow);
  rt::setOutputWindow(kChooserWindow);
  DrawFileTypeIcons(withSable);
}

// The menu choices the chooser lets through while it waits.
void handleMenuPick(uint16_t startup, uint16_t scriptsAllowed) {
  const int16_t menu = MenuIDENTIFIER, item = MenuItem;
  if (menu == kSpecialMenu) {
    RunCalculator(uint16_t(item));
  } else if (menu == kAppMenu && item == kAboutItem) {
    AboutQuorvelant();
  } else if (menu == kScriptMenu && item == 4 && scriptsAllowed) {
    LoadScriptFromFile();
    bringBack(0);
  } else if (menu == kHelpMenu) {
    if (item == 1) {
      HelpSubject = 1;
      OpenHelpBook();
    } else if (item == 4) {
      LSLaunchURL(2);
    } else if (item == 5) {
      LSLaunchURL(3);
    }
  }
  // A tool opened from here left its own handlers and may have covered the chooser.
  installChooserHandlers();
  if (startup) bringBack(1);
  rt::FlushEvents();
  action = eventID = 0;
}

}  // namespace

void DrawFileTypeIcons(uint16_t withSable) {
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "SCCF.gif"), 150, 5, 236, 84);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "KSTX.gif"), 32, 2, 105, 84);
  if (MergeThisFile == 0)
    DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "CSVicon.png"), 354, 5, 424, 83);
  if (withSable)
    DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "ExpeDataIcon.png"), 255, 5, 322, 84);
}

void SelectFileTYPE(uint16_t startup, int16_t left, int16_t top, uint16_t ask, uint16_t scriptsAllowed) {
  eventID = 1;
  action = 0;
  // Picks that an earlier tool window ignored (Preferences among them) are not this window's:
  // they would end it, or be taken for a pick here and eat the user's first click.
  prefsArray[64] = 0;
  MenuIDENTIFIER = MenuItem = 0;
  if (ask && OpenAsk == 0) {
    TypeOfFile = 5;
    return;
  }
  const int16_t l = int16_t(left + (prefsArray[33] ? -35 : -65));
  const int16_t t = int16_t(top + 15);
  BuildWINDOW(kChooserWindow, " Select the Type of File to Load:", l, t, int16_t(l + 535),
              int16_t(t + (startup ? 189 : 155)), 262);
  rt::windowShowsMenuBar(kChooserWindow, true);
  wsst();
  DrawFileTypeIcons(1);
  rt::FBButton(1, 1, "Kestrix Only", {10, 90, 120, 110}, 4);
  rt::FBButton(4, 1, "Sable or Kestrix Binary", {130, 90, 330, 110}, 1);
  if (MergeThisFile == 0) {
    rt::FBButton(6, 1, "Any Sable or Kestrix File", {130, 115, 330, 135}, 1);
    rt::FBButton(3, 1, ".csv; Text", {348, 90, 427, 110}, 1);
  }
  rt::FBButton(7, 1, "?", {460, 115, 500, 135}, 1);
  if (startup) rt::FBButton(5, 1, "Quit", {450, 90, 510, 110}, 1);
  else rt::FBButton(5, 1, "Cancel", {444, 90, 510, 110}, 1);
  if (startup) {
    ColorSet();
    SetTextStyle(KestrixFont, 15, 0);
    rt::foreColor(RGBblack);
    PrintAt(35, 161, bullet + "  You can use 'Special' menu calculators without loading a file");
  }
  setFileMenus(false, scriptsAllowed);
  installChooserHandlers();

  bool done = false;
  while (!done) {
    rt::FBHandleEvents();
    if (prefsArray[64] == 3) break;
    // Documents handed over while the first file is chosen are that file: start-up opens them.
    if (startup && FileHasBeenClicked) {
      TypeOfFile = 9;
      break;
    }
    if (gQuitPending) {
      // The menu's Quit acts as the Quit button at start-up (nothing is open yet) and as
      // Cancel elsewhere, where the main loop then takes the Quit road with its questions.
      if (startup) {
        rt::closeWindow(kChooserWindow);
        rt::exitProgram(0);
      }
      TypeOfFile = 9;
      break;
    }
    if (MenuIDENTIFIER != 0) handleMenuPick(startup, scriptsAllowed);
    if (startup && rt::frontWindow() != kChooserWindow) rt::bringWindowForward(kChooserWindow);
    MenuIDENTIFIER = MenuItem = 0;
    int16_t button = action == 1 ? eventID : 0;
    if (action == 16 && (eventID == 13 || eventID == 3)) button = 1;  // Return: the default button
    switch (button) {
      case 1: TypeOfFile = 5, done = true; break;
      case 3: TypeOfFile = 3, done = true; break;
      case 4: TypeOfFile = 4, done = true; break;
      case 6: TypeOfFile = 7, done = true; break;
      case 5:
        if (startup) {
          rt::closeWindow(kChooserWindow);
          rt::exitProgram(0);
        }
        TypeOfFile = 9;
        done = true;
        break;
      case 7:
        HelpSubject = 279;
        OpenHelpBook();
        bringBack(1);
        rt::FlushEvents();
        break;
      default: break;
    }
    action = eventID = 0;
  }
  rt::closeWindow(kChooserWindow);
  setFileMenus(true, scriptsAllowed);
  // Only start-up shows the chooser again after the preferences; elsewhere the choice ends
  // as Cancel does, and the preferences open here since no caller would open them.
  if (!startup && prefsArray[64] == 3) {
    prefsArray[64] = 0;
    TypeOfFile = 9;
    SETPREFERENCES();
  }
}

}  // namespace qv
