// The four pages of the preferences window: their controls, headings and icons, and the
// states the controls show.
#include <string>

#include "app/prefs_window.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_controls.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// The page whose controls are up (0 none).
int16_t gPageShown = 0;

// The page area below the tab bar and right of the gears, and the whole page area below them.
constexpr rt::Rect kPageArea{0, 36, 630, 338};
constexpr rt::Rect kSampleArea{10, 192, 620, 232};

constexpr int kPage1[] = {666, 25, 30, 40, 41, 161, 162, 163, 164, 166, 165, 26, 42, 23, 29, 38, 31, 43, 27, 28};
constexpr int kPage2[] = {300, 301, 105, 107, 106, 102, 103, 104, 111, 24};
constexpr int kPage3[] = {144, 21, 12, 13, 401, 402, 32, 44};
constexpr int kPage4[] = {15, 16, 7, 8, 14, 9, 20, 10, 5, 11, 19, 18, 22, 6};

void heading(int x, int y, const char* text) {
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBred);
  PrintAt(x, y, text);
  rt::foreColor(RGBblack);
}

void check(int id, const char* label, int x, int y, int width) { rt::FBButton(id, 1, label, {x, y, x + width, y + 18}, 2); }
void radio(int id, const char* label, int x, int y, int width) { rt::FBButton(id, 1, label, {x, y, x + width, y + 18}, 3); }

bool fileInUseHasAllChannels() {
  return slotIsOpen(TheFileInUse) && nChannels[TheFileInUse] >= kMaxChannels;
}

void page1() {
  check(666, "Show Zoom Factor in Plot Windows", 20, 92, 290);
  check(25, "Use Large Label Text on Plot Windows", 20, 114, 290);
  check(30, "Show Time Scale on Plot Windows", 20, 136, 290);
  radio(40, "Place Note Buttons at Top of Plot", 20, 158, 290);
  radio(41, "Place Note Buttons at Bottom of Plot", 20, 180, 290);
  radio(161, "Sounds Off", 20, 210, 290);
  radio(162, "Use Normal Sounds", 20, 232, 290);
  check(163, "Use 'Strange' Sounds", 20, 254, 290);
  check(164, "Use Sounds at Block Selection", 20, 276, 290);
  check(166, "Play Startup Sound", 20, 298, 290);
  check(165, "Draw time grids only if > 10 pixels/grid", 320, 298, 300);
  heading(330, 60, "Toolbar Position and Color");
  radio(26, "Left", 330, 70, 80);
  radio(42, "Top", 420, 70, 80);
  radio(23, "Bottom", 510, 70, 90);
  radio(29, "Plain", 330, 94, 80);
  radio(38, "Black", 420, 94, 80);
  radio(31, "Blue-gray", 510, 94, 100);
  check(43, "'Lock' Toolbar to Plot Windows", 330, 118, 280);
  heading(330, 170, "Markers default");
  radio(27, "Hidden", 330, 180, 100);
  radio(28, "Visible", 440, 180, 100);
  rt::FBButton(335, 1, "Plot Style...", {330, 230, 450, 252}, 1);
}

void page2() {
  radio(300, "Quartz Drawing Only (best quality, but slow for large files)", 120, 44, 480);
  radio(301, "Use QuickDraw for Large Files (faster)", 120, 64, 480);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(120, 100, "Font for most text output");
  const std::string lucida = rt::fontNumber("Lucida Grande") ? "Lucida Grande" : "Geneva";
  radio(105, (lucida + "     (best; available on all systems) ").c_str(), 20, 108, 560);
  radio(107, "Century     (serif font; available on most systems)", 20, 128, 560);
  radio(106,
        BookmanAvailable() ? "Bookman Old Style    (available on many systems)"
                           : "American Typewriter     (serif font; available on new systems)",
        20, 148, 560);
  // Each text font is shown in itself.
  rt::setEditFont(105, rt::fontNumber(lucida), 12, 0);
  rt::setEditFont(107, rt::fontNumber("Century"), 12, 0);
  rt::setEditFont(106, rt::fontNumber(BookmanAvailable() ? "Bookman Old Style" : "American Typewriter"), 12, 0);
  rt::FBButton(102, 1, "  Lucida Grande", {20, 236, 210, 266}, 3);
  rt::setEditFont(102, rt::fontNumber("Lucida Grande"), 20, 0);
  if (rt::fontNumber("Copperplate")) {
    rt::FBButton(103, 1, "  Copperplate", {215, 236, 405, 266}, 3);
    rt::setEditFont(103, rt::fontNumber("Copperplate"), 22, 0);
  }
  if (rt::fontNumber("Century")) {
    rt::FBButton(104, 1, "  Century", {410, 236, 600, 266}, 3);
    rt::setEditFont(104, rt::fontNumber("Century"), 22, 0);
  }
  check(111, "Use 'Embossed' Text for Window Labels", 20, 280, 300);
  check(24, "Use 'aqua' Theme for Window Labels", 330, 280, 290);
  PrintExampleWindowLabels();
}

