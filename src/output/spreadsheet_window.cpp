// "Spreadsheet Output Options" and "Multiple Results Per Line Options" (window 9): what each
// line of a spreadsheet results file holds, asked when the spreadsheet route is opened.
#include <string>

#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/output_state.h"
#include "output/route_texts.h"
#include "output/spreadsheet.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kOptionsWindow = 9;
constexpr int kOptionsHelp = 203;
constexpr int kDone = 20;

enum class Outcome { Accepted, Cancelled };

struct OptionPlace {
  int id;
  const char* title;
  rt::Rect r;
};
const OptionPlace kOptionPlaces[] = {
    {1, "Start and End Time", {10, 40, 200, 57}},
    {2, "Block Duration (sec) ", {10, 57, 200, 74}},
    {3, "Mass (grams) ", {10, 74, 200, 91}},
    {4, "Start and End Cases", {10, 91, 200, 108}},
    {5, "Channel and File", {10, 108, 200, 125}},
    {6, "Analysis Mode", {10, 125, 200, 142}},
    {11, "Hour (24h format, e.g.  17.345) ", {10, 144, 330, 161}},
    {12, "Date (day of year) ", {10, 161, 180, 178}},
    {13, "Date (mm/dd/yyyy) ", {185, 161, 380, 178}},
    {14, "Elapsed Time from Start of File (min) ", {10, 178, 360, 195}},
    {9, "Excel .txt Format", {10, 197, 180, 214}},
    {10, "Multiple Results per Line", {185, 197, 410, 214}},
    {7, "User Note 1", {10, 238, 150, 255}},
    {8, "User Note 2", {155, 238, 300, 255}},
};

void showStates(SpreadsheetOptions& o) {
  const OptionButtonStates b = SETTABOPTIONS(o);
  for (int id = 1; id <= kOptionButtons; ++id) rt::setButtonState(id, b.state[id]);
}

void buildOptionsWindow(SpreadsheetOptions& o) {
  BuildWINDOW(kOptionsWindow, "Spreadsheet Output Options", 100, 70, 524, 371, 6);
  InvertedBox(5, 235, 306, 282);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(10, 15, "In addition to mean, SD, N, min, max, and variable name,");
  PrintAt(20, 32, "include the following:");
  PrintAt(15, 275, "(enter notes in the COMMENTS window) ");
  if (const rt::Image icon = rt::loadImage("DUdoderi", "ExcelIcon.png")) {
    rt::drawImage(icon, {209, 50, 285, 113});
    rt::releaseImage(icon);
  }
  SetTextStyle(KestrixFont, 12, 0);
  for (const OptionPlace& p : kOptionPlaces) rt::FBButton(p.id, p.id == 10 ? 0 : 1, p.title, p.r, 2);
  rt::FBButton(kDone, 1, "OK", {330, 262, 410, 286}, 4);
  showStates(o);
}

// "/" and "?" open the help page; Return, OK or a click in another window accept; the close
// box cancels.
Outcome optionsWindow(SpreadsheetOptions& o) {
  buildOptionsWindow(o);
  for (;;) {
    action = eventID = 0;
    waitForAction();
    const int id = eventID;
    if (action == 1 && id >= 1 && id <= kOptionButtons) {
      o = clickSpreadsheetOption(o, id);
      showStates(o);
    } else if ((action == 1 && id == kDone) || (action == 16 && (id == 13 || id == 3)) ||
               (action == 3 && id != kOptionsWindow)) {
      return Outcome::Accepted;
    } else if (action == 16 && (id == '/' || id == '?')) {
      OpenHelpBook();
    } else if (action == 4 && id == kOptionsWindow) {
      return Outcome::Cancelled;
    }
  }
}

rt::Rect countButton(int k) {
  const int i = k <= 9 ? k - 2 : k - 10;
  const int x = (k <= 9 ? 30 : 210) + (i % 2) * 90;
  const int y = 68 + (i / 2) * 30;
  return {x, y, x + 60, y + 20};
}

Outcome resultsPerLineWindow() {
  BuildWINDOW(kOptionsWindow, "Multiple Results Per Line Options", 100, 70, 524, 260, 6);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(10, 18, "You need to specify how many variables will be stored in");
  PrintAt(10, 35, "each line of the Excel spreadsheet.   A  'variable ' is");
  PrintAt(10, 52, "the result of one analysis operation.");
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 2; k <= 15; ++k) rt::FBButton(k, 1, std::to_string(k), countButton(k), 1);
  rt::FBButton(kDone, 1, "Done", {300, 160, 400, 182}, 4);
  NMultipleResults = 2;
  rt::setButtonState(NMultipleResults, 2);
  for (;;) {
    action = eventID = 0;
    waitForAction();
    const int id = eventID;
    if (action == 1 && id >= 2 && id <= 15) {
      rt::setButtonState(NMultipleResults, 1);
      NMultipleResults = int16_t(id);
      rt::setButtonState(id, 2);
    } else if ((action == 1 && id == kDone) || (action == 16 && (id == 13 || id == 3)) ||
               (action == 3 && id != kOptionsWindow)) {
      return Outcome::Accepted;
    } else if (action == 16 && (id == '/' || id == '?')) {
      OpenHelpBook();
    } else if (action == 4 && id == kOptionsWindow) {
      return Outcome::Cancelled;
    }
  }
}

}  // namespace

bool SpreadsheetOutputOptions(std::string& proposedName) {
  SavedHandlers savedHandlers;
  const int16_t savedHelp = HelpSubject;
  HelpSubject = kOptionsHelp;
  installModalHandlers();
  SpreadsheetOptions o = currentSpreadsheetOptions();
  Outcome outcome = optionsWindow(o);
  // A cancelled window leaves the options as they were.
  if (outcome == Outcome::Accepted) {
    storeSpreadsheetOptions(o);
    proposedName += o.UseExcelFormat ? ".txt" : ".csv";
    if (o.UseMultipleResults) outcome = resultsPerLineWindow();
  }
  rt::closeWindow(kOptionsWindow);
  action = eventID = 0;
  HelpSubject = savedHelp;
  return outcome == Outcome::Accepted;
}

}  // namespace qv
