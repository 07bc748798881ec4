// The block window (window 2): the block of the file in use enlarged for one channel, with
// its zero line, its markers and its extreme values; and the block instructions (window
// 2002) in its place while there is no block.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "plot/block_support.h"
#include "plot/block_texts.h"
#include "plot/draw_support.h"
#include "plot/marker_layout.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/trace.h"
#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr rt::RGB kBlack{0, 0, 0};
constexpr rt::RGB kWhite{65535, 65535, 65535};
constexpr rt::RGB kCyan{0, 65535, 65535};
constexpr char kInstructionsTitle[] = "Setting Data Blocks and Screen Views";
constexpr int kShowInstructionsButton = 10;
constexpr int kInstructionsText = 1;
constexpr int kCommentsBlocksMenu = 81;

std::string trimmedLabel(int channel) { return rt::trimRight(RetrieveLabel(channel)); }

// The block of slot f lies inside its file.
bool blockInFile(int f) { return BeginBlock[f] >= 1 && EndBlock[f] >= BeginBlock[f] && EndBlock[f] <= nCases[f]; }

// Keeps the window in front where it is while another window opens or is drawn.
class KeepFront {
 public:
  KeepFront() : front_(rt::frontWindow()), output_(rt::outputWindow()) {}
  ~KeepFront() {
    if (front_ != 0 && rt::windowExists(front_) && rt::frontWindow() != front_) rt::bringWindowForward(front_);
    if (rt::windowExists(output_)) rt::setOutputWindow(output_);
  }
  KeepFront(const KeepFront&) = delete;
  KeepFront& operator=(const KeepFront&) = delete;

 private:
  int front_, output_;
};

void openBlockWindow(int f, const std::string& title) {
  const rt::Point at = plot::blockWindowOrigin(f);
  const rt::Rect screen = rt::screenRect();
  UpperLimit = int16_t(std::clamp(ScreenHeight - 24 - at.y, 0, 32767));
  int width = LastBlockWindowWidth, height = LastBlockWindowHeight;
  if (width <= 0 || height <= 0) {
    width = BlockWindowRight - at.x;
    height = std::min(BlockWindowBottom + 84, screen.bottom - 30) - at.y;
  }
  width = std::max(width, 320);
  height = std::max(height, 200);
  // The bottom stays 30 pixels above the screen's: a low plot moves the window up.
  const int top = std::max(screen.top, std::min(at.y, screen.bottom - 30 - height));
  rt::openWindow(plot::kBlockWindow, title, {at.x, top, at.x + width, top + height}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(plot::kBlockWindow, 320, 200);
  BlockWindowIsOpen = 1;
}

// The trace of the block: every case, or per pixel column its extremes when the cases
// outnumber the pixels, as the plot's traces are drawn.
void drawTrace(const float* samples, int32_t begin, int32_t end, const plot::BlockScale& s) {
  plot::TraceInput in;
  in.samples = samples;
  in.first = begin;
  in.last = end;
  in.x0 = -s.xScale;
  in.pixelsPerCase = s.xScale;
  in.baseY = s.y0;
  in.yScale = s.yScale;
  static std::vector<plot::PointD> points;
  static std::vector<rt::PointF> stroke;
  plot::polylinePoints(in, points);
  stroke.resize(points.size());
  for (size_t i = 0; i < points.size(); ++i) stroke[i] = {points[i].x, points[i].y};
  const LineStyle style = SetCGLineColorFromRGB(begin, end, true, false);
  // Stroked in short pieces that share their end points: a long zigzag stroked whole makes
  // one outline crossing itself thousands of times, which takes seconds to fill.
  constexpr size_t kPiece = 16;
  for (size_t i = 0; i < stroke.size(); i += kPiece - 1) {
    const size_t n = std::min(kPiece, stroke.size() - i);
    rt::strokePolyline(stroke.data() + i, n, style.width, style.color, true);
    if (n < kPiece) break;
  }

  // A narrow block shows each of its points.
  if (int64_t(end - begin) * 5 >= RightLim) return;
  rt::penMode(rt::kPatXor);
  for (int32_t k = begin; k <= end; ++k) {
    const float v = samples[k];
    if (!std::isfinite(v)) continue;
    const int x = int(std::clamp(std::trunc((k - begin) * s.xScale), -30000.0, 30000.0));
    const int y = int(std::clamp(std::trunc(s.y0 - v * s.yScale), -30000.0, 30000.0));
    rt::frameOval({x - 3, y - 3, x + 3, y + 3});
  }
  rt::penNormal();
}

void drawLabels(int width, int height) {
  rt::textFont(1);
  rt::textSize(9);
  rt::foreColor(kCyan);
  rt::moveTo(1, 11);
  rt::drawString(StringFormatter(BlockMaxY));
  rt::foreColor(ExtremelyLightGray);
  rt::paintRect({0, height - 17, width, height - 2});
  rt::foreColor(kBlack);
  rt::moveTo(1, UpperLimit + 15);
  rt::drawString(StringFormatter(BlockMinY));
  if (width >= 281) {
    rt::textFont(KestrixFont);
    rt::textSize(12);
    rt::drawString("         channel" + rt::PSstrLong(chanB) + ":  " + trimmedLabel(chanB));
  }
  rt::moveTo(0, height - 17);
  rt::lineTo(width, height - 17);
}

std::string instructionsHtml() {
  const auto bytes = rt::readWholeFile(rt::resourcePath("RTFfiles", "data blocks.html"));
  if (!bytes) return "<p>Drag across the plot, or click twice, to select a block.</p>";
  return std::string(bytes->begin(), bytes->end());
}

}  // namespace

