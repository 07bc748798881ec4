// Special > STP Adjustment...: a flow meter's reading as a flow at standard temperature and
// pressure, averaged over several readings and stored as the file's flow.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/stp_flow.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 205;
constexpr int16_t kResult = 111, kIndicated = 112, kVolume = 113, kSeconds = 114, kPressure = 115, kInternal = 116,
                  kMeterT = 117, kCalibratedT = 118;
constexpr int16_t kIndicatedMode = 1, kCumulativeMode = 2, kSccm = 9, kSlpm = 10, kShowAverage = 11, kStore = 12,
                  kDone = 13, kAdd = 14, kCompute = 15, kHelpButton = 16;

struct StpWindow {
  int16_t unit = kStpTorr;
  bool cumulative = false, litres = false;
  float sum = 0;  // ml/min
  int count = 0;
  bool averageShown = false;
  float shown = NAN;  // the flow or average in field 111, in the unit of the litre flag
};

// The file's value when it has one above 0, else the display default (the file keeps its own).
std::string fileValueOr(int word, float fallback) {
  const float v = FileInfoFLOATS[TheFileInUse][word];
  return calculatorNumberText(std::isfinite(v) && v > 0.0f ? v : fallback);
}

void inputField(int16_t id, std::string_view text, int x, int y, int width = 70) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(x), int16_t(y), int16_t(x + width), int16_t(y + 18), 3, 2);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 18, rt::kBold);
  PrintAt(14, 30, "STP flow:");
  EFForeColor = 2, EFBackColor = 8;
  buildef(1, kResult, "", 120, 10, 260, 36, 7, 2);
  rt::setEditFont(kResult, KestrixFont, 18, rt::kBold);
  SetTextStyle(KestrixFont, 12, 0);
  GrayBOX(0, 14, 43, 356, 73);
  GrayBOX(0, 14, 76, 356, 128);
  rt::FBButton(kIndicatedMode, 2, "Indicated Flowrate, ml/min:", {20, 49, 240, 67}, 3);
  inputField(kIndicated, fileValueOr(2, 100.0f), 270, 49);
  rt::FBButton(kCumulativeMode, 1, " Cumulative Volume,  in ml:", {20, 82, 240, 100}, 3);
  inputField(kVolume, "1000", 270, 82);
  PrintAt(40, 119, "Elapsed Time, in Seconds:");
  inputField(kSeconds, "60", 270, 105);
  PrintAt(14, 148, "B.P.");
  inputField(kPressure, fileValueOr(4, 760.0f), 46, 135, 60);
  PrintAt(112, 148, "torr, meter internal pressure:");
  inputField(kInternal, "0", 290, 135, 60);
  PrintAt(14, 176, "internal pressure:");
  const char* units[] = {"torr", "PSI", "KPa", "mm H₂O"};
  for (int16_t i = 0; i < 4; ++i)
    rt::FBButton(kStpTorr + i, i == 0 ? 2 : 1, units[i], {int16_t(130 + 56 * i), 162, int16_t(182 + 56 * i + (i == 3 ? 20 : 0)), 180}, 3);
  PrintAt(14, 206, "Meter temp.");
  inputField(kMeterT, calculatorNumberText(FileInfoFLOATS[TheFileInUse][3]), 96, 193, 50);
  PrintAt(150, 206, degC + ";  calibrated for");
  inputField(kCalibratedT, "0", 272, 193, 50);
  PrintAt(326, 206, degC);
  DoubleLINE(0, 372, 224);
  rt::FBButton(kSccm, 2, "SCCM", {14, 232, 80, 250}, 3);
  rt::FBButton(kSlpm, 1, "SLPM", {84, 232, 150, 250}, 3);
  rt::FBButton(kAdd, 1, "Add to " + summation, {160, 232, 256, 250}, 1);
  rt::FBButton(kShowAverage, 1, "Show Average", {262, 232, 362, 250}, 1);
  rt::FBButton(kHelpButton, 1, "?", {14, 266, 44, 286}, 1);
  rt::FBButton(kStore, 1, "Store", {100, 266, 170, 286}, 1);
  rt::FBButton(kCompute, 1, "Compute", {180, 266, 270, 286}, 4);
  rt::FBButton(kDone, 1, "Done", {280, 266, 362, 286}, 1);
}

