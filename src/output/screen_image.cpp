// "Print File Image": the option window 200, the channel choice, the print dialogs and the
// page; everything the tool changed is put back on every way out.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/images.h"
#include "core/kit.h"
#include "core/text_format.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "output/commands.h"
#include "output/image_page.h"
#include "output/image_print.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

int16_t PZL = 1;
int gPrintedFromWidth = 0;

namespace {

constexpr int kOptions = 200, kNext = 9;
const char* const kTitles[] = {"Show Title Bar",   "Show File Name",  "Show Sampling Data", "Show Comments",
                               "Show Dotted Lines", "Show Markers",   "Show Zero Lines",
                               "Non-standard Plot Peight"};

// The check boxes follow the page from top to bottom, so that no two leader lines cross:
// the row of box k + 1 ("Show Comments" goes last, as the comments close the page).
constexpr int kRow[] = {0, 1, 2, 7, 3, 4, 5, 6};

// Where each box's leader line leaves the sketch, in box order.
constexpr rt::Point kPart[] = {{150, 49}, {150, 57}, {110, 63}, {150, 201},
                               {180, 86}, {172, 101}, {182, 140}, {182, 158}};

int rowCentre(int k) { return 24 + 24 * kRow[k]; }

void sketch() {
  // The page in miniature: title, file and sampling lines, two strips of unequal height with a
  // dotted line, a marker and a zero line, the footer and the comments.
  rt::foreColor(RGBblack);
  rt::frameRect({20, 40, 190, 230});
  rt::frameRect({28, 72, 182, 114});
  rt::frameRect({28, 118, 182, 172});
  for (int x = 32; x < 180; x += 4) rt::frameRect({x, 86, x + 1, 87});
  rt::paintRect({171, 73, 173, 113});
  for (int x = 30; x < 180; x += 8) {
    rt::moveTo(x, 140);
    rt::lineTo(x + 4, 140);
  }
  rt::textSize(2);
  rt::paintRect({28, 48, 150, 50});
  rt::paintRect({28, 56, 150, 58});
  rt::paintRect({28, 62, 110, 64});
  rt::paintRect({28, 184, 150, 186});
  rt::paintRect({28, 200, 150, 202});
  rt::paintRect({28, 208, 120, 210});
  for (int k = 0; k < 8; ++k) {
    rt::moveTo(kPart[k].x, kPart[k].y);
    rt::lineTo(225, rowCentre(k));
  }
  rt::foreColor(RGBred);
  SetTextStyle(KestrixFont, 24, 0);
  rt::moveTo(20, 30);
  rt::drawString("options...");
  rt::foreColor(RGBblack);
}

void buildOptions(int f, ImageOptions& o, int shown) {
  const int left = std::max(0, (ScreenWidth - 500) / 2);
  BuildWINDOW(kOptions, "Print File Image", int16_t(left), 85, int16_t(left + 470), 335, 262);
  sketch();
  o.markers = FileSHORTS[f][5] < 61;
  o.customHeights = CustomPlot != 0;
  const bool on[] = {o.titleBar, o.fileName, o.samplingData, o.comments, o.dottedLines, o.markers, o.zeroLines,
                     o.customHeights};
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 0; k < 8; ++k) {
    const int state = (k == 7 && shown < 2) ? 0 : on[k] ? 2 : 1;
    const int top = rowCentre(k) - 9;
    rt::FBButton(k + 1, state, kTitles[k], {230, top, 460, top + 18}, 2);
  }
  rt::FBButton(kNext, 1, "Next...", {360, 215, 450, 237}, 4);
}

bool runOptions(int f, ImageOptions& o) {
  int shown = 0;
  for (int c = 1; c <= nChannels[f]; ++c) shown += overlayFlag(f, 1, c) ? 1 : 0;
  buildOptions(f, o, FileSHORTS[f][7] == 1 ? std::max(shown, 2) : 1);
  installModalHandlers();
  action = eventID = 0;
  bool go = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= 8) {
      // The click has already ticked or cleared the box; it is read when Next is pressed.
      continue;
    } else if ((a == 1 && id == kNext) || a == 16) {
      go = true;
      break;
    } else if ((a == 4 && id == kOptions) || (a == 3 && id != kOptions && id != 5)) {
      break;
    }
  }
  bool* flags[] = {&o.titleBar, &o.fileName, &o.samplingData, &o.comments, &o.dottedLines, &o.markers,
                   &o.zeroLines, &o.customHeights};
  for (int k = 0; k < 8; ++k) *flags[k] = rt::buttonState(k + 1) == 2;
  rt::closeWindow(kOptions);
  return go;
}

void footer(int f) {
  const auto pair = [](const std::string& label, const std::string& value) {
    rt::textFace(rt::kBold);
    rt::drawString(label);
    rt::textFace(0);
    rt::drawString(value);
  };
  SetTextStyle(3, 11, 0);
  rt::moveTo(56, 525);
  pair("Mass", StringFormatter(FileInfoFLOATS[f][6]) + " g;");
  pair("   Flow", StringFormatter(FileInfoFLOATS[f][2]) + " ml/min;");
  pair("   B.P.", StringFormatter(FileInfoFLOATS[f][4]) + " torr;");
  pair("   Ta", StringFormatter(FileInfoFLOATS[f][3]) + " " + degC + ";");
  pair("   Effective volume", StringFormatter(FileInfoFLOATS[f][5]) + " ml");
  // The device name is the file-information window's table of devices.
  pair("       A-D device:  ", out::deviceName(FileInfoFLOATS[f][7]));
}

