// What the buttons of the transformations window do: runs, keeping a result, cancelling, the
// channel lists, the custom items, the copy and block-value buttons, and the exit.
#include <cmath>
#include <cstring>

#include "core/help.h"
#include "core/channel_roles.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/gas_settings.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "transforms/commands.h"
#include "transforms/conversion_table.h"
#include "transforms/custom_list.h"
#include "transforms/custom_table.h"
#include "transforms/perform_transforms.h"
#include "transforms/transform_items.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"
#include "transforms/transformations_window.h"

namespace qv {

namespace {

constexpr int kWindow = 4;

std::string fieldText(int id) { return rt::controlExistsIn(kWindow, id) ? rt::editTextIn(kWindow, id) : ""; }

int16_t runCode(const TransformWindow& w) {
  if (w.customNumber >= 1 && w.customNumber <= NumberOfCustomTransforms)
    return wordToI16(CustomTransformsArray[size_t(w.customNumber)][3]);
  return w.code;
}

std::string exponentText(const TransformWindow& w, int16_t code) {
  if (w.customNumber >= 1) return rt::PSstr(CustomTransformsArray[size_t(w.customNumber)][7]);
  return code == 5 ? fieldText(203) : code == 16 ? fieldText(202) : "";
}

// A new custom record takes the values of the fields its code shows (code 16 keeps its
// exponent in 202), read as a run would read them; a custom transform in use passes its own on.
WindowParameters newRecordParameters(const TransformWindow& w) {
  if (w.customNumber >= 1 && w.customNumber <= NumberOfCustomTransforms) {
    const auto& rec = CustomTransformsArray[size_t(w.customNumber)];
    return {rec[5], rec[6], rec[7], std::nullopt};
  }
  TransformRequest r;
  r.code = w.code;
  r.field201 = fieldText(201);
  r.field202 = fieldText(202);
  r.field203 = fieldText(203);
  return windowParameters(r);
}

}  // namespace

void logRun(const TransformWindow& w, int16_t code, const std::string& exponent) {
  std::string words;
  if (code >= 40) {
    words = "conversion #" + rt::PSstrLong(code - 39) + ": " + conversionLogText(code - 39, rtArrow, divideBy);
  } else {
    const LogValues v{ValueOfA, ValueOfB, exponent, MainDataChannel, w.channelY};
    words = "transformation #" + rt::PSstrLong(code) + ": " + transformLogText(code, v, divideBy, degC);
  }
  logEdit(0, DestinationChannel, words);
}

namespace {

void selectChannelX(const TransformWindow& w) {
  rt::setOutputWindow(kWindow);
  for (int c = 1; c <= nChannels[w.f]; ++c) rt::setButtonState(c, c == MainDataChannel ? 2 : 1);
}

// The ready rule of the channel buttons: a chosen Y makes the window ready; without one it is
// not while the Y list is up.
void updateReady(TransformWindow& w) {
  if (SecondChannel > 0) w.ready = true;
  else if (yChan) w.ready = false;
  setRunButtons(w);
}

}  // namespace

void dropPendingNewChannel(TransformWindow& w) {
  if (!w.pendingNewChannel) return;
  w.pendingNewChannel = false;
  if (NewChannelExists && DestinationChannel == nChannels[w.f]) DeleteChannel(w.f, DestinationChannel);
  NewChannelExists = 0;
  DestinationChannel = MainDataChannel;
}

void runTransformFromWindow(TransformWindow& w, bool block) {
  dropPendingNewChannel(w);
  if (w.openStep == 0 && w.keptAny) w.openStep = RecordScriptStep(kTransformStep);
  TransformRequest r;
  r.code = w.code;
  r.customNumber = w.customNumber;
  r.channelY = w.channelY;
  r.passThrough = w.passThrough;
  r.divideFlag = w.divide;
  r.multiplyFlag = w.multiply;
  r.labelText1 = w.text1;
  r.labelText2 = w.text2;
  r.wordsStep = w.openStep >= 1 ? w.openStep : w.step;
  r.field201 = fieldText(201);
  r.field202 = fieldText(202);
  r.field203 = fieldText(203);
  r.block = block;
  const int16_t code = runCode(w);
  w.status = PerformTransforms(r);
  if (w.status != 1) return;
  ++w.runs;
  w.pendingNewChannel = NewChannelExists != 0;
  w.pendingMass.reset();
  double mass = 0;
  if ((code == 68 || code == 69) && rt::PSvalStrict(r.field201, mass)) w.pendingMass = float(mass);
  logRun(w, code, exponentText(w, code));
  rt::colorNumber(7);
}

void keepResult(TransformWindow& w, bool done) {
  const int f = w.f;
  if (w.status == 1) {
    if (DestinationChannel < 1) DestinationChannel = ActiveChannel;
    std::string label = rt::editTextIn(kWindow, 204);
    SetChannelLabel(f, DestinationChannel, label);
    std::memcpy(channelData(f, DestinationChannel), channelData(f, 0), (size_t(nCases[f]) + 1) * sizeof(float));
    w.status = 0;
    w.keptAny = true;
    w.pendingNewChannel = false;
    if (w.pendingMass) FileInfoFLOATS[f][6] = *w.pendingMass;
    w.pendingMass.reset();
    FileSHORTS[f][kChangeMarkWord] = 1;
    raiseDataGeneration(f);
    w.openStep = 0;  // kept: the step stays, and the next run records its own
  }
  if (w.runs > 0) {
    ActiveChannel = ChangedChan = MainDataChannel = DestinationChannel;
    LastChan = DestinationChannel;
  }
  if (done) {
    w.exit = true;
    return;
  }
  clearParameterArea();
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(14, kParameterCaptionBase, "Transform stored in channel" + rt::PSstrLong(DestinationChannel));
  if (yChan && SecondChannel >= 1) {
    SecondChannel = SecondChannel < nChannels[f] ? int16_t(SecondChannel + 1) : int16_t(0);
    w.channelY = SecondChannel;
    updateReady(w);
  }
  COPYBUTTON();
  if (rt::controlExists(155)) rt::setButtonState(155, MakeNewChan ? 2 : 1);
  redrawChannelList(w);
  rt::setButtonState(160, 0);
  rt::setButtonState(133, 1);
}

void cancelWindow(TransformWindow& w) {
  dropPendingNewChannel(w);
  ActiveChannel = ChangedChan = DestinationChannel = MainDataChannel = w.channelAtOpen;
  NewChannelExists = 0;
  rt::closeWindow(kWindow);
  w.exit = true;
  if (w.runs > 0) {
    UpdateSCREEN(0, 0);
    if (FileSHORTS[w.f][kViewModeWord] != 0) DrawALLCHANNELS(0);
  }
}

void viewResult(TransformWindow& w) {
  ActiveChannel = ChangedChan = DestinationChannel;
  prefsArray[35] = 1;
  if (w.runs > 0) UpdateSCREEN(NewChannelExists, 0);
  if (FileSHORTS[w.f][kViewModeWord] != 0) DrawALLCHANNELS(0);
  prefsArray[35] = 0;
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
  rt::setButtonState(133, 0);
}

void pickChannelX(TransformWindow& w, int16_t c) {
  MainDataChannel = c;
  rt::setOutputWindow(kWindow);
  rt::setEditText(204, RetrieveLabel(c));
  selectChannelX(w);
  updateReady(w);
}

void pickChannelY(TransformWindow& w, int16_t c) {
  SecondChannel = w.channelY = c;
  rt::setOutputWindow(kWindow);
  rt::setEditText(204, RetrieveLabel(c));
  for (int k = 1; k <= nChannels[w.f]; ++k) rt::setButtonState(40 + k, k == c ? 2 : 1);
  selectChannelX(w);
  updateReady(w);
}

void customItem(TransformWindow& w, int id) {
  switch (id) {
    case 140: {
      const int16_t n = GetCustomTransformation(1);
      rt::bringWindowForward(kWindow);
      w.customNumber = n;
      if (n < 1) return;
      const auto& rec = CustomTransformsArray[size_t(n)];
      ValueOfA = rec[5];
      ValueOfB = rec[6];
      w.code = wordToI16(rec[3]);
      clearParameterArea();
      rt::FBEditField(202, CustomTransformsLabels[size_t(n)], {14, 82, 306, 100}, 7);
      return;
    }
    case 141: {
      const WindowParameters v = newRecordParameters(w);
      if (v.bad) {
        Warn(1166, "Custom transforms: ", {*v.bad, "Nothing was stored."});
        rt::bringWindowForward(kWindow);
        return;
      }
      ValueOfA = v.a;
      ValueOfB = v.b;
      const float exponent = v.exponent;
      if (NumberOfCustomTransforms == 0) LoadCustomTransformsArray(0, 0);
      if (EnterNewCustomTransformation() != 0) {
        Rip();
      } else {
        std::array<float, 21> words{};
        words = {0, float(MainDataChannel), float(w.channelY), float(w.code), float(MakeNewChan), ValueOfA,
                 ValueOfB, exponent, float(w.passThrough), float(Item1), float(PolyDegree), PolynomialValues[10]};
        for (int i = 1; i <= 9; ++i) words[size_t(11 + i)] = PolynomialValues[size_t(i)];
        if (addCustomTransform(rt::editTextIn(150, 102), words) > 0 && SAVECustomTransformsArray(0)) upvip();
      }
      rt::closeWindow(150);
      rt::bringWindowForward(kWindow);
      return;
    }
    case 142:
      if (NumberOfCustomTransforms == 0) LoadCustomTransformsArray(0, 0);
      SAVECustomTransformsArray(1);
      return;
    case 143: LoadCustomTransformsArray(1, 0); return;
    default: return;
  }
}

void copyChannelButton(TransformWindow& w) {
  prefsArray[35] = 1;
  const int16_t before = nChannels[w.f];
  COPYCHAN(1);
  if (nChannels[w.f] > before) w.keptAny = true;
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
  prefsArray[35] = 0;
  COPYBUTTON();
  if (rt::controlExists(155)) rt::setButtonState(155, MakeNewChan ? 2 : 1);
  MainDataChannel = ActiveChannel;
  redrawChannelList(w);
}

void blockValueButton(TransformWindow& w) {
  const int f = w.f;
  double value = 0;
  if (!rt::PSvalStrict(fieldText(205), value) || !(std::fabs(value) <= 3.4e38)) {
    Warn(1166, "Transformations: ", {"The block value \"" + fieldText(205) + "\" is not a number.", "Nothing was changed."});
    return;
  }
  dropPendingNewChannel(w);
  prefsArray[35] = 1;
  ChangedChan = ActiveChannel;
  ZEROBLOCK(float(value), 0);
  prefsArray[35] = 0;
  w.keptAny = true;
  raiseDataGeneration(f);
  if (nCases[f] > ScreenWidth && FileSHORTS[f][kCompressedWord] == 0) RefreshPLOTBLOCK(0);
  CLEARBLOCK();
  OPENBLOCKWINDOW();
  rt::closeWindow(kWindow);
  w.exit = true;
}

void finishTransformWindow(TransformWindow& w) {
  const int f = w.f;
  if (w.openStep >= 1) WithdrawScriptStep(w.openStep);
  if (!w.keptAny) FileSHORTS[f][kChangeMarkWord] = w.markAtOpen;
  if (rt::windowExists(kWindow)) {
    rt::closeWindow(kWindow);
    if (w.runs > 0) {
      UpdateSCREEN(int16_t(w.keptAny ? NewChannelExists : 0), 0);
      if (FileSHORTS[f][kViewModeWord] != 0) DrawALLCHANNELS(0);
    }
  }
  if (nChannels[f] >= 2) rt::menuSetItemState(4, 7, 1);
  if (FileSHORTS[f][kBlockStateWord] == 2) {
    if (w.runs > 0) DrawBLOCK();
    else REFRESHBLOCK();
  }
  rt::closeWindow(444);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  MakeChannelSelectionsPopUp();
  rt::setCursor(rt::Cursor::Arrow);
  yChan = FlowRateChannel = MakeNewChan = 0;
  RestoreTheToolBar();
}

}  // namespace qv