void OPENBLOCKWINDOW() {
  const int f = TheFileInUse;
  KeepFront keep;
  rt::closeWindow(plot::kBlockWindow);
  if (slotIsOpen(f) && FileSHORTS[f][2] == 2 && blockInFile(f) &&
      rt::windowExists(plot::kPlotWindowBase + f)) {
    const int ch = chanB >= 1 && chanB <= nChannels[f] ? chanB : 1;
    openBlockWindow(f, plot::blockWindowTitle(ch, trimmedLabel(ch), BeginBlock[f], EndBlock[f], true));
  } else {
    BlockWindowIsOpen = 0;
    BlockInstructionsWindow();
  }
}

void DrawBLOCK() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || EndBlock[f] < 1) return;
  if (chanB < 1 || chanB > nChannels[f]) chanB = 1;
  // A block that no longer fits its file (cases removed since) is not read.
  if (!blockInFile(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  const int32_t begin = BeginBlock[f], end = EndBlock[f];
  plot::setMenuItem(plot::kEditMenu, plot::kResetLastBlockItem, 0);
  plot::setMenuItem(plot::kEditMenu, plot::kClearBlockItem, 1);

  KeepFront keep;
  if (rt::windowExists(plot::kBlockWindow)) {
    rt::setWindowTitle(plot::kBlockWindow, plot::blockWindowTitle(chanB, trimmedLabel(chanB), begin, end, false));
  } else {
    openBlockWindow(f, plot::blockWindowTitle(chanB, trimmedLabel(chanB), begin, end, true));
  }
  rt::closeWindow(plot::kBlockInstructions);
  rt::setOutputWindow(plot::kBlockWindow);
  const rt::Rect r = rt::windowContentRect(plot::kBlockWindow);
  const int width = std::max(r.width(), 1), height = std::max(r.height(), 1);
  RightLim = width;
  LastBlockWindowWidth = int16_t(std::min(width, 32767));
  LastBlockWindowHeight = int16_t(std::min(height, 32767));
  UpperLimit = int16_t(std::max(height - 19, 1));
  rt::penNormal();
  rt::foreColor(BlockBackColor);
  rt::paintRect({0, 0, width, height - 17});

  nPoints = end + 1 - begin;
  const float* samples = plot::channelSamples(f, chanB);
  const plot::BlockScale s = plot::blockScale(samples, begin, end, width, UpperLimit);
  BlockMinY = s.minY;
  BlockMaxY = s.maxY;
  BlockXscale = s.xScale;
  if (BlockMaxY > 0 && BlockMinY < 0) DrawBlockZero();
  FileSHORTS[f][14] = chanB;
  const int16_t keepHistogram = PlotAsHistogram;
  PlotAsHistogram = 0;
  if (samples) drawTrace(samples, begin, end, s);
  PlotAsHistogram = keepHistogram;
  drawLabels(width, height);
  if (prefsArray[10] == 1) BLOCKMARKERS();
  OldBeginBlock = begin;
  OldEndBlock = end;
  rt::penNormal();
}

void DrawBlockZero() {
  const double span = double(BlockMaxY) - double(BlockMinY);
  if (!(span > 0)) return;
  const int y = int(std::clamp(std::trunc(UpperLimit / span * BlockMaxY + 1), -30000.0, 30000.0));
  rt::foreColor(kWhite);
  for (int x = 1; x < RightLim; x += 20) {
    rt::moveTo(x, y);
    rt::lineTo(x + 9, y);
  }
  rt::foreColor(BlockForeColor);
}

void BLOCKMARKERS() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int count = std::clamp<int>(FileSHORTS[f][5], 0, kMaxMarkers);
  if (count == 0) return;
  const int32_t begin = BeginBlock[f], end = EndBlock[f];
  std::vector<int> inside;
  for (int k = 1; k <= count; ++k)
    if (MarkersArray[f][k][1] >= begin && MarkersArray[f][k][1] <= end) inside.push_back(k);
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  rt::textFont(KestrixFont);
  rt::textSize(10);
  for (int k : inside) {
    const double x = std::trunc(double(MarkersArray[f][k][1] - begin) * BlockXscale);
    const int xi = int(std::clamp(x, -30000.0, 30000.0));
    plot::dottedVLine(xi, 12, UpperLimit - 2);
    if (inside.size() >= 61) continue;
    const int32_t code = MarkersArray[f][k][2];
    rt::moveTo(code < 201 ? xi - 2 : xi + 2, 11);
    rt::drawString(plot::markerLabel(code));
  }
  rt::penNormal();
}

