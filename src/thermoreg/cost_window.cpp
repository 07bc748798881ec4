// Special > Thermoregulatory Costs...: window 4. The user picks the climate channels, types
// one animal, runs the cost model, reads the summary and may keep the costs as a new channel;
// the same window opens the options and the species table.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calculators/sun_cycle.h"
#include "calculators/ventilation.h"
#include "core/colors.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "thermoreg/commands.h"
#include "thermoreg/species_windows.h"
#include "thermoreg/timing_windows.h"
#include "thermoreg/treg_state.h"
#include "thermoreg/treg_texts.h"

namespace qv {

namespace {

using namespace tregfield;

constexpr int16_t kCostWindow = 4, kTotalsWindow = 884, kLabelWindow = 15;
constexpr int16_t kHelpButton = 254, kReadTable = 255, kCompute = 256, kStore = 257, kOptions = 258, kDone = 259,
                  kCancel = 260;
constexpr int kSunColumn = 40, kTimeColumn = 500, kDateColumn = 600;
constexpr int kCountLabel = 998, kCountField = 999;
constexpr int kBMRLabel = 300, kLabelField = 121, kLabelOK = 1;
constexpr int kRowTop = 44, kRowStep = 18, kPanelLeft = 420;
constexpr const char* kTitle = "Thermoregulatory Costs";

std::string bmrLabel() { return BMRinWatts ? "BMR  (watts) " : "BMR  (ml/min) "; }

struct CostWindow {
  int f = 0;
  int n = 0;
  int shade = 0, sun = 0;
  bool optionsVisited = false, computed = false, stored = false, storable = false;
  std::vector<float> buffer;  // the costs of the last run, entries 1..nCases
  int16_t lastStored = 0;

  void build();
  void markChannels() const;
  void gate() const;
  void compute();
  void store();
  void done() const;
};

void staticText(int id, std::string_view text, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, int16_t(id), text, int16_t(l), int16_t(t), int16_t(r), int16_t(t + 17), 7, 0);
}

void numberField(int id, std::string_view text, int l, int t) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, int16_t(id), text, int16_t(l), int16_t(t), int16_t(l + 70), int16_t(t + 17), 3, 2);
}

void resultField(int id, int l, int t, int width = 70) {
  EFForeColor = 0, EFBackColor = 5;
  buildef(0, int16_t(id), "", int16_t(l), int16_t(t), int16_t(l + width), int16_t(t + 17), 7, 2);
}

