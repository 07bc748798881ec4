#include "transforms/perform_transforms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "fitting/fit_steps.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/gas_settings.h"
#include "core/script_recorder.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/commands.h"
#include "transforms/custom_file.h"
#include "transforms/transform_labels.h"
#include "transforms/transform_state.h"

namespace qv {

namespace {

constexpr int kToolWindow = 4;
constexpr const char* kTitle = "Transformations and Conversions";

struct Source {
  TransformParams p;
  int16_t channelX = 0, channelY = 0, passThrough = 0;
  std::optional<std::string> badField;
  float constant = 0;  // T, BP or mass of conversions 66-69 (step word 12)
};

bool isConversionWithConstant(int16_t code) { return code >= 66 && code <= 69; }

void loadPolynomialGlobals(TransformParams& p) {
  p.degree = PolyDegree = boundedPolyDegree(PolyDegree);
  p.poly = PolynomialValues;
}

// A typed parameter: its number, or the source marked bad with the field's text.
float typed(Source& s, const std::string& text, const char* name) {
  const std::optional<double> v = typedNumber(text);
  if (!v) {
    if (!s.badField) s.badField = std::string(name) + " \"" + text + "\" is not a number.";
    return 0.0f;
  }
  return float(*v);
}

void fromWindow(Source& s, const TransformRequest& r) {
  TransformParams& p = s.p;
  const int16_t c = p.code;
  if (c == 1 || (c >= 6 && c <= 9) || (c >= 22 && c <= 25) || (c >= 40 && c <= 61)) p.a = typed(s, r.field201, "The value");
  // The other conversions keep 1.0 as their factor; 66-69 take their constant from field 201.
  if (c >= 62 && c <= 69) p.a = 1.0f;
  if (isConversionWithConstant(c)) s.constant = typed(s, r.field201, "The value");
  if (c == 5) {
    p.a = typed(s, r.field201, "a");
    p.b = typed(s, r.field202, "b");
    p.exponent = typed(s, r.field203, "The exponent");
  } else if (c == 16) {
    p.a = typed(s, r.field201, "a");
    p.exponent = typed(s, r.field202, "The exponent");
  } else if (c == 18 || c == 26) {
    p.a = typed(s, r.field201, "The temperature");
    p.b = typed(s, r.field202, "Q10");
  } else if (c == 20) {
    p.breakpoint = BreakpointArray;
  } else if (c == 2) {
    loadPolynomialGlobals(p);
  }
}

}  // namespace

WindowParameters windowParameters(const TransformRequest& r) {
  Source s;
  s.p.code = r.code;
  fromWindow(s, r);
  return {isConversionWithConstant(r.code) ? s.constant : s.p.a, s.p.b, s.p.exponent, s.badField};
}

namespace {

void fromCustom(Source& s, int n) {
  TransformParams& p = s.p;
  p = customRecordParams(CustomTransformsArray[size_t(n)]);
  PolyDegree = p.degree;
  PolynomialValues = p.poly;
  s.constant = p.a;  // a record keeps the typed T, BP or mass as its a
}

void fromStep(Source& s, int16_t step) {
  const float* w = ScriptSequenceArray[step];
  TransformParams& p = s.p;
  p.code = wordToI16(w[4]);
  s.channelY = wordToI16(w[5]);
  MakeNewChan = wordToI16(w[7]);
  p.a = w[8];
  p.b = w[9];
  p.exponent = w[10];
  MainDataChannel = s.channelX = wordToI16(w[11]);
  // Steps recorded before word 12 held the constant carry 0 there: 67-69 are then refused.
  s.constant = w[12];
  s.passThrough = wordToI16(w[14]);
  Item1 = wordToI16(w[15]);
  PolyDegree = p.degree = boundedPolyDegree(w[16]);
  PolynomialValues[10] = w[17];
  for (int i = 1; i <= PolyDegree; ++i) PolynomialValues[size_t(i)] = w[17 + i];
  p.poly = PolynomialValues;
}

Source gatherParameters(const TransformRequest& r) {
  Source s;
  s.p.code = r.code;
  s.channelX = MainDataChannel;
  s.channelY = r.channelY;
  s.passThrough = r.passThrough;
  if (r.customNumber != 0) {
    if (r.customNumber >= 1 && r.customNumber <= NumberOfCustomTransforms) fromCustom(s, r.customNumber);
    else s.badField = "There is no custom transform number" + rt::PSstrLong(r.customNumber) + ".";
  } else if (stepSuppliesParameters(r.step, true)) {
    fromStep(s, r.step);
  } else {
    fromWindow(s, r);
  }
  s.p.divide = r.divideFlag != 0;
  s.p.multiply = r.multiplyFlag != 0;
  if (isConversionWithConstant(s.p.code)) s.p.temperature = s.p.pressure = s.p.mass = s.constant;
  if ((s.p.code == 18 || s.p.code == 26) && !q10IsUsable(s.p.b)) {
    bzot();
    s.p.b = 1.0f;
  }
  ValueOfA = s.p.a;
  ValueOfB = s.p.b;
  return s;
}

void writeStepWords(int16_t step, const Source& s, int16_t customNumber) {
  if (step < 1 || step > kMostScriptSteps) return;
  float* w = ScriptSequenceArray[step];
  const TransformParams& p = s.p;
  w[4] = p.code;
  w[5] = s.channelY;
  w[7] = NewChannelExists ? float(MakeNewChan) : 0.0f;
  w[8] = p.a;
  w[9] = p.b;
  w[10] = p.exponent;
  w[11] = s.channelX;
  w[12] = isConversionWithConstant(p.code) ? s.constant : 0.0f;
  w[14] = s.passThrough;
  w[15] = Item1;
  const int16_t degree = boundedPolyDegree(PolyDegree);
  w[16] = degree;
  w[17] = PolynomialValues[10];
  for (int i = 1; i <= degree; ++i) w[17 + i] = PolynomialValues[size_t(i)];
  w[27] = customNumber;
}

void showStatus(bool error, int16_t code) {
  if (!rt::windowExists(kToolWindow)) return;
  rt::setOutputWindow(kToolWindow);
  const rt::Rect box{8, 200, 160, 246};
  rt::eraseRect(box);
  rt::colorNumber(error ? 6 : 4);
  rt::penSize(2, 2);
  rt::frameRect(box);
  rt::penNormal();
  SetTextStyle(KestrixFont, 13, 1);
  if (error) {
    PrintAt(14, 218, "WARNING !");
    PrintAt(14, 237, "Transformation Error!");
  } else {
    PrintAt(14, 228, code <= 39 ? "Transformation OK" : "   Conversion OK");
  }
  rt::colorNumber(7);
}

void showResultButtons() {
  if (!rt::windowExists(kToolWindow)) return;
  rt::setOutputWindow(kToolWindow);
  for (int id : {159, 129})
    if (rt::controlExists(id)) rt::setButtonState(id, 1);
  rt::FBButton(162, 1, "Cancel", {8, 252, 76, 274}, 1);
  rt::FBButton(133, 0, "View", {80, 252, 136, 274}, 1);
  rt::FBButton(160, 1, "Save & Continue", {140, 252, 250, 274}, 1);
}

// A replayed step stores its result itself: labels as they were, X's label on the
// destination, the work column copied there.
void finishReplay(int f, int16_t x, const std::string (&labelsAtStart)[6]) {
  const std::string xLabel = RetrieveLabelOf(f, x);
  for (int s = 1; s <= 5; ++s) LabelStrings[f][s] = labelsAtStart[s];
  SetChannelLabel(f, DestinationChannel, xLabel);
  std::memcpy(channelData(f, DestinationChannel), channelData(f, 0), (size_t(nCases[f]) + 1) * sizeof(float));
  rt::closeWindow(kToolWindow);
  ActiveChannel = ChangedChan = DestinationChannel;
  if (FileSHORTS[f][kViewModeWord] != 0) DrawALLCHANNELS(0);
}

bool channelExists(int f, int16_t c) { return c >= 1 && c <= nChannels[f]; }

}  // namespace

int16_t PerformTransforms(const TransformRequest& r) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return 0;
  std::string labelsAtStart[6];
  for (int s = 1; s <= 5; ++s) labelsAtStart[s] = LabelStrings[f][s];
  Source s = gatherParameters(r);
  const int16_t x = s.channelX;
  if (!channelExists(f, x)) {
    refuseEdit(r.step, kTitle, {"Channel " + std::to_string(x) + " (channel X) does not exist in this file.", "Nothing was changed."});
    showStatus(true, s.p.code);
    return 0;
  }
  if (!scratchChannel(f)) {
    refuseEdit(r.step, kTitle, {"There is not enough memory for the work column.", "Nothing was changed."});
    return 0;
  }
  const size_t n = size_t(nCases[f]) + 1;
  std::memcpy(channelData(f, 0), channelData(f, x), n * sizeof(float));
  DestinationChannel = x;
  NewChannelExists = 0;
  const bool needsY = s.p.code >= 22 && s.p.code <= 26;
  std::optional<std::string> why = s.badField;
  if (!why) why = transformRefusal(s.p, channelExists(f, s.channelY));
  if (why) {
    writeStepWords(r.wordsStep, s, r.customNumber);
    refuseEdit(r.step, kTitle, {*why, "Nothing was changed."});
    showStatus(true, s.p.code);
    return 0;
  }
  // A refused run leaves the change mark and the undo copy as they were.
  FileSHORTS[f][kChangeMarkWord] = 1;
  MAKEBACKUP(x);
  if (MakeNewChan != 0 && nChannels[f] < kMaxChannels && MakeOneNewChannel()) {
    DestinationChannel = nChannels[f];
    NewChannelExists = 1;
  } else {
    LastChan = x;
  }
  writeStepWords(r.wordsStep, s, r.customNumber);
  int32_t first = 0, last = nCases[f];
  if (r.block) {
    first = std::max<int32_t>(BeginBlock[f], 0);
    last = std::min<int32_t>(EndBlock[f], nCases[f]);
  }
  const std::span<const float> y = needsY ? std::span<const float>(channelData(f, s.channelY), n) : std::span<const float>();
  const TransformOutcome out = runTransform(s.p, {channelData(f, 0), n}, y, first, last);
  // The window stores a typed mass only with a kept result; a replay keeps its result at once.
  const bool replay = stepSuppliesParameters(r.step, true);
  if (replay && (s.p.code == 68 || s.p.code == 69)) FileInfoFLOATS[f][6] = s.p.mass;
  FixTransformLABELS(s.p.code, r.labelText1, r.labelText2);
  skid();
  action = eventID = 0;
  showResultButtons();
  if (out.failed) bzot();
  showStatus(out.failed, s.p.code);
  if (replay) finishReplay(f, x, labelsAtStart);
  return 1;
}

}  // namespace qv