void BlockInstructionsWindow() {
  const int f = TheFileInUse;
  const bool show = (!rt::windowExists(plot::kBlockInstructions) && prefsArray[20] == 1) || prefsArray[66] == 1;
  prefsArray[66] = 0;
  if (!show || !slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  KeepFront keep;
  const rt::Point at = plot::blockWindowOrigin(f);
  const rt::Rect screen = rt::screenRect();
  if (prefsArray[52]) {
    rt::openWindow(plot::kBlockInstructions, kInstructionsTitle, {at.x, at.y, at.x + 320, at.y + 40},
                   rt::kDocumentWindowClass, rt::kAttrCloseBox);
    rt::FBButton(kShowInstructionsButton, 1, "Show Instructions", {90, 10, 230, 30}, 1);
    return;
  }
  const int width = std::clamp(std::max<int>(ScreenWidth, 640) - 331, 570, std::max(570, screen.right - at.x));
  const int height = std::clamp(screen.bottom - 80 - at.y, 200, 319);
  const int top = std::max(screen.top, std::min(at.y, screen.bottom - 80 - height));
  rt::openWindow(plot::kBlockInstructions, kInstructionsTitle, {at.x, top, at.x + width, top + height},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(plot::kBlockInstructions, 570, 200);
  rt::FBTextView(kInstructionsText, {8, 8, width - 8, height - 8}, false);
  rt::textViewSetHtml(kInstructionsText, instructionsHtml());
}

void SWITCHtoWINDOW2() {
  if (!rt::windowExists(plot::kBlockWindow)) return;
  for (int m = 1; m <= 6; ++m)
    if (rt::menuExists(m)) rt::menuSetEnabled(m, false);
  rt::bringWindowForward(plot::kBlockWindow);
  upvip();
  click = 0;
  {
    SavedHandlers saved;
    rt::setHandler(rt::Vector::Menu, noMENU);
    rt::setHandler(rt::Vector::Mouse, noMOUSE);
    rt::setHandler(rt::Vector::Dialog, DoDIALOG);
    for (;;) {
      action = eventID = 0;
      waitForAction();
      if (action == 1 && eventID == kShowInstructionsButton) {
        TogglePrefs(52);
        prefsArray[66] = 1;
        OPENBLOCKWINDOW();
      } else if (action == 4 && eventID == plot::kBlockWindow) {
        prefsArray[20] = 0;
        plot::setMenuItem(kCommentsBlocksMenu, 2, 1);
        rt::closeWindow(plot::kBlockWindow);
        BlockWindowIsOpen = 0;
        break;
      } else if (action == 3 && eventID != plot::kBlockWindow) {
        break;
      }
      if (!rt::windowExists(plot::kBlockWindow)) break;
    }
    action = eventID = 0;
  }
  for (int m = 1; m <= 6; ++m)
    if (rt::menuExists(m)) rt::menuSetEnabled(m, true);
  click = 1;
  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles && rt::windowExists(plot::kPlotWindowBase + f))
    rt::setOutputWindow(plot::kPlotWindowBase + f);
  downvip();
}

}  // namespace qv