void CostWindow::build() {
  const int height = std::max(600, kRowTop + kRowStep * n + 30);
  BuildWINDOW(kCostWindow, "Estimated Thermoregulatory Costs for Endotherms", 10, 40, 10 + 900, int16_t(40 + height),
              262);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(12, 30, "shade ");
  PrintAt(58, 30, " sun ");
  PrintAt(104, 30, "time");
  PrintAt(148, 30, "date");
  PrintAt(196, 30, "channel labels");
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 1; k <= n; ++k) {
    const int y = kRowTop + kRowStep * (k - 1);
    rt::FBButton(k, 1, "", {20, y, 36, y + 16}, 3);
    rt::FBButton(k + kSunColumn, 1, "", {64, y, 80, y + 16}, 3);
    rt::FBButton(k + kTimeColumn, 1, "", {108, y, 124, y + 16}, 3);
    rt::FBButton(k + kDateColumn, 1, "", {152, y, 168, y + 16}, 3);
    PrintAt(180, y + 13, std::to_string(k) + "  " + RetrieveLabel(int16_t(k)));
  }
  const int x = kPanelLeft;
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(x, 30, "Animal");
  SetTextStyle(KestrixFont, 12, 0);
  staticText(kBMRLabel, bmrLabel(), x, 44, x + 120);
  numberField(kBMR, ".5", x + 125, 44);
  PrintAt(x + 230, 57, "body temp.:");
  numberField(kTb, "39", x + 330, 44);
  PrintAt(x, 83, "C  (watts/\u00B0C):");
  numberField(kC, ".015", x + 125, 70);
  PrintAt(x + 230, 83, "LCT:");
  numberField(kLCT, "28", x + 330, 70);
  PrintAt(x, 109, "mass (g):");
  numberField(kMass, "15.5", x + 125, 96);

  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(x, 150, "Results");
  SetTextStyle(KestrixFont, 12, 0);
  int y = 160;
  auto line = [&](std::initializer_list<std::pair<const char*, int>> parts) {
    int cx = x;
    for (const auto& [label, id] : parts) {
      if (label && *label) {
        PrintAt(cx, y + 13, label);
        cx += rt::stringWidth(label) + 6;
      }
      if (id) {
        resultField(id, cx, y);
        cx += 76;
      }
    }
    y += 24;
  };
  line({{"mean Treg cost:", kMean}, {"watts,", 0}});
  line({{" = ", kMeanMl}, {"ml O\u2082/min = ", kMeanXBMR}, {"X BMR", 0}});
  line({{"max:", kHighest}, {"watts;  = ", kHighestXBMR}, {"X BMR", 0}});
  line({{"time in thermoneutrality = ", kAtBMR}, {"%", 0}});
  line({{"mean cost if not thermoneutral:", kOffBMR}, {"watts", 0}});
  line({{"cost when not thermoneutral = ", kOffBMRX}, {"X BMR", 0}});
  line({{"max 6 h", kBest6}, {"watts;", kBest6X}, {"X BMR", 0}});
  line({{"max 12 h ", kBest12}, {"watts;", kBest12X}, {"X BMR", 0}});
  line({{"max day ", kBestDay}, {"watts;", kBestDayX}, {"X BMR", 0}});
  line({{"torpor = ", kTorpor}, {"watts;", kTorporX}, {"X BMR", 0}});
  line({{"time in torpor = ", kTorporTime}, {"%", 0}});
  staticText(kCountLabel, "", x, y, x + 50);
  staticText(kCountField, "", x + 55, y, x + 125);
  y += 24;

  const int by = y + 16;
  rt::FBButton(kHelpButton, 1, "?", {x, by, x + 30, by + 22}, 1);
  rt::FBButton(kOptions, 1, "Options...", {x + 40, by, x + 160, by + 22}, 1);
  rt::FBButton(kCompute, 0, "Compute Costs", {x + 170, by, x + 320, by + 22}, 4);
  rt::FBButton(kReadTable, 0, "Read .csv File & Save Results", {x, by + 32, x + 260, by + 54}, 1);
  rt::FBButton(kStore, 0, "Store Costs in New Channel", {x + 270, by + 32, x + 470, by + 54}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {x + 270, by + 64, x + 360, by + 86}, 1);
  rt::FBButton(kDone, 0, "Done", {x + 370, by + 64, x + 470, by + 86}, 1);
  markChannels();
}

void CostWindow::markChannels() const {
  for (int k = 1; k <= n; ++k) {
    rt::setButtonState(k, k == shade ? 2 : 1);
    rt::setButtonState(k + kSunColumn, k == sun ? 2 : 1);
    rt::setButtonState(k + kTimeColumn, k == ChannelforDaytime ? 2 : 1);
    rt::setButtonState(k + kDateColumn, k == ChannelforJulianDay ? 2 : 1);
  }
}

void CostWindow::gate() const {
  if (shade && sun && optionsVisited) {
    rt::setButtonState(kCompute, 1);
    rt::setButtonState(kReadTable, 1);
  }
}

void refuse(const std::vector<std::string>& lines) { Warn(1166, "Thermoregulatory Costs: ", lines); }

bool channelOk(int c, int n) { return c >= 1 && c <= n; }

