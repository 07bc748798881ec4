// Window 444: the acquisition data of the file in use (forms 1, 2 and 3) or the colour legend
// of the channels shown in its plot (form 0). The window only reads the file table.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/menu_state.h"
#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "core/view_state.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_info_layout.h"
#include "datafiles/file_info_texts.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// The lines that begin the transform and the N/sample columns of the acquisition table.
constexpr int kTransformColumn = 592, kReadingsColumn = 752;

constexpr int kInfoWindow = 444;
constexpr int kResultWindow = 4;
constexpr int kCommentsWindow = 515;

void textAt(int x, int y, const std::string& text) {
  rt::moveTo(x, y);
  rt::drawString(text);
}

void channelName(int x, int y, int c, RGB color) {
  rt::foreColor(color);
  textAt(x, y, "Channel" + rt::PSstr(c));
}

void acquisitionList(int n) {
  rt::foreColor(plotBackColor);
  rt::paintRect({0, 14, 266, 13 * n + 14});
  SetTextStyle(KestrixFont, 11, 0);
  for (int c = 1; c <= n; ++c) {
    const int y = 13 * c + 10;
    channelName(4, y, c, c == 1 ? PlotDataLineColor : OverlayColor[c]);
    rt::foreColor(plotForeColor);
    textAt(78, y, RetrieveLabel(c));
  }
}

void legendList(int f, int n) {
  const std::vector<int> rows = legendChannels(ActiveChannel, &OverlayArray[f][kOverlayRowLength], n);
  const int k = int(rows.size());
  rt::foreColor(plotBackColor);
  rt::paintRect({0, 14, 320, 13 * k + 14});
  SetTextStyle(KestrixFont, 12, 0);
  channelName(4, 24, ActiveChannel, PlotDataLineColor);
  textAt(73, 24, RetrieveLabel(ActiveChannel));
  SetTextStyle(KestrixFont, 11, 0);
  for (int r = 2; r <= k; ++r) {
    const int c = rows[size_t(r - 1)], y = 13 * r + 10;
    channelName(4, y, c, OverlayColor[c]);
    rt::foreColor(plotForeColor);
    textAt(78, y, RetrieveLabel(c));
  }
}

void line(int x1, int y1, int x2, int y2) {
  rt::moveTo(x1, y1);
  rt::lineTo(x2, y2);
}

void rules(int n, int right) {
  rt::foreColor(RGBblack);
  line(71, 0, 71, 13 * n + 13);
  line(0, 13, 880, 13);
  line(right, 0, right, 13 * n + 13);
  line(0, 13 * n + 13, right, 13 * n + 13);
}

void caption(int x, int y, const std::string& text) {
  rt::textFace(rt::kBold);
  textAt(x, y, text);
  rt::textFace(0);
}

void fileFacts(int f, int extra) {
  const int n = nChannels[f];
  if (n <= 39) DoubleLINE(0, 880, int16_t(extra + 222));
  const int y0 = extra + 235, y1 = extra + 253;
  const float* info = FileInfoFLOATS[f];
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  caption(5, y0, " cases:  ");
  rt::drawString(caseCountText(nCases[f]));
  caption(140, y0, "markers:");
  rt::drawString(std::to_string(FileSHORTS[f][kMarkerCountWord]));
  if (NumberOfNotes[f]) {
    rt::textFace(rt::kBold);
    rt::drawString(", notes:");
    rt::textFace(0);
    rt::drawString(std::to_string(NumberOfNotes[f]));
  }
  caption(320, y0, "interval ");
  rt::drawString(rt::PSstr(info[1]) + " sec,");
  const DurationText d = durationText(info[1], nCases[f]);
  rt::textFace(rt::kBold);
  rt::drawString("  duration ");
  rt::textFace(0);
  rt::drawString(d.value + d.unit);
  caption(640, y0, "flow rate ");
  rt::drawString(rt::PSstr(info[2]) + (prefsArray[53] ? " L/min" : " ml/min"));
  caption(5, y1, " B.P. ");
  rt::drawString(rt::PSstr(info[4]) + " torr ");
  caption(140, y1, "Ta ");
  rt::drawString(rt::PSstr(info[3]) + " " + degC);
  caption(260, y1, "effective volume ");
  rt::drawString(rt::PSstr(info[5]) + " ml");
  caption(480, y1, "mass ");
  rt::drawString(rt::PSstr(info[6]) + " g");
  rt::colorNumber(4);
  textAt(610, y1, "A-D device:  ");
  rt::foreColor(RGBblack);
  rt::drawString(deviceName(info[7]));
}

