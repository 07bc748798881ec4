// Window 11: custom strip heights, clicked on an example plot, for the screen's strips or
// for the printed image. Each click sets the bottom of the next strip; the band a click may
// fall in keeps room for every strip still to come.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/random.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "plot/draw_support.h"
#include "plot/multichannel.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/strip_layout.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow11 = 11, kText = 21, kOK = 1, kAgain = 2, kNormal = 3;
constexpr int kGuideLeft = 5, kGuideRight = 269;
constexpr rt::RGB kWhite{0xFFFF, 0xFFFF, 0xFFFF}, kBlack{0, 0, 0};

plot::HeightsFrame frameFor(bool screen) {
  if (screen) return {0, double(BottomOfPlotArea - 19), 1, 48};
  return {5, 230, 1.777778, 85};
}

void buildWindow11(bool screen) {
  const int L = int(std::trunc((ScreenWidth - 500) * 0.5));
  if (screen)
    rt::openWindow(kWindow11, " ", {L - 10, 84, L + 500, std::max(BottomOfPlotArea + 88, 265)},
                   rt::kDocumentWindowClass, 0);
  else
    rt::openWindow(kWindow11, "Customized Plotting", {L, 80, L + 500, 320}, rt::kDocumentWindowClass, 0);
  const std::string text = std::string("To set the ") + (screen ? "" : "relative ") +
                           "height of each channel, move the cursor to the desired" +
                           " position on the example plot and click ONCE (the cursor 's vertical movement is constrained" +
                           " to leave the minimal space necessary for any remaining channels).";
  plot::staticField(kText, text, {285, 50, 490, 160}, kBlack, manila, 1, 10, 0);
  EmbossPrint(1, "Plot heights", 14, 290, 32);
  rt::textFont(1);
  rt::textSize(12);
  rt::FBButton(kOK, 0, "Plot Heights OK", {300, 170, 480, 192}, 4);
  rt::FBButton(kAgain, 0, "Select Again", {300, 198, 480, 220}, 1);
  rt::FBButton(kNormal, 0, "Use Normal Values", {300, 226, 480, 248}, 1);
  wsst();
}

void setButtons(int state) {
  for (int id : {kOK, kAgain, kNormal}) rt::setButtonState(id, state);
}

// The example with every strip of equal height.
void equalExample(const plot::HeightsFrame& fr, const std::vector<int>& shown, bool screen) {
  rt::foreColor(rt::colorOfNumber(0));
  rt::eraseRect({0, 0, 280, int(fr.Y) + 2});
  const double h = (fr.Y - fr.base) / double(shown.size());
  double t = fr.base;
  for (int c : shown) {
    VerticalPosition = int16_t(std::trunc(t + h));
    Draw_A_CHANNEL(float(t), uint16_t(c), screen ? 1 : 0);
    t += h;
  }
}

// The words of the strips picked: the screen's display words, or the slot's printed layout.
void storeStrip(int f, const plot::StripWords& s, bool screen) {
  if (screen) {
    float* w = fileVariableArray[f][s.channel];
    w[8] = s.height;
    w[9] = s.base;
    w[11] = s.base - 2;
  } else {
    PrintedStrips[f][s.channel] = {s.height, s.base};
  }
}

void pickHeights(int f, const plot::HeightsFrame& fr, const std::vector<int>& shown, bool screen) {
  const int n = int(shown.size());
  const int least = plot::leastStripHeight(fr, n);
  std::vector<double> bottoms;
  double t = fr.base;
  rt::setOutputWindow(kWindow11);
  rt::eraseRect({0, 0, 280, int(fr.Y) + 2});
  for (int k = 1; k < n; ++k) {
    const double y = GetHEIGHT(float(t + least), int16_t(fr.Y - double(n - k) * least));
    Draw_A_CHANNEL(float(t), uint16_t(shown[size_t(k - 1)]), screen ? 1 : 0);
    wssst();
    bottoms.push_back(y);
    t = y;
  }
  VerticalPosition = int16_t(fr.Y);
  Draw_A_CHANNEL(float(t), uint16_t(shown.back()), screen ? 1 : 0);
  for (const plot::StripWords& s : plot::pickedStrips(fr, shown, bottoms)) storeStrip(f, s, screen);
  (screen ? CustomScreenPlot : CustomPlot) = 1;
}

}  // namespace

