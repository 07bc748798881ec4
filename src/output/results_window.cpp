// The results window (window 4) and the furniture the block analyses share in it, the second
// results window (window 6) and the data-filter notice (window 90).
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "plot/label_strip.h"
#include "core/prefs.h"
#include "output/output.h"
#include "core/output_state.h"
#include "output/results_layout.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/case_filters.h"
#include "core/stats_state.h"
#include "output/subset.h"

namespace qv {

int16_t AnalysisTypingField = 0;

namespace {

constexpr int kResultsWindow = 4;
constexpr int kSecondResultsWindow = 6;
constexpr int kNoticeWindow = 90;
constexpr int kSubsetBox = 99;
constexpr int kHelpButton = 200;
constexpr int kChannelCaption = 998;
constexpr int kChannelRowY = 260;
constexpr int kBevel = 1;  // our push button stands in for the small bevel button

rt::Rect R(const Box& b) { return {b.left, b.top, b.right, b.bottom}; }
Box boxOf(const rt::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

// L and T of the plot window of the file in use, and its plot area's bottom.
PlotPlace plotPlace() {
  PlotPlace p{10, 40, BottomOfPlotArea};
  const int f = TheFileInUse;
  if (slotInUse(f) && rt::windowExists(1000 + f)) {
    const rt::Rect r = rt::windowContentRect(1000 + f);
    p.left = r.left;
    p.top = r.top;
  }
  return p;
}

int channelsOfFileInUse() { return slotInUse(TheFileInUse) ? nChannels[TheFileInUse] : 0; }

void unitButton(int id, std::string_view title, int left, int right) {
  rt::FBButton(id, 1, title, {left, 183, right, 200}, kBevel);
}

}  // namespace

void OpenResultsWindow(int16_t extraHeight, int16_t subsetBox, std::string_view title, int16_t wider) {
  const std::string kept(title);
  rt::closeWindow(kResultsWindow);
  rt::closeWindow(kSecondResultsWindow);
  const Box b = resultsWindowBounds(plotPlace(), extraHeight, subsetBox != 0, wider != 0, rt::screenRect().bottom);
  BuildWINDOW(kResultsWindow, kept, int16_t(b.left), int16_t(b.top), int16_t(b.right), int16_t(b.bottom), 6);
  if (subsetBox) {
    const int32_t count = SubsetCountOfFileInUse();
    const bool on = UseCrossChanIndex != 0;
    // A subset of fewer than 3 cases cannot be switched on; one that is on can always be
    // switched off, or every analysis would be stuck with it.
    const int state = on ? 2 : count < kMinSubsetCases ? 0 : 1;
    rt::FBButton(kSubsetBox, state, "Use Cross-Channel Subsampling", {10, 349, 279, 369}, 2);
    if (on) {
      DataFilterNotice("cross-channel selection in use");
      rt::setOutputWindow(kResultsWindow);
    }
  }
  rt::setCursor(rt::Cursor::Arrow);
}

void OPENWINDOW6(std::string_view title, int16_t height) {
  const std::string kept(title);
  rt::closeWindow(kSecondResultsWindow);
  rt::setCursor(rt::Cursor::Arrow);
  const Box b = secondResultsWindowBounds(plotPlace(), height, prefsArray[33] != 0);
  BuildWINDOW(kSecondResultsWindow, kept, int16_t(b.left), int16_t(b.top), int16_t(b.right), int16_t(b.bottom), 6);
}

void DrawChannelButtons(int16_t y) {
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBEditField(kChannelCaption, "Channel:", {2, 260, 54, 276}, 7);
  const int n = std::min<int>(channelsOfFileInUse(), kMaxChannels);
  for (int k = 1; k <= n; ++k) rt::FBButton(k, 1, channelButtonTitle(k), R(channelButtonBox(k, y)), kBevel);
  // The strip under the window names the channel of the button under the pointer.
  const int window = rt::outputWindow();
  MakeButtonChannelLabelWindow(int16_t(window));
}

void CHANNELSELECT() {
  DrawChannelButtons(kChannelRowY);
  rt::FBButton(kHelpButton, 1, "?", {280, 349, 310, 369}, kBevel);
  if (showsHistogramButtons(AnalysisCode)) {
    rt::FBButton(232, 1, "Distribution", {149, 229, 225, 249}, kBevel);
    rt::FBButton(332, 1, "(big) ", {225, 229, 263, 249}, kBevel);
    rt::FBButton(231, 1, "Scale", {270, 229, 310, 249}, kBevel);
  }
  DoubleLINE(0, 320, 30);
  WriteHEADER();
}

void WriteHEADER() {
  const int f = TheFileInUse;
  const double interval = slotInUse(f) ? FileInfoFLOATS[f][1] : 0.0;
  const ResultsHeader h = resultsHeader(ch, RetrieveLabel(ch), BeginBlock.inUse(), EndBlock.inUse(), interval);
  minutes = h.inMinutes ? 1 : 0;
  rt::gFBFloatMaxDigits = SignificantFigures;

  rt::eraseRect({0, 0, 320, 29});
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblack);
  PrintAt(2, 11, h.channelLine);
  PrintAt(2, 26, h.casesLine);

