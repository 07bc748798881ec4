#include "respirometry/equation_viewer.h"

#include <initializer_list>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "respirometry/flow_system.h"
#include "respirometry/gas_settings.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kWindow = 14;
constexpr int kTextView = 1, kClose = 10;
constexpr int kWidth = 520, kHeight = 287;
constexpr int16_t kO2Key = 174, kCO2Key = 175, kWaterKey = 176, kNoPage = 199;

bool in(int16_t m, std::initializer_list<int> set) {
  for (int v : set)
    if (v == m) return true;
  return false;
}

int16_t vo2Page(int16_t u, int16_t m) {
  if (u == 0) {
    if (in(m, {1, 6, 7})) return 146;
    if (m == 3) return 147;
    if (m == 2) return 148;
    if (in(m, {4, 9})) return 149;
    if (in(m, {5, 8})) return 156;
    if (m == 10) return 157;
  } else if (u == 1 || u == 2) {
    const int16_t base = u == 1 ? 158 : 161;
    if (m == 2) return base;
    if (in(m, {4, 7, 9})) return int16_t(base + 1);
    if (in(m, {5, 8, 10})) return int16_t(base + 2);
  }
  return kNoPage;
}

int16_t vco2Page(int16_t u, int16_t m) {
  if (u == 0) {
    if (m == 1) return 164;
    if (in(m, {2, 4, 6})) return 165;
    if (in(m, {3, 7})) return 166;
    if (m == 8) return 167;
  } else if (u == 1) {
    if (m == 1) return 168;
    if (in(m, {2, 4, 6, 8})) return 169;
    if (in(m, {3, 7})) return 170;
  } else if (u == 2) {
    if (in(m, {3, 7})) return 171;
    if (in(m, {2, 4, 6, 8})) return 172;
    if (m == 1) return 173;
  }
  return kNoPage;
}

// One key line: the bold label, then the plain explanation; the pen ends after it.
void keyLine(int y, std::string_view label, std::string_view text, int x = 5) {
  SetTextStyle(KestrixFont, 14, 1);
  PrintAt(x, y, label);
  const int after = rt::penPosition().x;
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(after, y, text);
}

// "FeO2, FiO2:    excurrent and incurrent fractional O2 concentrations", and CO2 likewise.
void fractionLine(int y, const std::string& gas, std::string_view words) {
  SetTextStyle(KestrixFont, 14, 1);
  rt::moveTo(5, y);
  rt::drawString("Fe" + gas);
  MakeSubscript("2", 14, 3);
  rt::drawString(", Fi" + gas);
  MakeSubscript("2", 14, 3);
  rt::drawString(":    ");
  SetTextStyle(KestrixFont, 14, 0);
  rt::drawString(words);
  rt::drawString(gas);
  MakeSubscript("2", 14, 3);
  rt::drawString(" concentrations");
}

}  // namespace

int16_t gasEquationPage(int16_t gasType, int16_t useVCO2, int16_t flowMode) {
  if (gasType == 3) return 145;
  if (gasType == 1) return vo2Page(useVCO2, flowMode);
  if (gasType == 2) return vco2Page(useVCO2, flowMode);
  return kNoPage;
}

void ShowGasSymbolsKey(int16_t key) {
  keyLine(161, "Symbols:  ", "");
  const int x = rt::penPosition().x;
  keyLine(161, "FR:   ", "flow rate   ", x);
  if (key == kWaterKey) {
    keyLine(181, "STP:  ", "correction to standard pressure & temperature");
    SetTextStyle(KestrixFont, 14, 1);
    rt::moveTo(5, 201);
    rt::drawString("FeH");
    MakeSubscript("2", 14, 3);
    rt::drawString("O, FiH");
    MakeSubscript("2", 14, 3);
    rt::drawString("O:    ");
    SetTextStyle(KestrixFont, 14, 0);
    rt::drawString("excurrent and incurrent water vapor concentrations");
    fractionLine(221, "O", "excurrent and incurrent fractional ");
    fractionLine(241, "CO", "excurrent and incurrent fractional ");
    return;
  }
  keyLine(181, "RQ:   ", "respiratory quotient");
  keyLine(201, "STP:    ", "correction to standard pressure & temperature");
  if (key == kCO2Key) fractionLine(221, "CO", "excurrent and incurrent fractional ");
  else fractionLine(221, "O", "excurrent and incurrent fractional ");
}

void SHOWGASEQUATION() {
  const int16_t page = gasEquationPage(GasType, UseVCO2, FlowMode);
  HelpSubject = page;
  const int f = TheFileInUse;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  SavedHandlers saved;
  const rt::Rect r = besidePlotWindow(kWidth, kHeight);
  const char* title = GasType == 1 ? "Equation for VO\u2082" : GasType == 2 ? "Equation for VCO\u2082" : "Equations for VH\u2082O";
  BuildWINDOW(kWindow, title, int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  rt::FBTextView(kTextView, {8, 4, kWidth - 8, 146}, false);
  TxtViewSetMargins(kTextView, 8, 0, 0, 0);
  TxtViewLoadText(kTextView, page);
  ShowGasSymbolsKey(GasType == 1 ? kO2Key : GasType == 2 ? kCO2Key : kWaterKey);
  rt::FBButton(kClose, 1, "Close", {kWidth - 100, kHeight - 30, kWidth - 10, kHeight - 8}, 4);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 || a == 4 || a == 16 || (a == 3 && id != kWindow)) break;
  }
  bup();
  rt::closeWindow(kWindow);
  HelpSubject = 199;
}

}  // namespace qv
