#include "core/kit.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/screen_place.h"
#include "core/view_state.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

int16_t CurrentlyActiveWindow = 0;
float ProgressBarScalingFactor = 1.0f;
int32_t MinimumProgressBarValue = 0;
int16_t ToolbarIsHidden = 0;
int16_t leftedge = -7;
int16_t EFForeColor = 0, EFBackColor = 6;
int16_t KestrixFont = int16_t(rt::fontNumber("Lucida Grande"));

namespace {

uint32_t gNextFlush = 0;
int32_t gLastProgressPixels = -1;

rt::Rect R(int l, int t, int r, int b) { return {l, t, r, b}; }

void frameSunken(int l, int t, int r, int b, rt::RGB lightEdge, rt::RGB darkEdge) {
  rt::penNormal();
  rt::foreColor(lightEdge);
  rt::frameRect(R(l, t, r + 1, b + 1));
  rt::foreColor(darkEdge);
  rt::moveTo(r, t);
  rt::lineTo(l, t);
  rt::lineTo(l, b);
  rt::foreColor(RGBblack);
}

}  // namespace

void BuildWINDOW(int16_t id, std::string_view title, int16_t left, int16_t top, int16_t right, int16_t bottom,
                 int16_t kind) {
  int cls = rt::kDocumentWindowClass;
  unsigned attrs = rt::kAttrCloseBox;
  if (kind == 261) cls = rt::kFloatingWindowClass, attrs = 0;
  else if (kind == 5) cls = rt::kFloatingWindowClass;
  else if (kind == 262) attrs = 0;
  // A window asked for partly off the screen is moved onto it: its buttons must be reachable.
  rt::openWindow(id, title, placeOnScreen(R(left, top, right, bottom), rt::screenRect()), cls, attrs);
  rt::setWindowBackground(id, {0xECEC, 0xECEC, 0xECEC});
  rt::clearWindow();
  rt::textFont(KestrixFont);
  rt::textSize(12);
  rt::textFace(0);
  rt::foreColor(RGBblack);
  CurrentlyActiveWindow = id;
}

void BuildBOX(int16_t l, int16_t t, int16_t r, int16_t b) { frameSunken(l, t, r, b, RGBwhite, mediumDarkGray); }

void InvertedBox(int16_t l, int16_t t, int16_t r, int16_t b) { frameSunken(l, t, r, b, mediumDarkGray, RGBwhite); }

void GrayBOX(int16_t fill, int16_t l, int16_t t, int16_t r, int16_t b) {
  if (fill) {
    rt::foreColor(LightGray);
    rt::paintRect(R(l, t, r, b));
  }
  BuildBOX(l, t, r, b);
}

void DoubleLINE(int16_t x1, int16_t x2, int16_t y) {
  rt::penNormal();
  rt::foreColor(RGBwhite);
  rt::moveTo(x1, y);
  rt::lineTo(x2, y);
  rt::foreColor(mediumDarkGray);
  rt::moveTo(x1, y - 1);
  rt::lineTo(x2, y - 1);
  rt::foreColor(RGBblack);
}

rt::RGB editColorOfCode(int code, bool background) {
  switch (code) {
    case 0: return RGBblack;
    case 1: return background ? lightBlue : RGBblack;
    case 2: return {65535, 0, 0};
    case 3: return {0, 0, 55535};
    case 4: return rgbyellow;
    case 5: return sunset;
    case 6: return RGBwhite;
    case 7: return background ? VeryLightGray : ExtremelyLightGray;
    case 8: return manila;
    default: return background ? RGBwhite : RGBblack;
  }
}

void buildef(int16_t frame, int16_t id, std::string_view text, int16_t l, int16_t t, int16_t r, int16_t b, int16_t kind,
             int16_t justification) {
  rt::FBEditField(id, text, R(l, t, r, b), kind == 7 ? 7 : 259, justification);
  if (frame) {
    rt::penNormal();
    if (kind < 5) {
      frameSunken(l - 2, t - 2, r + 1, b + 1, RGBwhite, mediumDarkGray);
      if (kind != 7) rt::selectEditField(id, 0, 32767);
    } else {
      frameSunken(l - 1, t - 1, r + 1, b + 1, mediumDarkGray, RGBwhite);
    }
  }
  rt::RGB fore = editColorOfCode(EFForeColor, false);
  rt::RGB back = editColorOfCode(EFBackColor, true);
  rt::setEditColors(id, fore, back);
  rt::setEditFont(id, KestrixFont, 12, 0);
}

