#include <array>
#include <deque>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_fields.h"

namespace qv {

int16_t prefsArray[91];
int16_t WindowTitleFont = 0;
int16_t WindowFont = 8;
int16_t ToolBarBackground = 14;
int16_t StandardFont = 0;

int16_t DsLx, AutoSS, OpenAsk, GetFlowRateFromChannel, DoSMOOTH;
float FiO2, FiCO2, RQ;
int16_t SEP, MultiHist, DumpHist, AvoidInterpolation;
float SteppedSampleInterval, SteppedSampleSkip;
int16_t tabTime, deltatime, tabmass, tabStart, tabChan, tabMode, Note_1, Note_2;
int16_t UseMultipleResults, UseExcelFormat, LastBaselineMarker, LastBaselineShift;
int16_t variableTb;
float TbChange;
int16_t CalculationsCanUseTorpor;
float MinimumTorporTb, TorporEntryTime, TorporQ10;
int16_t ActiveTimeCostsOnly;
float DaytimeStart, DaytimeEnd, TorporStartLag, TorporEndLag, DefaultTb;
int16_t ZeroEqualsMissingTemperatures, replacementTb, BMRinWatts, dayActive, TimeGridLimit;
float UpTrimLimit, UpTrimValue, LowTrimLimit, LowTrimValue, threshold;
float CustomAllometryArray[3];
float latitude, longitude;
int16_t northLatitude, westLongitude;

namespace {

constexpr std::array<int16_t, 91> prefsDefaults() {
  std::array<int16_t, 91> d{};
  // [6]: gas exchange stores its result in a new channel unless told otherwise.
  for (int i : {6, 9, 10, 11, 13, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30, 31, 32, 34, 44, 46, 47, 57, 59,
                60, 61, 62, 72, 75})
    d[size_t(i)] = 1;
  d[7] = 60;
  d[8] = 14;
  d[82] = 1;  // the subplot style of a record that has none: one of the four styles
  return d;
}

constexpr std::array<int16_t, 91> kDefaults = prefsDefaults();

// The overlay colours kept in the file: channels 1 to 24.
constexpr int kStoredOverlayColors = 24;
const RGB kHistogramBarDefault{30000, 30000, 52000};

using F = PrefsField;

F rgb(const char* name, RGB& c) { return {F::Rgb, name, &c}; }
F reserved() { return {F::Reserved, "reserved"}; }
F i16(const char* name, int16_t& v, double def, F::Check check = F::Switch, double lo = 0, double hi = 0) {
  F f{F::I16, name, nullptr, &v, nullptr, def, check};
  if (check == F::Range) f.lo = lo, f.hi = hi;
  return f;
}
F oneOf(const char* name, int16_t& v, double def, int16_t a, int16_t b, int16_t c) {
  F f{F::I16, name, nullptr, &v, nullptr, def, F::OneOf};
  f.codes[0] = a, f.codes[1] = b, f.codes[2] = c;
  return f;
}
// Names of indexed fields, for the messages about fields out of range; a deque keeps its
// strings in place as it grows.
const char* indexedName(const char* table, int index) {
  static std::deque<std::string> names;
  names.push_back(std::string(table) + "[" + std::to_string(index) + "]");
  return names.back().c_str();
}
F pref(int index, F::Check check = F::Switch, double lo = 0, double hi = 0) {
  return i16(indexedName("prefsArray", index), prefsArray[index], kDefaults[size_t(index)], check, lo, hi);
}
F f32(const char* name, float& v, double def, double lo = -HUGE_VAL, double hi = HUGE_VAL) {
  F f{F::F32, name, nullptr, nullptr, &v, def};
  f.lo = lo, f.hi = hi;
  return f;
}

std::vector<PrefsField> makeLayout() {
  std::vector<PrefsField> l = {
      rgb("plotForeColor", plotForeColor),
      rgb("plotBackColor", plotBackColor),
      rgb("PlotDataLineColor", PlotDataLineColor),
      rgb("Pwhite", Pwhite),
      rgb("BlockForeColor", BlockForeColor),
      rgb("BlockBackColor", BlockBackColor),
      reserved(),
      pref(2),
      reserved(),
      pref(3),
      pref(4),
      pref(5),
      pref(6),
      i16("DsLx", DsLx, 0),
      pref(7, F::Any),
      pref(29),
      i16("AutoSS", AutoSS, 0),
      i16("OpenAsk", OpenAsk, 1),
      i16("GetFlowRateFromChannel", GetFlowRateFromChannel, 0),
      i16("DoSMOOTH", DoSMOOTH, 0),
      pref(16),
      f32("FiO2", FiO2, 20.95f, 0, 100),
      f32("FiCO2", FiCO2, 0.038f, 0, 100),
      f32("RQ", RQ, 0.85f),
      reserved(),
      reserved(),
      {F::ViewMode, "multi-channel view mode", nullptr, nullptr, nullptr, 0, F::OneOf},
  };
  l.back().codes[0] = 0, l.back().codes[1] = 2, l.back().codes[2] = 3;
  for (int c = 1; c <= kStoredOverlayColors; ++c) l.push_back(rgb(indexedName("OverlayColor", c), OverlayColor[c]));
  for (F f : {
           i16("SEP", SEP, 0),
           rgb("HistogramBarColor", HistogramBarColor),
           pref(37),
           pref(10),
           pref(11),
           pref(12),
           pref(13),
           i16("EFBackColor", EFBackColor, 6, F::Any),
           pref(32),
           pref(49),
           i16("MultiHist", MultiHist, 1),
           i16("DumpHist", DumpHist, 1),
           pref(28),
           pref(33, F::Range, 0, 2),
           pref(21),
           i16("AvoidInterpolation", AvoidInterpolation, 0),
           f32("SteppedSampleInterval", SteppedSampleInterval, 60.0f),
           f32("SteppedSampleSkip", SteppedSampleSkip, 180.0f),
           pref(19),
           oneOf("ToolBarBackground", ToolBarBackground, 14, 1, 14, 20),
           i16("tabTime", tabTime, 0),
           i16("deltatime", deltatime, 0),
           i16("tabmass", tabmass, 0),
           i16("tabStart", tabStart, 0),
           i16("tabChan", tabChan, 0),
           i16("tabMode", tabMode, 1),
           i16("Note_1", Note_1, 0),
           i16("Note_2", Note_2, 0),
           pref(40),
           pref(41),
           i16("UseMultipleResults", UseMultipleResults, 0),
           pref(50, F::Range, 0, 2),
           i16("UseExcelFormat", UseExcelFormat, 0),
           pref(34),
           i16("WindowTitleFont", WindowTitleFont, 0, F::Range, 0, 2),
           i16("LastBaselineMarker", LastBaselineMarker, 83, F::Any),
           i16("LastBaselineShift", LastBaselineShift, 0, F::Any),
           pref(30),
           pref(31),
           i16("variableTb", variableTb, 1),
           f32("TbChange", TbChange, 0.0f),
           i16("CalculationsCanUseTorpor", CalculationsCanUseTorpor, 1),
           f32("MinimumTorporTb", MinimumTorporTb, 12.0f),
           f32("TorporEntryTime", TorporEntryTime, 2.0f, 0, 24),
           f32("TorporQ10", TorporQ10, 2.2f, 1, 5),
           i16("ActiveTimeCostsOnly", ActiveTimeCostsOnly, 0),
           f32("DaytimeStart", DaytimeStart, 6.0f, 0, 24),
           f32("DaytimeEnd", DaytimeEnd, 18.0f, 0, 24),
           f32("TorporStartLag", TorporStartLag, 0.0f),
           f32("TorporEndLag", TorporEndLag, 0.0f),
           f32("DefaultTb", DefaultTb, 0.0f),
           i16("ZeroEqualsMissingTemperatures", ZeroEqualsMissingTemperatures, 1),
           i16("replacementTb", replacementTb, 1),
           i16("BMRinWatts", BMRinWatts, 0),
           i16("dayActive", dayActive, 1),
           i16("TimeGridLimit", TimeGridLimit, 1),
           f32("UpTrimLimit", UpTrimLimit, 1000.0f),
           f32("UpTrimValue", UpTrimValue, 0.0f),
           f32("LowTrimLimit", LowTrimLimit, -1000.0f),
           f32("LowTrimValue", LowTrimValue, 0.0f),
           f32("threshold", threshold, 1.0f),
           f32("CustomAllometryArray[1]", CustomAllometryArray[1], 0.0f),
           f32("CustomAllometryArray[2]", CustomAllometryArray[2], 0.0f),
           f32("latitude", latitude, 40.0f, -90, 90),
           f32("longitude", longitude, 105.0f, -180, 180),
           pref(65),
           pref(72),
           pref(73),
           pref(74),
           pref(82, F::Range, 1, 4),
       })
    l.push_back(f);
  return l;
}

struct Init {
  Init() { SetPreferenceDefaults(); }
} gInit;

}  // namespace

std::span<const PrefsField> preferencesLayout() {
  static const std::vector<PrefsField> layout = makeLayout();
  return layout;
}

void SetPreferenceDefaults() {
  for (int i = 0; i <= 90; ++i) prefsArray[i] = kDefaults[size_t(i)];
  DefaultColors();
  SetOverlayColors();
  HistogramBarColor = kHistogramBarDefault;
  for (const PrefsField& f : preferencesLayout()) {
    if (f.kind == PrefsField::I16) *f.i16 = int16_t(f.defaultValue);
    else if (f.kind == PrefsField::F32) *f.f32 = float(f.defaultValue);
  }
  CustomAllometryArray[0] = 0.0f;
  StandardFont = 0;
  northLatitude = latitude > 0 ? 1 : 0;
  westLongitude = longitude > 0 ? 1 : 0;
}

void TogglePrefs(int16_t index) {
  if (index < 1 || index > 90) return;
  prefsArray[index] = prefsArray[index] == 0 ? 1 : 0;
}

int16_t ToggleValue(uint16_t value) { return value == 0 ? 1 : 0; }

}  // namespace qv