// What Compute needs before it runs: channels of this file and numbers where numbers go.
bool inputsOk(const CostWindow& w, TregAnimal& a) {
  std::vector<std::string> why;
  const int n = w.n;
  auto need = [&](int c, const std::string& what) {
    if (!channelOk(c, n))
      why.push_back("The " + what + " channel (" + std::to_string(c) + ") is not a channel of this file (1 to " +
                    std::to_string(n) + ").");
  };
  need(w.shade, "shade Ta");
  need(w.sun, "sun Ta");
  need(ChannelforDaytime, "time of day");
  if (ComputeDawnAndDusk) need(ChannelforJulianDay, "day of the year");
  if (prefsArray[56]) need(prefsArray[55], "wind speed");
  const double interval = FileInfoFLOATS[w.f][1];
  if (!(std::isfinite(interval) && interval > 0)) why.push_back("The sample interval of the file is not above 0.");
  auto number = [&](int id, const char* what, bool above0) -> float {
    const std::optional<double> v = typedNumber(rt::editText(id));
    if (!v || (above0 && !(*v > 0))) {
      why.push_back(std::string("The ") + what + (above0 ? " must be a number above 0." : " must be a number."));
      return 0.0f;
    }
    return float(*v);
  };
  const float bmr = number(kBMR, "BMR", true);
  a.bmr = BMRinWatts ? bmr : bmr * kWattsPerMlO2;
  a.tb = number(kTb, "body temperature", false);
  a.c = number(kC, "conductance C", true);
  a.lct = number(kLCT, "LCT", false);
  a.mass = prefsArray[56] ? number(kMass, "mass", true) : 0.0f;
  a.sunAccess = true;
  if (why.empty()) return true;
  why.push_back("Nothing was computed.");
  refuse(why);
  return false;
}

void showNumberOfCases(const TregResult& r, int f) {
  rt::closeWindow(kTotalsWindow);
  const bool notes = r.cases == 0 || r.outOfRange > 0;
  BuildWINDOW(kTotalsWindow, "Calculation totals", 450, 400, 680, int16_t(notes ? 506 : 470), 5);
  SetTextStyle(KestrixFont, 12, 0);
  staticText(1, "Accepted cases: " + rt::PSstrLong(r.cases), 10, 8, 220);
  staticText(2, "equivalent to " + StringFormatter(float(FileInfoFLOATS[f][1] * double(r.cases) / 86400.0)) + " days",
             10, 28, 220);
  if (r.cases == 0) staticText(3, "No case was accepted: no means.", 10, 48, 220);
  else if (r.outOfRange > 0)
    staticText(3, rt::PSstrLong(r.outOfRange) + " cases: time or day out of range", 10, 48, 220);
  rt::bringWindowForward(kCostWindow);
  rt::setOutputWindow(kCostWindow);
}

}  // namespace

void CostWindow::compute() {
  TregAnimal a;
  if (!inputsOk(*this, a)) return;
  const std::string typedBMR = rt::editText(kBMR);
  if (ComputeDawnAndDusk) annualSunTable(latitude, longitude);
  const int32_t cases = nCases[f];
  const TregChannels ch = climateChannels(shade, sun);
  BodyTemperature = a.tb;
  buffer.assign(size_t(cases) + 1, 0.0f);
  const TregSettings s = currentTregSettings();
  const TregResult r = tregRun(ch, cases, FileInfoFLOATS[f][1], a, s, buffer, SunCycleArray);
  publishTregResult(r);
  // Channel 0 is the analyses' work column: it holds the costs too.
  if (!gPointersToFileData[f][0]) gPointersToFileData[f][0] = allocateSamples(cases);
  if (float* work = channelData(f, 0)) std::copy(buffer.begin(), buffer.end(), work);
  for (const auto& [id, text] : tregSummaryTexts(r, a.bmr, s.canUseTorpor && s.useTorpor, s.activeTimeMean))
    rt::setEditText(id, text);
  rt::setEditText(kBMR, typedBMR);
  rt::setButtonState(kDone, 1);
  storable = true;
  rt::setButtonState(kStore, nChannels[f] < kMaxChannels ? 1 : 0);
  if (prefsArray[58] > 0) TimingWarning(0);
  showNumberOfCases(r, f);
  computed = true;
}