void acquisitionTable(int n) {
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblack);
  const std::pair<int, const char*> heads[] = {{273, "A-D #"},     {325, "A value"},   {417, "B value"},
                                               {511, "C value"},   {595, "transform"}, {760, "N/sample"}};
  for (const auto& [x, text] : heads) textAt(x, 10, text);
  line(320, 13, 740, 13);
  rt::foreColor(darkGray);
  for (int s = 1; s <= n; ++s) line(320, 13 * s + 13, 880, 13 * s + 13);
  for (int x : {317, 413, 505, kTransformColumn, kReadingsColumn}) line(x, 0, x, 13 * n + 13);
  rt::foreColor(RGBblack);
  for (int c = 1; c <= n; ++c) A_to_D_INFO(int16_t(c), int16_t(13 * c));
  rt::foreColor(darkGray);
  for (int s = 1; s <= n; ++s) line(0, 13 * s + 13, 880, 13 * s + 13);
}

void legendGrid(int f, int n) {
  const int k = int(legendChannels(ActiveChannel, &OverlayArray[f][kOverlayRowLength], n).size());
  rt::foreColor(darkGray);
  for (int s = 1; s <= k; ++s) line(0, 13 * s + 13, 320, 13 * s + 13);
}

// Form 1 ends on a parked command, a close box or a click in another window; the event that
// ended it is left for the caller's loop.
void runModalLoop() {
  SavedHandlers saved;
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  action = eventID = 0;
  for (;;) {
    rt::FBHandleEvents();
    if (MENU_or_ToolBar_PICKED || gQuitPending || action == 4 ||
        (action == 3 && eventID != kResultWindow && eventID != kCommentsWindow && eventID != kInfoWindow))
      break;
    action = eventID = 0;
  }
}

}  // namespace

void A_to_D_INFO(int16_t channel, int16_t y) {
  const int f = TheFileInUse;
  float k[5];
  for (int i = 0; i < 5; ++i) k[i] = nChannels[f] >= i + 2 ? fileVariableArray[f][i + 2][24] : 0.0f;
  SetTextStyle(KestrixFont, 11, 0);
  rt::backColor(VeryLightGray);
  for (const RowText& t : acquisitionRow(fileVariableArray[f][channel], k)) {
    // The transform column ends at the N/sample line: a text that would run into it loses the
    // spaces it is indented by.
    std::string_view text = t.text;
    if (t.x >= kTransformColumn && t.x < kReadingsColumn &&
        t.x + rt::stringWidth(text) + (t.raisedTwo ? 12 : 0) > kReadingsColumn - 3)
      text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
    textAt(t.x, y + 10, std::string(text));
    if (t.raisedTwo) {
      MakeSuperscript("2", 11);
      rt::drawString(")");
    }
  }
}

void FILEINFO(std::string_view, std::string_view, std::string_view, int16_t mode) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int caller = rt::outputWindow();
  // Form 3 is asked for by the result window itself, which stays.
  if (mode != 3) rt::closeWindow(kResultWindow);
  rt::setCursor(rt::Cursor::Arrow);
  ThisFileName = FileName[f];
  const bool legend = mode == 0;
  const int n = nChannels[f], extra = fileInfoExtra(n);
  const std::string title = (legend ? "Color Codes for  '" : "Acquisition Data for  '") + ThisFileName + " '";
  const int plotWindow = 1000 + f;
  const rt::Rect plot = rt::windowExists(plotWindow) ? rt::windowContentRect(plotWindow) : rt::Rect{};
  const rt::Rect r = fileInfoWindowRect(mode, plot, BottomOfPlotArea, n, rt::screenRect());
  if (mode == 2) rt::setOutputWindow(kCommentsWindow);
  else HideTheToolBar();
  BuildWINDOW(kInfoWindow, title, int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom),
              mode == 2 ? 5 : 6);
  SetTextStyle(KestrixFont, 12, 0);
  textAt(5, 10, "Channel              label");
  if (legend) {
    legendList(f, n);
    rules(n, 320);
    legendGrid(f, n);
  } else {
    acquisitionList(n);
    rules(n, 266);
    fileFacts(f, extra);
    acquisitionTable(n);
  }
  rt::flushWindow(kInfoWindow);
  if (mode == 1) {
    runModalLoop();
    rt::closeWindow(kInfoWindow);
  }
  bup();
  if (mode == 2) {
    if (rt::windowExists(kCommentsWindow)) rt::setOutputWindow(kCommentsWindow);
  } else if (mode == 3) {
    RestoreTheToolBar();
    if (rt::windowExists(caller)) rt::setOutputWindow(caller);
  } else {
    RestoreTheToolBar();
    if (rt::windowExists(plotWindow)) rt::setOutputWindow(plotWindow);
  }
}

}  // namespace qv