float GetHEIGHT(float top, int16_t limit) {
  rt::setOutputWindow(kWindow11);
  while (rt::Button()) rt::trackingPump();
  int guide = -1;
  auto drawGuide = [](int y) {
    rt::penMode(rt::kPatXor);
    rt::foreColor(kBlack);
    rt::moveTo(kGuideLeft, y);
    rt::lineTo(kGuideRight, y);
    rt::penNormal();
  };
  rt::Point p{};
  while (!rt::Button()) {
    rt::trackingPump();
    p = rt::pointerIn(kWindow11);
    const bool inBand = p.y >= top && p.y < limit && p.x >= 6 && p.x <= kGuideRight;
    rt::setCursor(inBand ? rt::Cursor::Cross : rt::Cursor::Arrow);
    if (inBand && p.y != guide) {
      if (guide >= 0) drawGuide(guide);
      guide = p.y;
      drawGuide(guide);
    }
  }
  if (guide >= 0) drawGuide(guide);
  p = rt::pointerIn(kWindow11);
  const double y = std::max(std::min(double(p.y), double(limit) - 1), double(top));
  VerticalPosition = int16_t(y);
  rt::setCursor(rt::Cursor::Arrow);
  rt::foreColor(kBlack);
  rt::moveTo(kGuideLeft, VerticalPosition);
  rt::lineTo(kGuideRight, VerticalPosition);
  return float(y);
}

void Draw_A_CHANNEL(float top, uint16_t channel, uint16_t screen) {
  rt::setOutputWindow(kWindow11);
  const int t = int(std::trunc(top)), b = VerticalPosition;
  if (b <= t) return;
  rt::foreColor(screen ? plotBackColor : kWhite);
  rt::paintRect({5, t, 270, b});
  rt::foreColor(screen ? plotForeColor : kBlack);
  rt::frameRect({5, t, 270, b});
  const int textY = int(std::trunc(top + 10));
  rt::textFont(3);
  rt::textSize(9);
  rt::moveTo(22, textY);
  rt::drawString("Channel" + rt::PSstrLong(channel) + "     " + RetrieveLabelOf(TheFileInUse, channel));
  const int a = std::max(0, int(std::trunc((b - textY + 4) * 0.4)));
  rt::foreColor(screen ? PlotDataLineColor : kBlack);
  rt::moveTo(6, textY + randomIn(0, a));
  for (int x = 7; x <= 269; ++x) rt::lineTo(x, std::min(textY + randomIn(0, a), b - 1));
  rt::penNormal();
}

void ChangeCHARTHITE(int16_t screenFlag) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const std::vector<int> shown = plot::shownChannels(f);
  if (shown.size() < 2) return;
  const bool screen = screenFlag != 0;
  const plot::HeightsFrame fr = frameFor(screen);
  SavedHandlers saved;
  HideTheToolBar();
  buildWindow11(screen);
  installModalHandlers();
  equalExample(fr, shown, screen);
  pickHeights(f, fr, shown, screen);
  setButtons(1);
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kOK) || a == 16 || a == 4) break;
    if (a == 1 && id == kAgain) {
      setButtons(0);
      pickHeights(f, fr, shown, screen);
      setButtons(1);
    } else if (a == 1 && id == kNormal) {
      (screen ? CustomScreenPlot : CustomPlot) = 0;
      equalExample(fr, shown, screen);
    }
  }
  rt::closeWindow(kWindow11);
  RestoreTheToolBar();
  PlotForward();
}

}  // namespace qv