void show(StpWindow& w, float v) {
  w.shown = v;
  showCalculatorResult(kResult, v);
}

void compute(StpWindow& w) {
  StpInputs in;
  in.indicated = calculatorField(kIndicated);
  in.volume = calculatorField(kVolume);
  in.seconds = calculatorField(kSeconds);
  in.pressure = calculatorField(kPressure);
  in.internal = calculatorField(kInternal);
  in.meterT = calculatorField(kMeterT);
  in.calibratedT = calculatorField(kCalibratedT);
  in.unit = w.unit, in.cumulative = w.cumulative, in.litres = w.litres;
  show(w, STPcalc(in));
  w.averageShown = false;
  rt::setButtonState(kShowAverage, 1);
  CalculatorFrame::focus(w.cumulative ? kVolume : kIndicated);
}

float inMlPerMin(const StpWindow& w, float v) { return w.litres ? v * 1000.0f : v; }

void addReading(StpWindow& w) {
  if (!std::isfinite(w.shown)) return bzot();
  w.sum += inMlPerMin(w, w.shown);
  ++w.count;
}

void toggleAverage(StpWindow& w) {
  if (w.averageShown) return compute(w);
  if (w.sum == 0.0f && std::isfinite(w.shown)) w.sum = inMlPerMin(w, w.shown);
  if (w.count == 0) w.count = 1;
  w.averageShown = true;
  rt::setButtonState(kShowAverage, 2);
  show(w, w.sum / float(w.count) * (w.litres ? 0.001f : 1.0f));
}

// The stored flow is a flow at 760 torr and 0 degrees; only a flow there is is stored.
void store(const StpWindow& w) {
  const float flow = inMlPerMin(w, w.shown);
  if (!(std::isfinite(flow) && flow > 0.0f)) return bzot();
  FileInfoFLOATS[TheFileInUse][2] = flow;
  FileInfoFLOATS[TheFileInUse][4] = 760.0f;
  FileInfoFLOATS[TheFileInUse][3] = 0.0f;
  markStoredIntoFile();
  playIfSoundsOn("upvip.mp3");
}

void pick(int16_t first, int16_t last, int16_t chosen) {
  for (int16_t b = first; b <= last; ++b) rt::setButtonState(b, b == chosen ? 2 : 1);
}

}  // namespace

void STPflowAdjust() {
  HelpSubject = kHelpSubject;
  StpWindow w;
  {
    CalculatorFrame frame("Flow System STP Converter", 250, 90, 622, 390, 4, false);
    buildWindow();
    compute(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kIndicated);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      const int16_t id = int16_t(e.id);
      if (e.kind == 16 || (e.kind == 1 && id == kCompute)) {
        compute(w);
      } else if (e.kind == 1 && (id == kIndicatedMode || id == kCumulativeMode)) {
        pick(kIndicatedMode, kCumulativeMode, id);
        w.cumulative = id == kCumulativeMode;
        compute(w);
      } else if (e.kind == 1 && id >= kStpTorr && id <= kStpMmH2O) {
        pick(kStpTorr, kStpMmH2O, id);
        w.unit = id;
        compute(w);
      } else if (e.kind == 1 && (id == kSccm || id == kSlpm)) {
        pick(kSccm, kSlpm, id);
        w.litres = id == kSlpm;
        compute(w);
      } else if (e.kind == 1 && id == kAdd) {
        addReading(w);
      } else if (e.kind == 1 && id == kShowAverage) {
        toggleAverage(w);
      } else if (e.kind == 1 && id == kStore) {
        store(w);
      } else if (e.kind == 1 && id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && id == kDone) || e.kind == 3 || e.kind == 4) {
        done = e.kind != 3 || id != kCalculatorWindow;
      }
    }
  }
  if (std::isfinite(w.shown)) LastCalculatorResult = w.shown;
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