void page3() {
  check(144, "Warn Before Performing a Block Cut Operation", 60, 100, 520);
  check(21, "Warn Before Closing or Quitting if a File Has Been Changed", 60, 135, 520);
  DrawIcon(129, 22, 122);
  DrawIcon(129, 22, 157);
  radio(12, "'Open' Toolbar Button Accesses Kestrix-format Files Only", 20, 170, 560);
  radio(13, "'Open' Toolbar Button Asks for File Type(s) to Access", 20, 192, 560);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(20, 238, "Spreadsheet File Type:");
  radio(401, ".csv (comma-separated text)", 180, 224, 200);
  radio(402, ".xls (tab-delimited text)", 390, 224, 200);
  check(32, "Automatically Filter Newly-loaded Files for Aberrant Values ('spikes;' limit:  >=  400) ", 20, 262,
        600);
  check(44, "If Appending, Don't Ask for Input if New and Old Files Have Equal Numbers of Channels", 20, 286, 600);
}

void page4() {
  heading(20, 108, "Smoothing default");
  radio(15, "3 Samples, 1 Cycle", 30, 114, 250);
  radio(16, "Last Values Used", 30, 134, 250);
  heading(20, 180, "De-spiking default");
  radio(7, "Spike Remove Mode", 30, 186, 250);
  radio(8, "Last Mode Used", 30, 206, 250);
  heading(20, 252, "Autorepeat after");
  check(14, "Smoothing, De-spiking", 30, 258, 250);
  heading(320, 58, "Gas exchange calculation defaults");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(320, 80, "Include:");
  check(9, "Lag", 380, 66, 60);
  check(20, "Smooth", 445, 66, 80);
  check(10, "Baseline", 530, 66, 90);
  check(5, "Show Conversion Equation", 330, 88, 280);
  check(11, "Send Results to New Channel", 330, 108, 280);
  check(19, "Get Flow From Channel", 330, 128, 280);
  heading(320, 180, "Distribution histograms");
  check(18, "Separate Plots for Each Channel", 330, 186, 280);
  check(22, "Close Plots When Analysis Done", 330, 206, 280);
  heading(320, 252, "Waveform");
  check(6, "Show Triggers", 330, 258, 280);
}

template <size_t N>
void markAll(const int (&ids)[N]) {
  for (int id : ids) {
    if (!rt::controlExists(id)) continue;
    const int m = PreferenceControlMark(id);
    if (m > 0) rt::setButtonState(id, m);
  }
}

void toolBarColour() {
  if (ToolBarBackground == 20) ToolBarBackgroundColor = RGBblack;
  else if (ToolBarBackground == 14) ToolBarBackgroundColor = ToolBarBlueGray;
  else {
    ToolBarBackground = 1;
    ToolBarBackgroundColor = LightGray;
  }
}

}  // namespace

void DRAWPREFERENCEBUTTONS(int16_t page) {
  for (int id = 5; id <= 240; ++id) rt::removeControl(id);
  for (int id : {666, 401, 402, 499}) rt::removeControl(id);
  rt::eraseRect(kPageArea);
  gPageShown = 0;
  switch (page) {
    case 1: page1(); break;
    case 2: page2(); break;
    case 3: page3(); break;
    case 4: page4(); break;
    default: return;
  }
  gPageShown = page;
}

void SetThePreferenceButtons() {
  toolBarColour();
  switch (gPageShown) {
    case 1: markAll(kPage1); break;
    case 2: markAll(kPage2); break;
    case 3: markAll(kPage3); break;
    case 4:
      markAll(kPage4);
      // A file of 40 channels has no room for a results channel.
      if (rt::controlExists(11) && fileInUseHasAllChannels()) rt::setButtonState(11, 0);
      break;
    default: break;
  }
}

void PrintExampleWindowLabels() {
  rt::eraseRect(kSampleArea);
  const char* text = "Font for large window labels    ";
  const int x = WindowTitleFont == 2 ? 30 : 70;
  if (prefsArray[31]) {
    EmbossPrint(1, text, 25, int16_t(x), 221);
    return;
  }
  SetTextStyle(SetWindowTitleFont(), 25, 0);
  if (WindowTitleFont == 0) rt::textFont(rt::fontNumber("Lucida Grande"));
  rt::foreColor(RGBblack);
  PrintAt(x, 221, text);
}

}  // namespace qv