void BUILDBUTTON(int16_t id, int16_t state, std::string_view label, int16_t x, int16_t y, int16_t type) {
  rt::FBButton(id, state, "", R(x, y + 1, x + 18, y + 13), type);
  rt::foreColor(RGBblack);
  rt::textFont(KestrixFont);
  rt::textSize(14);
  rt::textFace(0);
  rt::moveTo(x + 21, y + 11);
  rt::drawString(label);
}

void WARNINGSTRIPES(int16_t start, int16_t width, int16_t step, int16_t inset) {
  const int W = rt::windowFunction(2), H = rt::windowFunction(3);
  rt::penNormal();
  rt::colorNumber(1);
  // A window grown past 800 x 750 (a long warning line) gets its border striped to the end.
  rt::paintRect(R(0, 0, std::max(800, W), std::max(750, H)));
  rt::foreColor(RGBblack);
  rt::penSize(width, width);
  const int last = std::max(1450, W + H + width);
  if (step > 0) {
    for (int x = start; x <= last; x += step) {
      rt::moveTo(x, -width);
      rt::lineTo(-width, x);
    }
  } else if (step < 0) {
    for (int x = start; x >= 1450; x += step) {
      rt::moveTo(x, -width);
      rt::lineTo(-width, x);
    }
  }
  rt::penNormal();
  rt::eraseRect(R(inset + 1, inset + 1, W - inset - 2, H - inset - 2));
  BuildBOX(int16_t(inset + 1), int16_t(inset + 1), int16_t(W - inset - 2), int16_t(H - inset - 2));
  rt::foreColor(RGBblack);
  rt::setCursor(rt::Cursor::Arrow);
}

void buildProgressBAR(int16_t l, int16_t t, int16_t r, int16_t b, int32_t maximum, int16_t window) {
  rt::setOutputWindow(window);
  // An empty range would divide by zero: the bar then spans one count.
  const double span = maximum > MinimumProgressBarValue ? double(maximum) - MinimumProgressBarValue : 1.0;
  ProgressBarScalingFactor = float((r - l) / span);
  const int lo = int(std::trunc(MinimumProgressBarValue * double(ProgressBarScalingFactor)));
  const int hi = int(std::trunc(std::max<double>(maximum, MinimumProgressBarValue + 1) * ProgressBarScalingFactor));
  rt::FBAppearanceButton(777, 1, 0, lo, hi, "", R(l, t, r, b), rt::kControlProgressBar);
  gLastProgressPixels = -1;
  rt::refreshPump();
}

void UpdateProgressBar(int32_t count) {
  // Only a change of the bar's pixel position reaches the widget: a long loop calls this
  // once per sample.
  const int32_t px = int32_t(std::trunc(double(count) * ProgressBarScalingFactor));
  if (px == gLastProgressPixels) return;
  gLastProgressPixels = px;
  rt::setControlValue(777, px);
}

void buildUnscaledProgressBAR(int16_t l, int16_t t, int16_t r, int16_t b, int16_t maximum, int16_t window) {
  rt::setOutputWindow(window);
  int hi = std::max<int>(maximum, MinimumProgressBarValue + 1);
  rt::FBAppearanceButton(777, 1, 0, MinimumProgressBarValue, hi, "", R(l, t, r, b), rt::kControlProgressBar);
  gLastProgressPixels = -1;
  rt::refreshPump();
}

void DrawIcon(int16_t kind, int16_t x, int16_t y) {
  const char* name = kind == 128 ? "stopIcon.gif" : kind == 129 ? "CautionIcon.gif" : kind == 130 ? "skullIcon.gif" : nullptr;
  if (!name) return;
  const int size = kind == 129 ? 29 : 32;
  rt::Image img = rt::loadImage("DUdoderi", name);
  rt::drawImage(img, R(x, y - 33, x + size, y - 33 + size));
  rt::releaseImage(img);
}

int16_t SetWindowTitleFont() {
  if (WindowTitleFont == 2) {
    int f = rt::fontNumber("Copperplate");
    return int16_t(f ? f : 3);
  }
  if (WindowTitleFont == 1) {
    int f = rt::fontNumber("Century");
    return int16_t(f ? f : rt::fontNumber("Times"));
  }
  return KestrixFont;
}