// The comment wrapped to the page's width and stopped at its bottom.
void comments(int f) {
  constexpr int kTop = 551, kRowStep = 15;
  SetTextStyle(KestrixFont, 14, rt::kBold);
  rt::moveTo(1, kTop);
  rt::drawString("Comments:  ");
  const int headingEnd = rt::penPosition().x;
  SetTextStyle(21, 12, 0);
  const rt::Rect page = rt::drawnPageRect();
  const int right = std::max(page.right, out::kPageWidth + 7) - 4;
  const int rows = std::max(1, (page.bottom - 4 - kTop) / kRowStep + 1);
  const MeasureText measure = [](std::string_view t) { return rt::stringWidth(t); };
  int y = kTop;
  for (const std::string& row : out::commentRows(CommentContainer[f], right - headingEnd, right - 1, rows, measure)) {
    rt::moveTo(y == kTop ? headingEnd : 1, y);
    rt::drawString(row);
    y += kRowStep;
  }
}

constexpr int kAlert = 1166;

// The warning line blinks between red and a second colour before the page is drawn.
void blinkWarning() {
  SetTextStyle(KestrixFont, 16, 0);
  for (int frame = 1; frame <= 11; ++frame) {
    rt::foreColor(frame % 2 ? RGBred : darkGray);
    rt::moveTo(60, 131);
    rt::drawString("This could take a while...");
    rt::flushWindow(kAlert);
    if (frame < 11) rt::waitUntilTick(rt::TickCount() + 2);  // 35 ms, two ticks
  }
  rt::foreColor(RGBblack);
}

// The tool's choices printed; a warning says why when nothing could be.
void printImage(int f, const ImageOptions& o) {
  if (CustomPlot && o.customHeights) ChangeCHARTHITE(0);
  CustomPlot = o.customHeights ? 1 : 0;
  std::vector<int> channels;
  for (int c = 1; c <= nChannels[f]; ++c)
    if (overlayFlag(f, 1, c)) channels.push_back(c);
  if (channels.empty()) {
    Warn(kAlert, "No channel was chosen.", {"Nothing was printed."});
    return;
  }
  if (!rt::pageSetup()) return;
  rt::setPageScale(0.68);
  rt::SetPrintJobName("Image of '" + FileName[f] + "'");
  if (!rt::FBPrintDialogRuntime()) return;
  showPrintingAlert(int(channels.size()));
  drawImagePage(f, o, channels, showPrintingProgress);
  const bool ok = rt::CloseLPrint();
  rt::closeWindow(kAlert);
  if (!ok) Warn(kAlert, "The image could not be printed.", {"The printer did not take the page."});
  else wssst();
}

}  // namespace

void showPrintingAlert(int strips) {
  BuildWINDOW(kAlert, "Printing Alert", 55, 110, 410, 280, 262);
  WARNINGSTRIPES(0, 355, 10, 6);
  DrawIcon(129, 20, 50);
  SetTextStyle(KestrixFont, 16, 0);
  rt::moveTo(60, 38);
  rt::drawString("Printing an image of the file.");
  // The program's page going to paper or a PDF file.
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "KSTX.gif"), 70, 52, 120, 108);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "arrow.gif"), 148, 66, 196, 94);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "PDF image.gif"), 224, 52, 271, 108);
  playIfSoundsOn("brrrp.mp3");
  blinkWarning();
  buildProgressBAR(20, 143, 335, 155, std::max(strips, 1), kAlert);
  UpdateProgressBar(0);
  rt::flushWindow(kAlert);
}

// After each strip the page hands the drawing calls back for a moment, so window 1166's
// progress bar can follow.
void showPrintingProgress(int done) {
  if (!rt::windowExists(kAlert)) return;
  rt::FBRoute(0);
  rt::setOutputWindow(kAlert);
  UpdateProgressBar(done);
  rt::flushWindow(kAlert);
  rt::refreshPump();
  rt::FBRoute(128);
}

void drawImagePage(int f, const ImageOptions& o, const std::vector<int>& channels,
                   const std::function<void(int)>& afterStrip) {
  rt::FBRoute(128);
  gPrintedFromWidth = ScreenWidth;
  const int16_t width = ScreenWidth, word7 = FileSHORTS[f][7];
  ScreenWidth = int16_t(out::kPageWidth);
  FileSHORTS[f][7] = 3;
  PZL = o.zeroLines ? 1 : 0;
  DrawSITimeIndex(464, 1);
  if (o.samplingData) footer(f);
  if (o.titleBar) TITLE(5, 18, 0);
  PRINTtheCHANNELS(o, channels, afterStrip);
  if (o.comments) comments(f);
  // The plot's width comes back before anything pages or redraws again.
  ScreenWidth = width;
  FileSHORTS[f][7] = word7;
  gPrintedFromWidth = 0;
  rt::FBRoute(0);
}

void SCREENIMAGE(int16_t) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers saved;
  const int16_t active = ActiveChannel;
  EndBeep();
  rt::setCursor(rt::Cursor::Arrow);
  ChannelSelectControlFlag = 1;
  rt::closeWindow(5);
  HideTheToolBar();
  ImageOptions o;
  if (runOptions(f, o) &&
      SELECTCHANNELS("Print File Image", 0, kSelectPrint, 1, kModePrint) != kSelectionClosed)
    printImage(f, o);
  // Every way out cleans up: a leftover printblock would swallow the next click on the plot.
  printblock = 0;
  ChannelSelectControlFlag = 0;
  ActiveChannel = active;
  rt::closeWindow(kAlert);
  RestoreTheToolBar();
  PlotForward();
  MakeSlider();
  prefsArray[25] = 0;
}

}  // namespace qv
