// "Polynomial Curve Fitting" (window 6): a polynomial of one channel on another over the
// block, its r² over the degrees (window 44), Y for a typed X, and the polynomial as a new
// channel. Everything shown and stored comes from the fit on show.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/channel_roles.h"
#include "core/colors.h"
#include "core/curve_fit_state.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/output_state.h"
#include "core/popups.h"
#include "core/saved_handlers.h"
#include "core/script_recorder.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "editing/edit_frame.h"
#include "fitting/commands.h"
#include "fitting/fit_steps.h"
#include "fitting/polynomial_fit.h"
#include "fitting/regression.h"
#include "output/commands.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"

namespace qv {

namespace {

constexpr int kWindow = 6, kSideWindow = 44;
constexpr int kDone = 1, kNewXY = 2, kNewChannel = 3, kShowAll = 4, kPrint = 5, kHelp = 6, kCalcY = 7,
              kDegreePopup = 40;
constexpr int kVariance = 111, kR2 = 112, kXLabel = 113, kYLabel = 114, kMeanX = 115, kMeanY = 116,
              kConstant = 110;
constexpr int kTypedX = 2, kComputedY = 3, kComputeY = 10, kCloseBox = 11;
constexpr int16_t kDegreeMenu = 1101, kPolynomialHelp = 195, kStepCode = 39;

// The window's own degree: the transforms keep theirs.
int gDegree = 2;

std::span<const float> samplesOf(int f, int c) { return analysisSamples(f, c); }

std::string shown(double x) { return std::isfinite(x) ? rt::PSstr(x) : std::string("**"); }

void showFit() {
  const PolynomialFit& p = LastPolynomial;
  rt::setOutputWindow(kWindow);
  rt::eraseRect({376, 0, 636, 230});
  for (int id = 101; id <= 110; ++id) rt::removeControl(id);
  if (!p.fitted()) {
    rt::setEditText(kVariance, "");
    rt::setEditText(kR2, "");
    rt::setEditText(kMeanX, shown(p.meanX) + " \u00b1 " + shown(p.sdX));
    rt::setEditText(kMeanY, shown(p.meanY) + " \u00b1 " + shown(p.sdY));
    SetTextStyle(KestrixFont, 11, 0);
    rt::foreColor(RGBred);
    PrintAt(381, 24, "No fit of degree " + std::to_string(gDegree) + ":");
    rt::FBEditField(101, p.refused, {381, 30, 630, 90}, 7);
    rt::foreColor(RGBblack);
    return;
  }
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(381, 24, "Y");
  SetTextStyle(KestrixFont, 12, 0);
  rt::drawString(" = ");
  rt::FBEditField(kConstant, shown(p.power[0]), {412, 12, 580, 25}, 7);
  for (int i = 1; i <= p.degree; ++i) {
    const int y = 22 * i + 24;
    PrintAt(396, y, "+");
    rt::FBEditField(100 + i, shown(p.power[size_t(i)]), {412, y - 13, 580, y + 1}, 7);
    PrintAt(584, y, " * X");
    if (i >= 2) {
      SetTextStyle(KestrixFont, 9, 0);
      PrintAt(605, y - 5, std::to_string(i));
      SetTextStyle(KestrixFont, 12, 0);
    }
  }
  rt::setEditText(kMeanX, shown(p.meanX) + " \u00b1 " + shown(p.sdX));
  rt::setEditText(kMeanY, shown(p.meanY) + " \u00b1 " + shown(p.sdY));
  rt::setEditText(kVariance, shown(p.variance));
  rt::setEditText(kR2, shown(p.r2));
}

void fit(int f, int degree) {
  rt::setCursor(rt::Cursor::Wait);
  LastPolynomial = fitPolynomial(samplesOf(f, MainDataChannel), samplesOf(f, SecondChannel), BeginBlock.inUse(),
                                 EndBlock.inUse(), degree);
  LastPolynomial.xChannel = MainDataChannel;
  LastPolynomial.yChannel = SecondChannel;
  rt::setCursor(rt::Cursor::Arrow);
  showFit();
}

// POLYSETUP: the fixed part of the window for the channels chosen.
void setup(int f) {
  rt::setOutputWindow(kWindow);
  rt::clearWindow();
  SetTextStyle(KestrixFont, 14, 1);
  PrintAt(10, 26, "Fit a");
  PolynomialDegreePopupMenu(kDegreeMenu);
  rt::FBAppearanceButton(kDegreePopup, 1, gDegree, kDegreeMenu, 0, "", {55, 10, 135, 32}, rt::kControlPopupButton);
  PrintAt(142, 26, "degree polynomial:");
  rt::foreColor(VeryLightGray);
  rt::paintRect({5, 45, 371, 85});
  rt::foreColor(RGBblack);
  rt::frameRect({5, 45, 371, 85});
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(10, 61, "X is chan." + std::to_string(MainDataChannel) + ":");
  PrintAt(10, 79, "Y is chan." + std::to_string(SecondChannel) + ":");
  rt::FBEditField(kXLabel, RetrieveLabel(MainDataChannel), {90, 49, 366, 64}, 7);
  rt::FBEditField(kYLabel, RetrieveLabel(SecondChannel), {90, 67, 366, 82}, 7);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 112, "N = " + std::to_string(std::max<int64_t>(int64_t(EndBlock.inUse()) - BeginBlock.inUse() + 1, 0)));
  PrintAt(94, 112, "Mean X:");
  PrintAt(94, 137, "Mean Y:");
  PrintAt(15, 162, "Residual Y variance:");
  PrintAt(120, 189, "r");
  SetTextStyle(KestrixFont, 9, 0);
  PrintAt(127, 183, "2");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(134, 189, ":");
  rt::FBEditField(kMeanX, "", {150, 97, 350, 115}, 7);
  rt::FBEditField(kMeanY, "", {150, 122, 350, 140}, 7);
  rt::FBEditField(kVariance, "", {150, 147, 320, 165}, 7);
  rt::FBEditField(kR2, "", {150, 174, 320, 193}, 7);
  rt::setEditFont(kR2, KestrixFont, 16, 0);
  rt::FBButton(kDone, 1, "Done", {540, 250, 626, 272}, 4);
  rt::FBButton(kNewXY, 1, "New X and Y...", {10, 220, 130, 242}, 1);
  rt::FBButton(kNewChannel, nChannels[f] < kMaxChannels ? 1 : 0, "Make New Channel", {140, 220, 290, 242}, 1);
  rt::FBButton(kShowAll, 1, "Show All r^2", {300, 220, 410, 242}, 1);
  rt::FBButton(kPrint, PortForResultsOutput != 0 ? 1 : 0, "Print", {10, 250, 90, 272}, 1);
  rt::FBButton(kHelp, 1, "?", {100, 250, 130, 272}, 1);
  rt::FBButton(kCalcY, 1, "Calculate Y", {140, 250, 260, 272}, 1);
}

rt::Rect besideWindow6(int width, int height) {
  const rt::Rect w = rt::windowContentRect(kWindow);
  const int left = std::min(w.right + 6, rt::screenRect().right - width - 4);
  const int top = std::max(40, std::min(w.top, rt::screenRect().bottom - height - 4));
  return {left, top, left + width, top + height};
}

// SHOWPOLYSERIES: r² of each degree as bars.
void showSeries(const PolynomialSeries& s) {
  rt::closeWindow(250);
  rt::openWindow(kSideWindow, "r-squared Histogram", besideWindow6(210, 159), rt::kDocumentWindowClass,
                 rt::kAttrCloseBox);
  rt::setWindowBackground(kSideWindow, LightGray);
  rt::foreColor(gray);
  rt::paintRect({50, 23, 199, 125});
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 11, 1);
  PrintAt(70, 16, "polynomial fit");
  SetTextStyle(KestrixFont, 10, 0);
  PrintAt(4, 78, "r");
  PrintAt(11, 82, "2");
  PrintAt(100, 154, "degree");
  float most = 0.0f;
  for (int k = 1; k <= kMostPolyDegree; ++k) most = std::max(most, s.r2[size_t(k)]);
  const int low = std::clamp(int(10.0f * s.r2[1]), 0, 9);
  const int high = std::clamp(int(10.0f * (most + 0.1f)), low + 1, 10);
  const auto tenth = [](int t) { return t == 0 ? std::string("0") : t == 10 ? std::string("1.0") : "0." + std::to_string(t); };
  rt::FBEditField(2, tenth(low), {20, 116, 48, 130}, 7, 2);
  rt::FBEditField(1, tenth(high), {20, 20, 48, 34}, 7, 2);
  rt::foreColor(darkGray);
  const int step = std::max(100 / (high - low), 1);
  for (int y = 24 + step; y < 124; y += step) {
    rt::moveTo(51, y);
    rt::lineTo(198, y);
  }
  const double perUnit = 1000.0 / (high - low);
  for (int k = 1; k <= kMostPolyDegree; ++k) {
    const float r2 = s.r2[size_t(k)];
    if (!(r2 > 0.0f)) continue;
    const int right = 67 + 16 * (k - 1);
    const int top = std::clamp(int(124 - (r2 - low / 10.0) * perUnit), 24, 124);
    rt::foreColor(k == LastPolynomial.degree ? RGBblue : lightBlue);
    rt::paintRect({right - 12, top, right, 124});
    rt::foreColor(RGBblack);
    rt::frameRect({right - 12, top, right, 124});
    PrintAt(right - 9, 139, std::to_string(k));
  }
  rt::setOutputWindow(kWindow);
}