std::string askLabel() {
  const int savedOutput = rt::outputWindow();
  BuildWINDOW(kLabelWindow, "Label for Thermoregulatory Costs Channel", 200, 200, 560, 300, 6);
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, kLabelField, " Treg costs in watts", 20, 20, 340, 38, 3, 0);
  rt::FBButton(kLabelOK, 1, "Label OK", {240, 56, 340, 78}, 4);
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kLabelOK) || a == 16 || (a == 4 && id == kLabelWindow)) break;
  }
  const std::string label = rt::editText(kLabelField);
  rt::closeWindow(kLabelWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return label;
}

void CostWindow::store() {
  if (!storable || nChannels[f] >= kMaxChannels) return;
  const std::string label = askLabel();
  if (!newChannelOrRefuse(0, kTitle)) return;
  const int16_t c = nChannels[f];
  float* out = channelData(f, c);
  for (int32_t k = 0; k <= nCases[f]; ++k) out[k] = k == 0 ? 0.0f : std::max(buffer[size_t(k)], 0.0f);
  SetChannelLabel(f, c, label);
  DestinationChannel = lastStored = c;
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  logEdit(1, c, "thermoregulatory costs");
  stored = true;
  // A second store needs a new run: each run is kept once.
  storable = false;
  rt::setButtonState(kStore, 0);
  rt::bringWindowForward(kCostWindow);
}

void CostWindow::done() const {
  csvConductanceFileWasLoaded = 0;
  for (int id : {int(kCostWindow), 14, 777, int(kTotalsWindow), 1202}) rt::closeWindow(id);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  if (computed && stored && slotIsOpen(f)) {
    MakeChannelSelectionsPopUp();
    if (FileSHORTS[f][kViewModeWord] == 0) {
      ActiveChannel = lastStored;
      ResizeTheMainWindow(0);
    } else {
      UpdateSCREEN(lastStored, 1);
      DrawALLCHANNELS(0);
    }
  }
  ToolBar();
}

void ComputeThermoregulationCosts() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  HelpSubject = 244;
  rt::closeWindow(kCostWindow);
  HideTheToolBar();
  SavedHandlers saved;
  CostWindow w;
  w.f = f;
  w.n = nChannels[f];
  DestinationChannel = int16_t(w.n < kMaxChannels ? w.n + 1 : 0);
  w.buffer.assign(size_t(nCases[f]) + 1, 0.0f);
  w.build();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= w.n) w.shade = id;
    else if (a == 1 && id > kSunColumn && id <= kSunColumn + w.n) w.sun = id - kSunColumn;
    else if (a == 1 && id > kTimeColumn && id <= kTimeColumn + w.n) ChannelforDaytime = int16_t(id - kTimeColumn);
    else if (a == 1 && id > kDateColumn && id <= kDateColumn + w.n) ChannelforJulianDay = int16_t(id - kDateColumn);
    else if (a == 1 && id == kHelpButton) {
      HelpSubject = 244;
      OpenHelpBook();
    } else if (a == 1 && id == kOptions) {
      TregCostOptions();
      if (rt::windowExists(kCostWindow)) {
        rt::bringWindowForward(kCostWindow);
        rt::setEditText(kBMRLabel, bmrLabel());
      }
      w.optionsVisited = true;
    } else if (a == 1 && id == kCompute) {
      w.compute();
    } else if (a == 1 && id == kStore) {
      w.store();
    } else if (a == 1 && id == kReadTable) {
      TregResult last;
      CSVspreadsheetName = TregCostsFromSpreadsheet(int16_t(w.shade), int16_t(w.sun), w.buffer, last);
      rt::setButtonState(kDone, 1);
      if (!CSVspreadsheetName.empty()) {
        w.computed = w.storable = true;
        rt::setButtonState(kStore, nChannels[f] < kMaxChannels ? 1 : 0);
        showNumberOfCases(last, f);
      }
    } else if (a == 4 && (id == kTotalsWindow || id == 777 || id == 1202 || id == 14)) {
      rt::closeWindow(id);
      continue;
    } else if ((a == 1 && (id == kDone || id == kCancel)) || (a == 4 && id == kCostWindow)) {
      break;
    }
    if (a == 1) {
      w.markChannels();
      w.gate();
    }
  }
  w.done();
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
