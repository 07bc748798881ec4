// Window 6 "Multichannel Display": switches the multi-channel view on, chooses its strips
// again or goes back to one channel; and the return to the single-channel view.
#include <algorithm>
#include <string>

#include "core/menu_state.h"
#include "core/menus.h"
#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/results_scaling.h"
#include "plot/multichannel.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow6 = 6, kOverlayButton = 581;
enum : int { kNext = 1, kAdjust = 2, kOneChannel = 3, kCustom = 4, kSameView = 5, kAsk = 6, kDontAsk = 7,
             kCancel = 8, kStandard = 20 };

enum class Outcome { Cancel, Next };

struct Choice {
  int radio = kAdjust;  // kSameView, kAdjust or kOneChannel
  int16_t mode = 1;     // word 7 afterwards
};

void setRadios(const Choice& c, bool viewOn) {
  if (viewOn)
    for (int id : {kSameView, kAdjust, kOneChannel}) rt::setButtonState(id, c.radio == id ? 2 : 1);
  const bool one = c.radio == kOneChannel;
  rt::setButtonState(kCustom, one ? 0 : CustomScreenPlot ? 2 : 1);
  rt::setButtonState(kAsk, one ? 0 : prefsArray[23] ? 2 : 1);
  rt::setButtonState(kDontAsk, one ? 0 : prefsArray[23] ? 1 : 2);
}

void buildWindow6(bool viewOn) {
  const int left = std::max(0, int((ScreenWidth - 500) * 0.5));
  rt::openWindow(kWindow6, "Multichannel Display", {left, 80, left + 260, 330}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox);
  rt::textFont(1);
  rt::textSize(12);
  if (viewOn) {
    rt::FBButton(kSameView, 1, "Same view as before", {10, 8, 250, 28}, 3);
    rt::FBButton(kAdjust, 2, "Adjust Channels", {10, 30, 250, 50}, 3);
    rt::FBButton(kOneChannel, 1, "One Channel  (Show ch." + rt::PSstrLong(ActiveChannel) + ") ", {10, 52, 250, 72}, 3);
  } else {
    rt::FBButton(kStandard, 1, "Use Standard  Multichan Settings", {10, 8, 250, 36}, 1);
    rt::foreColor({0, 0, 0});
    rt::moveTo(10, 55);
    rt::drawString("Or select options below and click 'Next...'");
  }
  rt::FBButton(kCustom, 1, "Use non-standard plot heights", {10, 90, 250, 110}, 2);
  rt::foreColor({0, 0, 0});
  rt::paintRect({10, 125, 245, 212});
  rt::foreColor({0xFFFF, 0xFFFF, 0xFFFF});
  rt::moveTo(32, 140);
  rt::drawString("If a new channel is created:");
  // The radio buttons' own captions would be dark on the black box: the box prints them white.
  rt::FBButton(kAsk, 1, "", {20, 150, 40, 172}, 3);
  rt::FBButton(kDontAsk, 1, "", {20, 178, 40, 200}, 3);
  rt::moveTo(42, 166);
  rt::drawString("Ask if it Should Be Plotted");
  rt::moveTo(42, 194);
  rt::drawString("Don't Ask (Do Not Plot) ");
  rt::FBButton(kCancel, 1, "Cancel", {20, 220, 110, 242}, 1);
  rt::FBButton(kNext, 1, "Next...", {150, 220, 245, 242}, 4);
}

Outcome runWindow6(bool viewOn, Choice& c) {
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 16 || (a == 3 && id != kWindow6)) {
      c.mode = 1;
      return Outcome::Next;
    }
    if (a == 4) return Outcome::Cancel;
    if (a != 1) continue;
    switch (id) {
      case kSameView: c.radio = kSameView; break;
      case kAdjust: c.radio = kAdjust, c.mode = 1; break;
      case kOneChannel: c.radio = kOneChannel, c.mode = 0; break;
      case kCustom: CustomScreenPlot = CustomScreenPlot ? 0 : 1; break;
      case kAsk: prefsArray[23] = 1; break;
      case kDontAsk: prefsArray[23] = 0; break;
      case kStandard:
        prefsArray[81] = 1;
        c.mode = 1;
        DrawAllScaleMode = plot::kNormalScale;
        return Outcome::Next;
      case kNext:
        if (c.radio != kOneChannel) c.mode = 1;
        return Outcome::Next;
      case kCancel: return Outcome::Cancel;
      default: break;
    }
    setRadios(c, viewOn);
  }
}