void showAll(int f) {
  rt::setCursor(rt::Cursor::Wait);
  PolynomialSeries s = polynomialSeries(samplesOf(f, MainDataChannel), samplesOf(f, SecondChannel),
                                        BeginBlock.inUse(), EndBlock.inUse());
  rt::setCursor(rt::Cursor::Arrow);
  if (s.stopped) bzot();
  LastPolynomial = s.shown;
  LastPolynomial.xChannel = MainDataChannel;
  LastPolynomial.yChannel = SecondChannel;
  gDegree = std::max(LastPolynomial.degree, 1);
  rt::setOutputWindow(kWindow);
  rt::setControlValue(kDegreePopup, gDegree);
  showFit();
  showSeries(s);
  skid();
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
}

// CalculateYfromX: the box of window 44 that evaluates the fit on show.
void calculateY() {
  rt::openWindow(kSideWindow, "Predict Y from X", besideWindow6(330, 170), rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kSideWindow, LightGray);
  SetTextStyle(KestrixFont, 18, 0);
  PrintAt(10, 28, "Calculate  Y from the polynomial");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 66, "Enter an X value:");
  rt::FBEditField(kTypedX, "1", {130, 52, 250, 70}, 3);
  rt::FBEditField(kComputedY, "", {10, 84, 320, 110}, 7);
  rt::setEditFont(kComputedY, KestrixFont, 18, 0);
  rt::FBButton(kComputeY, 1, "Compute Y", {10, 134, 120, 156}, 4);
  rt::FBButton(kCloseBox, 1, "Done", {230, 134, 320, 156}, 1);
  for (;;) {
    waitForAction();
    if ((action == 1 && eventID == kComputeY) || (action == 16 && eventID == 13)) {
      rt::setOutputWindow(kSideWindow);
      const auto x = typedNumber(rt::editText(kTypedX));
      // X rounded to f32 as the samples it stands for.
      rt::setEditText(kComputedY, x ? "Y = " + shown(LastPolynomial.at(double(float(*x)))) : std::string("not a number"));
    } else if ((action == 1 && eventID == kCloseBox) || (action == 4 && eventID == kSideWindow) || action == 3) {
      break;
    }
  }
  rt::closeWindow(kSideWindow);
  rt::setOutputWindow(kWindow);
}