void EmbossPrint(uint16_t colorFlag, std::string_view text, int16_t size, int16_t x, int16_t y) {
  int font = 3;
  auto tryFont = [&](const char* name) {
    int f = rt::fontNumber(name);
    if (f) font = f;
  };
  switch (WindowTitleFont) {
    case 3: font = KestrixFont; break;
    case 2: tryFont("Copperplate"); break;
    case 1:
      if (rt::fontNumber("Century")) tryFont("Century");
      else tryFont("Times");
      break;
    default: tryFont("Lucida Grande"); break;
  }
  rt::textFont(font);
  const bool blue = (prefsArray[32] & colorFlag) != 0;
  if (WindowTitleFont == 0 || prefsArray[31] == 0) rt::foreColor(RGBblack);
  else if (blue) rt::colorNumber(4);
  else rt::foreColor(VeryDarkGray);
  rt::textSize(size);
  rt::moveTo(x, y);
  rt::drawString(text);
  if (prefsArray[31]) {
    rt::foreColor(blue ? rt::RGB{0, 55700, 65535} : RGBwhite);
    rt::moveTo(x - 2, y - 2);
    rt::drawString(text);
    rt::foreColor(blue ? rt::RGB{0, 20000, 65535} : gray);
    rt::moveTo(x - 1, y - 1);
    rt::drawString(text);
  }
  rt::foreColor(RGBblack);
}

void AutoFlush() {
  const uint32_t now = rt::TickCount();
  if (now > gNextFlush) {
    gNextFlush = now + 15;
    rt::flushWindow(rt::outputWindow());
  }
}

void HideTheToolBar() {
  if (rt::windowExists(kToolBarWindow)) rt::hideWindow(kToolBarWindow);
  ToolbarIsHidden = 1;
}

void RestoreTheToolBar() {
  if (rt::windowExists(kToolBarWindow)) {
    rt::showWindow(kToolBarWindow);
    int saved = rt::outputWindow();
    rt::setOutputWindow(kToolBarWindow);
    rt::backColor(ToolBarBackgroundColor);
    rt::setButtonState(598, 1);
    rt::setOutputWindow(saved);
  }
  ToolbarIsHidden = 0;
}

void MakeSlider() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  const int32_t n = nCases[f];
  const int sw = std::max<int>(1, ScreenWidth);
  if (n <= sw) {
    rt::removeControl(kPlotSlider);
    return;
  }
  const int oldPages = FileSHORTS[f][13];
  const int pages = n / sw + (n % sw ? 1 : 0);
  FileSHORTS[f][13] = int16_t(std::min(pages, 32767));
  leftedge = -7;
  rt::removeControl(kPlotSlider);
  const double right = (pages - 1) * double(sw) / (double(n) / sw) + 12;
  rt::FBAppearanceButton(kPlotSlider, 1, 1, 1, pages, "",
                         R(leftedge, BottomOfPlotArea + 23, int(std::trunc(right)), BottomOfPlotArea + 31),
                         pages < 600 ? rt::kControlSliderTicks : rt::kControlSlider);
  int page = FileSHORTS[f][1];
  if (oldPages > 0) page = int(std::trunc(double(pages) * page / oldPages + 0.5));
  else if (page < 1 || page > pages) page = 1;
  page = std::clamp(page, 1, pages);
  FileSHORTS[f][1] = int16_t(page);
  rt::setControlValue(1010, page);
}

void EraseDiskIcon() {
  int saved = rt::outputWindow();
  if (!rt::windowExists(4)) return;
  rt::setOutputWindow(4);
  rt::eraseRect(R(290, 2, 313, 15));
  rt::setOutputWindow(saved);
}

void DRAWDISK(std::string_view) {
  if (!rt::windowExists(4)) return;
  rt::setOutputWindow(4);
  rt::eraseRect(R(290, 2, 313, 15));
  rt::penNormal();
  rt::colorNumber(3);
  rt::paintRect(R(300, 2, 313, 15));
  rt::foreColor(LightGray);
  rt::paintRect(R(302, 2, 310, 8));
  rt::foreColor(RGBblack);
  rt::frameRect(R(300, 2, 313, 15));
  rt::frameRect(R(302, 2, 310, 8));
  rt::foreColor(RGBwhite);
  rt::moveTo(313, 2);
  rt::lineTo(313, 3);
  rt::foreColor(RGBblack);
  rt::moveTo(303, 11);
  rt::lineTo(309, 11);
  rt::moveTo(303, 13);
  rt::lineTo(308, 13);
}

void DRAWPAGE() {
  if (!rt::windowExists(4)) return;
  static std::mt19937 rng(12345);
  rt::setOutputWindow(4);
  rt::penNormal();
  rt::foreColor(RGBwhite);
  rt::paintRect(R(300, 2, 313, 15));
  rt::foreColor(RGBblack);
  rt::frameRect(R(300, 2, 313, 15));
  for (int y = 2; y <= 12; y += 2) {
    int len = 1 + int(rng() % 10);
    rt::moveTo(302, y);
    rt::lineTo(302 + len - 1, y);
  }
}

void PrintAt(int x, int y, std::string_view text) {
  rt::moveTo(x, y);
  rt::drawString(text);
}

void SetTextStyle(int16_t font, int16_t size, int16_t face) {
  rt::textFont(font);
  rt::textSize(size);
  rt::textFace(face);
}

}  // namespace qv
