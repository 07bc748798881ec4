// Window 6 "File Format Selection" of Save As: one of four formats; the csv format brings
// its column options to life.
#include <cmath>
#include <initializer_list>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/images.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/warning.h"
#include "datafiles/save_names.h"
#include "datafiles/save_options.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t showinterpolationstatus = 0;
int16_t timecounter = 0;
float timecountervalue = 1.0f;
int16_t eightcharacters = 0;
float selectionvalue = 0.0f;

namespace {

constexpr int16_t kWindow = 6;
enum : int16_t {
  kBinary = 1, kText = 2, kCsv = 4, kTimeIndex = 5, kTimeInComment = 6, kOk = 7, kSable = 8, kConditional = 10,
  kInterpolation = 11, kTimeCounter = 12, kEightCharacters = 13, kIncludeDate = 14, kDayOfYear = 16,
  kMonthDayYear = 17, kMarkers = 18, kHours = 101, kTwoOptionsNote = 150, kTimeNote = 151,
};
// The options that only the csv format has.
constexpr std::initializer_list<int16_t> kCsvOptions = {kTimeIndex,        kTimeInComment, kConditional,
                                                        kInterpolation,    kTimeCounter,   kEightCharacters,
                                                        kIncludeDate,      kDayOfYear,     kMonthDayYear,
                                                        kMarkers};

int marked(bool on) { return on ? 2 : 1; }

// Return: typed in the window, or in its edit field (which leaves no key number).
bool returnKey(int16_t what, int16_t id) { return what == 16 && (id == 13 || id == 3 || id == 0); }

std::string numberText(float v) {
  const std::string s = rt::PSstr(v);
  return !s.empty() && s[0] == ' ' ? s.substr(1) : s;
}

void showFormatPicture(int16_t format) {
  const char* name = format == kSaveOwnText ? "KestrixTEXT.gif"
                     : format == kSaveSable ? "SCCF.gif"
                     : format == kSaveCsv   ? "CSVicon.jpg"
                                            : "KSTX.gif";
  rt::eraseRect({263, 0, 379, 119});
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", name), 263, 1, 379, 119);
}

void build() {
  BuildWINDOW(kWindow, "File Format Selection", 80, 55, 470, 532, 262);
  rt::FBButton(kBinary, 2, "Kestrix Binary Format", {15, 16, 259, 34}, 3);
  rt::FBButton(kText, 1, "Kestrix Text Format", {15, 44, 259, 62}, 3);
  rt::FBButton(kSable, 1, "SABLE ExpeData Binary Format", {15, 72, 259, 90}, 3);
  rt::FBButton(kCsv, 1, "Text Format (.csv file) ", {15, 103, 192, 121}, 3);
  rt::foreColor(gray);
  rt::frameRect({10, 132, 377, 260});
  rt::FBButton(kIncludeDate, 0, "Include Date With Each Sample", {29, 157, 372, 174}, 2);
  rt::FBButton(kDayOfYear, 0, "Day of Year", {49, 176, 152, 195}, 3);
  rt::FBButton(kMonthDayYear, 0, "mm/dd/yyyy", {180, 176, 350, 195}, 3);
  rt::FBButton(kTimeIndex, 0, "Include Time Index With Each Sample", {49, 203, 352, 222}, 3);
  rt::FBButton(kTimeInComment, 0, "Place Time Interval in Comment String", {49, 239, 352, 257}, 3);
  EFForeColor = 3;
  EFBackColor = 6;
  buildef(0, kTwoOptionsNote, "These two options each occupy 1 variable", 11, 136, 375, 152, 7, 0);
  rt::setEditFont(kTwoOptionsNote, KestrixFont, 12, 0);
  rt::FBButton(kConditional, 0, "Conditional Save", {29, 273, 300, 293}, 2);
  rt::FBButton(kInterpolation, 0, "Show Interpolation Status", {29, 303, 300, 323}, 2);
  rt::FBButton(kTimeCounter, 0, "Create Time Counter Every", {29, 336, 225, 356}, 2);
  EFForeColor = 0;
  EFBackColor = 1;
  buildef(1, kHours, numberText(timecountervalue), 230, 338, 290, 355, 1, 0);
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  PrintAt(298, 351, "hour(s) ");
  EFForeColor = 0;
  EFBackColor = 6;
  buildef(0, kTimeNote, "Use this option to include time data for use in a plotting program or a spreadsheet.", 50, 360,
          360, 390, 7, 0);
  rt::FBButton(kEightCharacters, 0, "Limit Variable Names to 8 Characters", {29, 406, 360, 426}, 2);
  rt::FBButton(kMarkers, 0, "Include Marker Data", {29, 436, 180, 456}, 2);
  rt::FBButton(kOk, 1, "Selection OK", {205, 439, 355, 459}, 4);
  showFormatPicture(kSaveOwnBinary);
}

void chooseOwnOrSable(int16_t id, SaveFormatChoice& c) {
  for (int16_t b : {kBinary, kText, kSable, kCsv}) rt::setButtonState(b, b == id ? 2 : 1);
  for (int16_t b : kCsvOptions) rt::setButtonState(b, 0);
  c.format = id == kBinary ? kSaveOwnBinary : id == kText ? kSaveOwnText : kSaveSable;
}

void showTimeInformation(const SaveFormatChoice& c) {
  rt::setButtonState(kTimeIndex, marked(c.timeInformation == kTimeIndexEachRow));
  rt::setButtonState(kTimeInComment, marked(c.timeInformation == kTimeIntervalInComment));
}

void chooseCsv(SaveFormatChoice& c) {
  rt::setButtonState(kCsv, 2);
  for (int16_t b : {kBinary, kText, kSable}) rt::setButtonState(b, 1);
  showTimeInformation(c);
  rt::setButtonState(kIncludeDate, marked(c.includeDate));
  rt::setButtonState(kInterpolation, marked(showinterpolationstatus));
  rt::setButtonState(kConditional, marked(prefsArray[26]));
  rt::setButtonState(kMarkers, marked(prefsArray[80]));
  rt::setButtonState(kTimeCounter, marked(timecounter));
  rt::setButtonState(kEightCharacters, marked(eightcharacters));
  rt::setButtonState(kDayOfYear, marked(c.dateForm == 1));
  rt::setButtonState(kMonthDayYear, marked(c.dateForm != 1));
  c.format = kSaveCsv;
}

void toggle(int16_t id, int16_t& flag, int16_t onValue = 1) {
  flag = flag ? 0 : onValue;
  rt::setButtonState(id, marked(flag));
}

void click(int16_t id, SaveFormatChoice& c) {
  const bool csv = c.format == kSaveCsv;
  switch (id) {
    case kBinary:
    case kText:
    case kSable: chooseOwnOrSable(id, c); break;
    case kCsv: chooseCsv(c); break;
    default:
      // The csv options answer only while csv is the format (a dimmed box takes no click).
      if (!csv) return;
      if (id == kTimeIndex) {
        c.timeInformation = c.timeInformation != kTimeIndexEachRow ? kTimeIndexEachRow : kNoTimeInformation;
        showTimeInformation(c);
      } else if (id == kTimeInComment) {
        c.timeInformation = kTimeIntervalInComment;
        showTimeInformation(c);
      } else if (id == kConditional) {
        toggle(id, prefsArray[26], -1);
      } else if (id == kInterpolation) {
        toggle(id, showinterpolationstatus);
      } else if (id == kTimeCounter) {
        toggle(id, timecounter);
      } else if (id == kEightCharacters) {
        toggle(id, eightcharacters);
      } else if (id == kIncludeDate) {
        toggle(id, c.includeDate);
      } else if (id == kMarkers) {
        toggle(id, prefsArray[80]);
      } else if (id == kDayOfYear || id == kMonthDayYear) {
        c.dateForm = id == kDayOfYear ? 1 : 0;
        rt::setButtonState(kDayOfYear, marked(c.dateForm == 1));
        rt::setButtonState(kMonthDayYear, marked(c.dateForm != 1));
      }
      return;
  }
  showFormatPicture(c.format);
}

// The hours between time-counter marks: taken when the field holds a number above 0.
bool takeHours() {
  double v = 0;
  if (!rt::PSvalStrict(rt::editTextIn(kWindow, kHours), v) || !std::isfinite(v) || v <= 0 || v >= 1e6) return false;
  timecountervalue = float(v);
  return true;
}

void refuseHours() {
  const std::string text = rt::editTextIn(kWindow, kHours);
  Warn(1166, "Time counter: ", {"\u201C" + text + "\u201D is not a number of hours.", "Please type a number above 0."});
  rt::setOutputWindow(kWindow);
  rt::setEditTextIn(kWindow, kHours, numberText(timecountervalue));
}

}  // namespace

SaveFormatChoice FileFormatSelection() {
  SavedHandlers saved;
  build();
  installModalHandlers();
  action = eventID = 0;
  SaveFormatChoice choice;
  for (bool done = false; !done;) {
    const auto [what, id] = takeAction();
    if (rt::windowExists(kWindow)) rt::setOutputWindow(kWindow);
    if (what == 1 && id != kOk) click(id, choice);
    const bool hoursTaken = takeHours();
    if (!((what == 1 && id == kOk) || returnKey(what, id))) continue;
    // A time counter the csv file is to have needs its hours: the window stays until they are a number.
    if (!hoursTaken && choice.format == kSaveCsv && timecounter) {
      refuseHours();
      continue;
    }
    done = true;
  }
  rt::closeWindow(kWindow);
  return choice;
}

}  // namespace qv