// STOREPOLY: the fit on show evaluated at every case of the file as a new channel.
void storePolynomial(int f) {
  if (!LastPolynomial.fitted()) {
    bzot();
    return;
  }
  const PolynomialFit p = LastPolynomial;
  if (!newChannelOrRefuse(0, "Make New Channel")) return;
  const int16_t d = nChannels[f];
  std::copy(fileVariableArray[f][p.xChannel], fileVariableArray[f][p.xChannel] + 14, fileVariableArray[f][d]);
  const auto x = samplesOf(f, p.xChannel);
  float* out = gPointersToFileData[f][d].get();
  if (out && !x.empty()) evaluatePolynomial(p, x, std::span<float>(out, x.size()));
  std::string label = "ch" + rt::PSstrLong(p.yChannel) + " as polynomial of ch" + rt::PSstrLong(p.xChannel);
  label = (label + std::string(20, ' ')).substr(0, 30);
  SetChannelLabel(f, d, label);
  wsst();
  finishEdit(d);
  MakeChannelSelectionsPopUp();
}

bool chooseChannels(int f, const float* replayed) {
  const int n = std::min<int>(nChannels[f], kMaxChannels);
  const auto names = [n](float w) { return w >= 1.0f && w <= float(n) && w == float(int(w)); };
  if (replayed && names(replayed[4]) && names(replayed[5]) && replayed[4] != replayed[5]) {
    MainDataChannel = int16_t(replayed[4]);
    SecondChannel = int16_t(replayed[5]);
    if (replayed[6] >= 1.0f && replayed[6] <= float(kMostPolyDegree)) gDegree = int(replayed[6]);
    return true;
  }
  MainDataChannel = ActiveChannel;
  return PickRChans(0);
}

}  // namespace

