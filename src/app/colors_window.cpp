// "Plot and Block Colors": the user's colours changed while the previews show them.
#include <algorithm>
#include <string>

#include "app/dispatcher.h"
#include "core/help.h"
#include "core/color_dialog.h"
#include "core/colors.h"
#include "core/commands.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "runtime/events.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kColorWindow = 9;
constexpr int16_t kLight = 127, kDark = 41, kStored = 128, kSave = 129, kHistogram = 130, kHelp = 135, kDone = 134;
constexpr int16_t kSubplotPopup = 200, kSubplotMenu = 200;

struct Picker {
  int16_t id;
  const char* label;
  const char* prompt;
  rt::RGB* colour;
};

const Picker kPickers[] = {
    {121, "Text , Frame, Dots...", "pick plot frame color", &plotForeColor},
    {122, "Plot Background...", "pick plot background color", &plotBackColor},
    {123, "Data Line...", "pick data line color", &PlotDataLineColor},
    {124, "Markers, Zero Line...", "pick markers color", &Pwhite},
    {125, "Block Frame, Data...", "pick block data color", &BlockForeColor},
    {126, "Block Background...", "pick block background color", &BlockBackColor},
    {130, "Histogram Bars...", "pick histogram bar color", &HistogramBarColor},
};

int channelsOfFileInUse() { return slotIsOpen(TheFileInUse) ? std::clamp<int>(nChannels[TheFileInUse], 0, 40) : 0; }

void buildWindow(int n) {
  const int left = ColorWindowLeft(ScreenWidth);
  const int height = ColorWindowHeight(n);
  BuildWINDOW(kColorWindow, "Plot and Block Colors", int16_t(left), 45, int16_t(left + kColorWindowWidth),
              int16_t(45 + height), 6);
  rt::setWindowBackground(kColorWindow, LightGray);
  rt::clearWindow();
  DrawOverlayColors(n);
  EmbossPrint(1, "Screen colors", 28, 10, 36);
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblack);
  PrintAt(8, 62, "Overlay");
  PrintAt(8, 76, "colors");
  PrintAt(516, 64, "Subplot colors");
  for (int i = 0; i < 7; ++i) {
    const int top = 232 + 24 * i;
    rt::FBButton(kPickers[i].id, 1, kPickers[i].label, {110, top, 290, top + 20}, 1);
  }
  SubplotColorsPopup(kSubplotMenu);
  rt::FBAppearanceButton(kSubplotPopup, 1, std::clamp<int>(prefsArray[82], 1, 4), kSubplotMenu, 0, "",
                         {480, 140, 634, 162}, rt::kControlPopupButton);
  rt::FBButton(kLight, 1, "Standard Light Colors", {480, 170, 634, 190}, 1);
  rt::FBButton(kDark, 1, "Standard Dark Colors", {480, 194, 634, 214}, 1);
  rt::FBButton(kStored, 1, "Use Stored Preferences", {480, 218, 634, 238}, 1);
  rt::FBButton(kSave, 1, "Save These Settings", {480, 242, 634, 262}, 1);
  rt::FBButton(kHelp, 1, "?", {480, height - 32, 515, height - 10}, 1);
  rt::FBButton(kDone, 1, "Done", {540, height - 32, 634, height - 10}, 4);
  DrawFakeColoredPlot();
  DrawFakeSubplot();
}

void redrawPreviews(int n) {
  DrawFakeColoredPlot();
  DrawOverlayColors(n);
}

// A picker of one colour; true when it was opened for a plot or block colour (121 to 126).
bool pick(const Picker& p, int n) {
  if (auto c = rt::pickColor(p.prompt, *p.colour)) *p.colour = *c;
  rt::setOutputWindow(kColorWindow);
  DrawFakeColoredPlot();
  if (p.id == 122) DrawOverlayColors(n);
  return p.id != kHistogram;
}

void pickOverlay(int c, int n) {
  if (auto picked = rt::pickColor("pick overlay color", OverlayColor[c])) OverlayColor[c] = *picked;
  rt::setOutputWindow(kColorWindow);
  DrawOverlayColors(n);
}

bool endsDialog() {
  return gQuitPending || (action == 1 && eventID == kDone) || action == 4 || action == 16 ||
         (action == 3 && eventID != kColorWindow);
}

}  // namespace

int16_t SETCOLORS() {
  SavedHandlers savedHandlers;
  PlotForward();
  HideTheToolBar();
  const int16_t savedChannel = ActiveChannel;
  const ColorSnapshot before = TakeColorSnapshot();
  const int n = channelsOfFileInUse();
  SeedColorPreviews();
  buildWindow(n);
  wssst();
  installModalHandlers();
  action = eventID = 0;
  bool pickerOpened = false;
  while (true) {
    do {
      rt::FBHandleEvents();
    } while (action == 0 && !gQuitPending);
    if (endsDialog()) break;
    rt::setOutputWindow(kColorWindow);
    const int id = eventID;
    if (action == 1) {
      const Picker* p = std::find_if(std::begin(kPickers), std::end(kPickers), [id](const Picker& k) { return k.id == id; });
      if (p != std::end(kPickers)) {
        pickerOpened = pick(*p, n) || pickerOpened;
      } else if (id >= 1 && id <= n) {
        pickOverlay(id, n);
      } else if (id == kLight || id == kDark || id == kStored) {
        if (id == kLight) DefaultColors();
        else if (id == kDark) StandardDarkColors();
        // The colours of the stored record, read again: what "Use Stored Preferences" says.
        else ReloadStoredColors();
        redrawPreviews(n);
      } else if (id == kSave) {
        SaveSettings(0);
      } else if (id == kSubplotPopup) {
        prefsArray[82] = int16_t(std::clamp(rt::controlValue(kSubplotPopup), 1, 4));
        DrawFakeSubplot();
      } else if (id == kHelp) {
        HelpSubject = 265;
        OpenHelpBook();
        rt::bringWindowForward(kColorWindow);
      }
    }
    action = eventID = 0;
  }
  ActiveChannel = savedChannel;
  action = eventID = 0;
  rt::closeWindow(kColorWindow);
  PlotForward();
  RestoreTheToolBar();
  rt::setCursor(rt::Cursor::Arrow);
  const bool dark = plotBackColor.red < 17000 && plotBackColor.green < 17000 && plotBackColor.blue < 17000;
  if (prefsArray[68] == 1 && dark) SetCrossCursor();
  playIfSoundsOn("piiing.mp3");
  // The plot is drawn again whenever anything it shows changed, not only after a picker.
  return pickerOpened || !(TakeColorSnapshot() == before) ? 1 : 0;
}

}  // namespace qv