  if (!headerMarksChannel(AnalysisCode)) return;
  const int n = std::min<int>(channelsOfFileInUse(), kMaxChannels);
  for (int k = 1; k <= n; ++k)
    if (rt::controlExists(k)) rt::setButtonState(k, k == ch ? 2 : 1);
}

void IntBUTTON() {
  if (AnalysisCode < 0 || IntegrationUnit == 0) return;
  SetTextStyle(KestrixFont, 12, 0);
  unitButton(kUnitSeconds, "/sec", 75, 115);
  unitButton(kUnitMinutes, "/min", 118, 163);
  unitButton(kUnitHours, "/hr", 166, 205);
  unitButton(kUnitDays, "/day", 208, 253);
  unitButton(kUnitNone, "None", 257, 309);
  if (rt::controlExists(IntegrationUnit)) rt::setButtonState(IntegrationUnit, 2);
}

void AnalysisWindowKeys() {
  const int key = rt::editKeyCode();
  if (key == 13 || key == 3) {
    action = 16;
    eventID = 13;
    AnalysisTypingField = 0;
    rt::rejectEditKey();
    return;
  }
  const bool command = key == '/' || key == '?' || key == 'P' || key == 'p';
  const bool typing = AnalysisTypingField != 0 && rt::editFieldId() == AnalysisTypingField;
  if (typing && !command) return;
  rt::rejectEditKey();
  if (command || analysisKeyChannel(key, kMaxChannels) != 0) {
    action = 16;
    eventID = int16_t(key);
  }
}

void DataFilterNotice(std::string_view message) {
  if (!prefsArray[69] && !prefsArray[70] && !UseCrossChanIndex) return;
  const std::string text(message);
  const int remembered = rt::outputWindow();
  rt::closeWindow(kNoticeWindow);
  const PlotPlace plot = plotPlace();
  const rt::Rect s = rt::screenRect();
  const Box screen{s.left, s.top, s.right, s.bottom};
  const Box results = rt::windowExists(kResultsWindow) ? boxOf(rt::windowContentRect(kResultsWindow))
                                                      : resultsWindowBounds(plot, 0, true, false, s.bottom);
  const Box b = dataFilterNoticeBounds(plot, results, screen);
  BuildWINDOW(kNoticeWindow, "Data Filter In Use:", int16_t(b.left), int16_t(b.top), int16_t(b.right),
              int16_t(b.bottom), 261);
  WARNINGSTRIPES(1, 10, 33, 6);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  rt::FBEditField(1, text, {7, 7, 309, 25}, 7);
  rt::FBEditField(2, upperLimitLine(prefsArray[70] != 0, UpperScanLimit), {7, 28, 309, 46}, 7);
  rt::FBEditField(3, lowerLimitLine(prefsArray[69] != 0, LowerScanLimit), {7, 49, 309, 67}, 7);
  for (int id = 1; id <= 3; ++id) rt::setEditFont(id, KestrixFont, 14, 0);
  rt::setCursor(rt::Cursor::Arrow);
  if (remembered && rt::windowExists(remembered)) rt::setOutputWindow(remembered);
}

}  // namespace qv
