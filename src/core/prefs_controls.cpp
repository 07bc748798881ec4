#include "core/prefs_controls.h"

#include "core/kit.h"
#include "core/prefs.h"
#include "runtime/windows.h"

namespace qv {

namespace {

int16_t flipped(int16_t v) { return v == 0 ? 1 : 0; }

// Page controls that set one switch of prefsArray by flipping it.
int flippedIndex(int id) {
  switch (id) {
    case 666: return 72;
    case 30: return 21;
    case 166: return 73;
    case 43: return 30;
    case 144: return 65;
    case 21: return 16;
    case 32: return 46;
    case 44: return 62;
    case 9: return 4;
    case 10: return 5;
    case 11: return 6;
    case 6: return 37;
    default: return 0;
  }
}

// Page controls that flip a named switch.
int16_t* flippedGlobal(int id) {
  switch (id) {
    case 165: return &TimeGridLimit;
    case 14: return &AutoSS;
    case 20: return &DoSMOOTH;
    case 5: return &SEP;
    case 19: return &GetFlowRateFromChannel;
    case 18: return &MultiHist;
    case 22: return &DumpHist;
    default: return nullptr;
  }
}

// Radio buttons: the setting they write and the value they stand for.
struct RadioChoice {
  int id;
  int16_t* target;
  int16_t value;
};

const RadioChoice* radioChoice(int id) {
  static const RadioChoice kRadios[] = {
      {40, &prefsArray[34], 1}, {41, &prefsArray[34], 0}, {26, &prefsArray[33], 0}, {42, &prefsArray[33], 2},
      {23, &prefsArray[33], 1}, {29, &ToolBarBackground, 1}, {38, &ToolBarBackground, 20},
      {31, &ToolBarBackground, 14}, {27, &prefsArray[10], 0}, {28, &prefsArray[10], 1}, {300, &prefsArray[74], 1},
      {301, &prefsArray[74], 0}, {102, &WindowTitleFont, 0}, {103, &WindowTitleFont, 2},
      {104, &WindowTitleFont, 1}, {12, &OpenAsk, 0}, {13, &OpenAsk, 1}, {401, &UseExcelFormat, 0},
      {402, &UseExcelFormat, 1}, {15, &prefsArray[3], 0}, {16, &prefsArray[3], 1}, {7, &DsLx, 0}, {8, &DsLx, 1},
  };
  for (const RadioChoice& r : kRadios)
    if (r.id == id) return &r;
  return nullptr;
}

int mark(bool on) { return on ? 2 : 1; }

}  // namespace

bool BookmanAvailable() { return rt::fontNumber("Bookman Old Style") != 0; }

std::string ChooseTextFont(int id) {
  auto geneva = [] {
    KestrixFont = 3;
    StandardFont = 0;
    return std::string("Geneva");
  };
  if (id == 106) {
    if (int f = rt::fontNumber("Bookman Old Style")) {
      KestrixFont = int16_t(f), StandardFont = 5;
    } else if (int g = rt::fontNumber("American Typewriter")) {
      KestrixFont = int16_t(g), StandardFont = 3;
    }
    return rt::fontNumber("Lucida Grande") ? "Lucida Grande" : "Geneva";
  }
  if (id == 107) {
    const int f = rt::fontNumber("Century");
    if (!f) return geneva();
    KestrixFont = int16_t(f), StandardFont = 1;
    return rt::fontNumber("Lucida Grande") ? "Lucida Grande" : "Geneva";
  }
  const int f = rt::fontNumber("Lucida Grande");
  if (!f) return geneva();
  KestrixFont = int16_t(f), StandardFont = 0;
  return "Lucida Grande";
}

PrefsFollowUp ApplyPreferenceControl(int id) {
  if (int index = flippedIndex(id)) {
    TogglePrefs(int16_t(index));
    return PrefsFollowUp::None;
  }
  if (int16_t* g = flippedGlobal(id)) {
    *g = flipped(*g);
    return PrefsFollowUp::None;
  }
  if (const RadioChoice* r = radioChoice(id)) {
    *r->target = r->value;
    switch (id) {
      case 27:
      case 28: return PrefsFollowUp::MarkersChanged;
      case 26: return PrefsFollowUp::FrontAgain;
      case 300: return PrefsFollowUp::QuartzWarning;
      case 402: return PrefsFollowUp::SpreadsheetWarning;
      case 102:
      case 103:
      case 104: return PrefsFollowUp::RedrawSample;
      default: return PrefsFollowUp::None;
    }
  }
  switch (id) {
    case 25:
      TogglePrefs(49);
      prefsArray[45] = prefsArray[49] ? 12 : 10;
      return PrefsFollowUp::None;
    case 161: prefsArray[7] = 0; return PrefsFollowUp::None;
    case 162: prefsArray[7] = 25; return PrefsFollowUp::NormalSounds;
    case 163:
      if (prefsArray[7] < 50) {
        prefsArray[7] = 50;
        return PrefsFollowUp::StrangeSounds;
      }
      prefsArray[7] = 25;
      return PrefsFollowUp::None;
    case 164:
      TogglePrefs(29);
      return prefsArray[29] ? PrefsFollowUp::BlockBeep : PrefsFollowUp::None;
    case 111:
      TogglePrefs(31);
      if (prefsArray[31] == 0) prefsArray[32] = 0;
      return PrefsFollowUp::RedrawSample;
    case 24:
      TogglePrefs(32);
      if (prefsArray[32]) prefsArray[31] = 1;
      return PrefsFollowUp::RedrawSample;
    case 105:
    case 106:
    case 107: return PrefsFollowUp::TextFont;
    default: return PrefsFollowUp::NotAPageControl;
  }
}

int PreferenceControlMark(int id) {
  if (int index = flippedIndex(id)) return mark(prefsArray[index] != 0);
  if (int16_t* g = flippedGlobal(id)) return mark(*g != 0);
  if (const RadioChoice* r = radioChoice(id)) {
    // A switch that holds any non-zero value is on.
    if (r->value == 1 && (r->target == &prefsArray[10] || r->target == &prefsArray[74] || r->target == &OpenAsk ||
                          r->target == &UseExcelFormat || r->target == &prefsArray[3] || r->target == &DsLx ||
                          r->target == &prefsArray[34]))
      return mark(*r->target != 0);
    return mark(*r->target == r->value);
  }
  const int16_t level = prefsArray[7];
  const bool known = level == 0 || level == 25 || level == 50;
  switch (id) {
    case 25: return mark(prefsArray[49] != 0);
    case 161: return known ? mark(level == 0) : 0;
    case 162: return known ? mark(level != 0) : 0;
    case 163: return known ? mark(level == 50) : 0;
    case 164: return mark(prefsArray[29] != 0);
    case 111: return mark(prefsArray[31] != 0);
    case 24: return mark(prefsArray[32] != 0);
    case 105: return mark(StandardFont == 0);
    case 107: return mark(StandardFont == 1);
    case 106: return mark(StandardFont == 3 || StandardFont == 5);
    default: return -1;
  }
}

}  // namespace qv