void FITPOLYNOMIAL() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || nCases[f] < 1) return;
  if (nChannels[f] < 2) {
    Warn(1166, "Fit Polynomial: ", {"A polynomial is fitted of one channel on another:", "the file has only one channel."});
    return;
  }
  SavedHandlers saved;
  HelpSubject = kPolynomialHelp;
  const float* replayed = replayedStep(kStepCode);
  const int16_t step = RecordScriptStep(kStepCode);
  AnalysisCode = kCodePolynomial;
  rt::closeWindow(4);
  rt::closeWindow(kWindow);
  if (!chooseChannels(f, replayed)) return;
  gDegree = std::clamp(gDegree, 1, kMostPolyDegree);
  const rt::Rect plot = rt::windowExists(1000 + f) ? rt::windowContentRect(1000 + f) : rt::Rect{20, 60, 900, 500};
  const int top = std::min(plot.bottom - 200, rt::screenRect().bottom - 283 - 6);
  rt::openWindow(kWindow, "Polynomial Curve Fitting", {plot.left, top, plot.left + 636, top + 283},
                 rt::kDocumentWindowClass, rt::kAttrCloseBox);
  rt::setWindowBackground(kWindow, LightGray);
  wsst();
  setup(f);
  fit(f, gDegree);
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  bool done = false;
  while (!done) {
    HelpSubject = kPolynomialHelp;
    waitForAction();
    if (MENU_or_ToolBar_PICKED) break;
    const int id = eventID;
    if (action == 1) {
      if (toolbarButtonPicked(id)) break;
      switch (id) {
        case kDegreePopup:
          gDegree = std::clamp(rt::controlValueIn(kWindow, kDegreePopup), 1, kMostPolyDegree);
          rt::closeWindow(kSideWindow);
          fit(f, gDegree);
          skid();
          break;
        case kDone: done = true; break;
        case kNewXY:
          rt::closeWindow(kSideWindow);
          SecondChannel = int16_t(SecondChannel + nChannels[f]);
          if (PickRChans(0)) {
            gDegree = 1;
            setup(f);
            fit(f, gDegree);
          }
          break;
        case kNewChannel:
          storePolynomial(f);
          rt::bringWindowForward(kWindow);
          rt::setOutputWindow(kWindow);
          rt::setButtonState(kNewChannel, nChannels[f] < kMaxChannels ? 1 : 0);
          break;
        case kShowAll:
          if (rt::windowExists(kSideWindow)) rt::closeWindow(kSideWindow);
          else showAll(f);
          break;
        case kPrint: printAnalysisReport('p'); break;
        case kHelp: OpenHelpBook(); break;
        case kCalcY:
          if (LastPolynomial.fitted()) calculateY();
          else bzot();
          break;
        default: break;
      }
    } else if (action == 16) {
      if (id == '/' || id == '?') OpenHelpBook();
      else if (id == 13) done = true;
    } else if (action == 4) {
      if (id == kSideWindow) rt::closeWindow(kSideWindow);
      else if (id == kWindow) done = true;
    } else if (action == 3 && id != kWindow && id != kSideWindow) {
      done = true;
    }
  }
  completeFitStep(step, {{2, 1.0f}, {4, float(MainDataChannel)}, {5, float(SecondChannel)}, {6, float(gDegree)}});
  rt::FlushEvents();
  rt::closeWindow(kSideWindow);
  rt::closeWindow(kWindow);
  REFRESHBLOCK();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
