// "O2 Heat Equivalence" and "CO2 Heat Equivalence": window 44.
#include "respirometry/heat_equivalence.h"

#include <algorithm>
#include <cmath>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "respirometry/commands.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

float flowcon = 0.0f;

const std::array<HeatFuel, 4> kHeatFuels{{{"Carbohydrate", "20.9", "20.9"},
                                          {"Lipids", "19.8", "28.2"},
                                          {"Protein - > Urea", "19.5", "23.4"},
                                          {"Protein - > Urate", "19.8", "27.5"}}};

std::string heatFieldText(float value) {
  std::string s = rt::PSstr(value);
  if (s.size() >= 7) s.resize(6);
  return s;
}

std::optional<float> typedHeatEquivalence(std::string_view text) {
  double v = 0;
  if (!rt::PSvalStrict(text, v) || !std::isfinite(float(v)) || v <= 0) return std::nullopt;
  return float(v);
}

float heatToFlowcon(float joulesPerMl) { return joulesPerMl * 0.0166667f; }

namespace {

constexpr int kHeatWindow = 44, kValueField = 102, kDone = 5;
constexpr int kWidth = 300, kHeight = 215;

void buildHeatWindow(bool oxygen, int16_t x, int16_t y, float current) {
  int top = BottomOfPlotArea + y;
  top = std::max(40, std::min(top, 900 - kHeight - 10));
  int left = std::max(0, std::min<int>(x, 1440 - kWidth));
  BuildWINDOW(kHeatWindow, oxygen ? "O\u2082 Heat Equivalence" : "CO\u2082 Heat Equivalence", int16_t(left),
              int16_t(top), int16_t(left + kWidth), int16_t(top + kHeight), 6);
  SetTextStyle(KestrixFont, 13, 1);
  PrintAt(14, 26, oxygen ? " Joules/ml O\u2082:" : " Joules/ml CO\u2082:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kValueField, heatFieldText(current), 150, 13, 230, 29, 3, 1);
  for (int i = 0; i < 4; ++i) {
    const HeatFuel& fuel = kHeatFuels[size_t(i)];
    const std::string label = std::string(fuel.name) + " = " + (oxygen ? fuel.o2 : fuel.co2) + " J/ml";
    rt::FBButton(i + 1, 1, label, {20, 44 + 30 * i, kWidth - 20, 66 + 30 * i}, 1);
  }
  rt::FBButton(kDone, 1, "Done", {kWidth - 110, kHeight - 32, kWidth - 20, kHeight - 10}, 4);
}

}  // namespace

void SelectHeatEquivalence(std::string_view, int16_t x, int16_t y) {
  SavedHandlers savedHandlers;
  const bool oxygen = GasType == 1;
  float& stored = oxygen ? flowconO : flowconC;
  HelpSubject = 136;
  HideTheToolBar();
  buildHeatWindow(oxygen, x, y, stored);
  // The field shows the value cut to 6 characters: while its text is the one shown, the stored
  // value stands, so opening and closing the window never shortens it.
  std::string shown = heatFieldText(stored);
  wsst();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    waitForAction();
    const int id = eventID;
    const bool finish = (action == 1 && id == kDone) || action == 16 || (action == 4 && id == kHeatWindow) ||
                        (action == 3 && id != kHeatWindow);
    if (action == 1 && id >= 1 && id <= 4) {
      const HeatFuel& fuel = kHeatFuels[size_t(id - 1)];
      rt::setEditText(kValueField, oxygen ? fuel.o2 : fuel.co2);
    }
    action = eventID = 0;
    if (!finish) continue;
    const std::string text = rt::editText(kValueField);
    if (text == shown) break;
    if (const auto v = typedHeatEquivalence(text)) {
      stored = *v;
      break;
    }
    Warn(1166, "Heat equivalence: ", {"The heat equivalence must be a number of joules per ml greater than 0.",
                                      "The value stays" + heatFieldText(stored) + " J/ml."});
    rt::setEditText(kValueField, shown);
  }
  flowcon = heatToFlowcon(stored);
  rt::closeWindow(kHeatWindow);
  RestoreTheToolBar();
  bup();
  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles && FileInfoFLOATS[f][6] == 0) FileInfoFLOATS[f][6] = 1.0f;
}

}  // namespace qv
