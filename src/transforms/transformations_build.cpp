// Building window 4 of the transformations and redrawing its parts.
#include <algorithm>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/popups.h"
#include "core/text_constants.h"
#include "core/view_state.h"
#include "plot/plot_state.h"
#include "respirometry/gas_settings.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/conversion_table.h"
#include "transforms/transform_items.h"
#include "transforms/transform_windows.h"
#include "transforms/transformations_window.h"

namespace qv {

namespace {

constexpr int kWindow = 4;
constexpr int kPopupMenu = 1101, kCustomMenu = 102;
constexpr rt::Rect kParameterBox{8, 76, 312, 106};
constexpr int kFieldTop = 82, kFieldBottom = 100, kCaptionBase = kParameterCaptionBase;

void buildPopup(int id, int item) {
  rt::FBAppearanceButton(id, 1, item, kPopupMenu, 0, "", {8, 28, 312, 48}, rt::kControlPopupButton);
}

void buildCustomPopup() {
  CustomTransformsPopupMenu(kCustomMenu);
  rt::FBAppearanceButton(140, 1, 1, kCustomMenu, 0, "", {8, 52, 196, 72}, rt::kControlPopupButton);
}

void drawModeRadios(bool transform) {
  rt::FBButton(135, transform ? 2 : 1, "Transform", {8, 6, 100, 24}, 3);
  rt::FBButton(136, transform ? 1 : 2, "   Convert", {104, 6, 200, 24}, 3);
}

// A caption and its field; the small "10" of Q10 sits in the blanks after the "Q".
int captionedField(int x, const ParamField& p, int width) {
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(x, kCaptionBase, p.label);
  if (p.smallTen) {
    const size_t q = p.label.find('Q');
    const int qx = x + rt::stringWidth(p.label.substr(0, q + 1));
    SetTextStyle(KestrixFont, 9, 0);
    PrintAt(qx + 1, kCaptionBase + 3, "10");
    SetTextStyle(KestrixFont, 12, 0);
  }
  x += rt::stringWidth(p.label) + 4;
  EFForeColor = EFBackColor = 1;
  buildef(1, p.id, p.initial, int16_t(x), kFieldTop, int16_t(x + width), kFieldBottom, 1, 0);
  return x + width + 8;
}

}  // namespace

void clearParameterArea() {
  rt::setOutputWindow(kWindow);
  for (int id : {201, 202, 203, 138, 139}) rt::removeControl(id);
  rt::eraseRect(kParameterBox);
  GrayBOX(1, int16_t(kParameterBox.left), int16_t(kParameterBox.top), int16_t(kParameterBox.right),
          int16_t(kParameterBox.bottom));
  if (rt::controlExists(133)) rt::setButtonState(133, 0);
}

void dimTwoChannelItems() {
  const int state = TheFileInUse >= 0 && nChannels[TheFileInUse] >= 2 ? 1 : 0;
  if (!rt::menuExists(kPopupMenu) || rt::menuItemCount(kPopupMenu) < 26) return;
  if (rt::menuItemText(kPopupMenu, 26).rfind("Q10", 0) != 0) return;  // the conversion items are up
  for (int i = 22; i <= 26; ++i) rt::menuSetItemState(kPopupMenu, i, state);
}

void setRunButtons(TransformWindow& w) {
  rt::setOutputWindow(kWindow);
  const int state = w.ready ? 1 : 0;
  rt::setButtonState(156, state);
  if (rt::controlExists(134)) rt::setButtonState(134, state);
}

void redrawChannelList(TransformWindow& w) {
  rt::setOutputWindow(kWindow);
  const rt::Rect r = rt::windowContentRect(kWindow);
  rt::eraseRect({318, 0, 638, r.bottom - r.top});
  TRANSCHANX("Ch. X", " Ch. Y", yChan ? " Channel Data" : " channel data", -2, 1, 320, 1);
  for (int c = 1; c <= nChannels[w.f]; ++c) rt::setButtonState(c, c == MainDataChannel ? 2 : 1);
  if (yChan)
    for (int c = 1; c <= nChannels[w.f]; ++c) rt::setButtonState(40 + c, c == SecondChannel ? 2 : 1);
}

void showTransformItem(TransformWindow& w, int item) {
  clearParameterArea();
  const bool wantsY = needsChannelY(item);
  if (wantsY != (yChan == 1)) {
    yChan = wantsY ? 1 : 0;
    redrawChannelList(w);
  }
  w.ready = !wantsY || (SecondChannel >= 1 && SecondChannel <= nChannels[w.f]);
  setRunButtons(w);
  int x = 14;
  if (hasResultScale(item)) {
    rt::FBButton(138, w.multiply ? 2 : 1, "Multiply", {14, kFieldTop, 88, kFieldBottom}, 2);
    rt::FBButton(139, w.divide ? 2 : 1, "Divide", {90, kFieldTop, 156, kFieldBottom}, 2);
    x = 160;
  }
  const auto fields = transformFields(item, delta, degC);
  const int width = fields.size() == 1 && !hasResultScale(item) ? 80 : 44;
  for (const ParamField& p : fields) x = captionedField(x, p, width);
  w.item = w.code = Item1 = int16_t(item);
}

void showConversionItem(TransformWindow& w, int item) {
  clearParameterArea();
  const ConversionItem c = conversionItem(item);
  w.item = int16_t(item);
  w.code = c.code;
  ValueOfA = c.factor;
  if (isFactorConversion(item)) {
    w.text1 = std::string(c.text1);
    w.text2 = std::string(c.text2);
    captionedField(14, {201, "conversion factor:", factorText(c.factor)}, 120);
  } else if (!c.fieldLabel.empty()) {
    captionedField(14, {201, std::string(c.fieldLabel), rt::PSstr(FileInfoFLOATS[w.f][c.fileInfoWord])}, 80);
  } else if (!c.resultLabel.empty()) {
    rt::setEditText(204, c.resultLabel);
  }
}

void enterTransformMode(TransformWindow& w) {
  rt::setOutputWindow(kWindow);
  clearParameterArea();
  for (int id : {144, 146, 140}) rt::removeControl(id);
  TransformsPopupMenu(kPopupMenu);
  dimTwoChannelItems();
  w.transformMode = true;
  w.customNumber = 0;
  buildPopup(144, Item1);
  buildCustomPopup();
  drawModeRadios(true);
  const bool usable = Item1 >= 1 && Item1 <= 26 && Item1 != 19 && Item1 != 21;
  showTransformItem(w, usable ? Item1 : 17);
}

void enterConvertMode(TransformWindow& w) {
  rt::setOutputWindow(kWindow);
  clearParameterArea();
  for (int id : {144, 146, 140}) rt::removeControl(id);
  if (yChan) {
    yChan = 0;
    redrawChannelList(w);
  }
  w.transformMode = false;
  w.customNumber = 0;
  w.ready = true;
  setRunButtons(w);
  drawModeRadios(false);
  ConversionsPopupMenu(kPopupMenu);
  buildPopup(146, 22);
  showConversionItem(w, 22);
}

void buildTransformWindow(TransformWindow& w) {
  const int f = w.f;
  int plotLeft = 10, plotTop = 40;
  if (rt::windowExists(1000 + f)) {
    const rt::Rect p = rt::windowContentRect(1000 + f);
    plotLeft = p.left, plotTop = p.top;
  }
  const WindowPlace b = transformWindowPlace(plotLeft, plotTop, BottomOfPlotArea, nChannels[f], rt::screenRect().bottom);
  BuildWINDOW(kWindow, "Transformations and Conversions", int16_t(b.left), int16_t(b.top), int16_t(b.right),
              int16_t(b.bottom), 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(8, 124, "label:");
  EFForeColor = 1, EFBackColor = 8;
  buildef(1, 204, RetrieveLabel(ActiveChannel), 50, 110, 312, 128, 1, 0);
  EFBackColor = 1;
  rt::FBButton(156, 1, "Transform All", {164, 224, 312, 246}, 4);
  if (FileSHORTS[f][kBlockStateWord] == 2) rt::FBButton(134, 1, "Transform Block", {164, 200, 312, 220}, 1);
  redrawChannelList(w);
  COPYBUTTON();
  rt::FBButton(199, 1, "Info", {200, 52, 262, 72}, 1);
  rt::FBButton(159, 0, "Done", {254, 252, 312, 274}, 1);
  rt::FBButton(299, 1, "?", {282, 4, 312, 24}, 1);
  enterTransformMode(w);
}

}  // namespace qv