// The strips chosen again: all channels with the standard settings, else the user's choice.
void chooseStrips(int f) {
  if (prefsArray[81] == 1) {
    for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(f, 1, c) = c <= nChannels[f] ? 1 : 0;
    // Normal scaling for the active channel, as the view's first redraw gave it.
    if (ActiveChannel >= 1 && ActiveChannel <= kMaxChannels) scalingFactorArray[ActiveChannel][4] = plot::kNormalScale;
  } else {
    ChannelSelectControlFlag = 1;
    SELECTCHANNELS("Select Channels To Display", 0, kSelectMultiView, 0, kModeDisplay);
    if (plot::shownChannels(f).empty()) overlayFlag(f, 1, 1) = 1;
    if (CustomScreenPlot) ChangeCHARTHITE(1);
  }
}

void showStrips(int f) {
  if (rt::menuExists(kViewMenu)) FBMenu(kViewMenu, 7, 0);
  RestoreTheToolBar();
  if (rt::controlExistsIn(kToolBarWindow, kOverlayButton)) rt::setButtonStateIn(kToolBarWindow, kOverlayButton, 0);
  DRAWCOMMENTS();
  rt::setOutputWindow(1000 + f);
  rt::backColor(gray);
  DrawALLCHANNELS(0);
  if (!printblock) RefreshPLOTBLOCK(0);
}

}  // namespace

void MultiChannelDisplay(int16_t single) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (single != 0) {
    plot::returnToSingleView(f);
    return;
  }
  if (nChannels[f] < 2) return;
  if (FileSHORTS[f][kViewModeWord] > 2) {
    plot::returnToSingleView(f);
    return;
  }
  const bool viewOn = FileSHORTS[f][kViewModeWord] != 0;
  const int16_t keepCustom = CustomScreenPlot, keepAsk = prefsArray[23];
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  HideTheToolBar();
  Choice c;
  {
    SavedHandlers saved;
    buildWindow6(viewOn);
    prefsArray[81] = 0;
    setRadios(c, viewOn);
    installModalHandlers();
    action = eventID = 0;
    const Outcome o = runWindow6(viewOn, c);
    rt::closeWindow(kWindow6);
    RestoreTheToolBar();
    if (o == Outcome::Cancel) {
      CustomScreenPlot = keepCustom;
      prefsArray[23] = keepAsk;
      PlotForward();
      return;
    }
  }
  if (c.mode == 0) {
    plot::returnToSingleView(f);
    return;
  }
  FileSHORTS[f][kViewModeWord] = 1;
  if (c.radio == kSameView && viewOn) {
    PlotForward();
    return;
  }
  chooseStrips(f);
  showStrips(f);
}

namespace plot {

void returnToSingleView(int f) {
  // Row 2 (the channels to save) is not the view's: only the strips go.
  for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(f, 1, c) = 0;
  if (rt::windowExists(1000 + f)) {
    rt::setOutputWindow(1000 + f);
    for (int id = 701; id <= 740; ++id) rt::removeControl(id);
  }
  printblock = 0;
  rt::closeWindow(7);
  rt::closeWindow(kChannelPickerWindow);
  FileSHORTS[f][kViewModeWord] = 0;
  LastBottom = BottomOfPlotArea;
  FindMinMax();
  DrawPlot(0, 0, 1, 0);
  RestoreTheToolBar();
  if (rt::controlExistsIn(kToolBarWindow, kOverlayButton)) rt::setButtonStateIn(kToolBarWindow, kOverlayButton, 1);
  for (int16_t item = 5; item <= 13; ++item) FBMenu(kFileMenu, item, 1);
  if (openFileCount() < 3) FBMenu(kFileMenu, 11, 0);
  FBMenu(kAppendMenu, 1, 1);
  FBMenu(kAppendMenu, 2, 1);
  for (int16_t m = 2; m <= 7; ++m) FBMenu(m, 0, 1);
  FBMenu(kViewMenu, 9, 1);
  DRAWCOMMENTS();
  rt::closeWindow(4);
  PlotForward();
  BaseLineButton = 0;
  if (AllValues) DoALLVALUES(0);
  RestoreTheToolBar();
}

}  // namespace plot

}  // namespace qv
