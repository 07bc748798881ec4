// "Read .csv File & Save Results" of the cost window: the table (kept while the cost window is
// open), the roles of its columns, one run per row, the results chosen and the results file.
#include "thermoreg/species_windows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "calculators/sun_cycle.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/warning.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"
#include "thermoreg/commands.h"
#include "thermoreg/species_table.h"
#include "thermoreg/timing_windows.h"
#include "thermoreg/treg_state.h"
#include "thermoreg/treg_texts.h"

namespace qv {

namespace {

constexpr int16_t kCostWindow = 4, kCautionWindow = 995, kRoleWindow = 999, kChoiceWindow = 990;
constexpr int kUseExisting = 1, kLoadOther = 2;
constexpr int kRoleHelp = 590, kRoleInterval = 591, kRoleNote = 592, kRoleCancel = 595, kRoleOK = 600;
constexpr int kMassBase = 400, kShelterBase = 450;
constexpr int kAll = 18, kNone = 19, kChoiceDone = 20, kExcel = 21, kMetadata = 22;
constexpr int kCountLabel = 998, kCountField = 999;
constexpr const char* kTitle = "Thermoregulatory Costs";

// The table and its name survive between calls while the cost window is open.
std::optional<SpeciesTable> gTable;

// Check box ids of the results in the order of their columns (n+2..n+16).
constexpr int kResultBoxes[kSpeciesResults] = {0, 1, 2, 3, 12, 13, 14, 15, 7, 8, 4, 5, 6, 9, 10, 11};
const char* const kResultLabels[kSpeciesResults] = {"",
                                                    " Mean as X BMR",
                                                    " Highest Cost (watts) ",
                                                    " Highest Cost as X BMR",
                                                    " Highest 6 hours (watts) ",
                                                    " Highest  6 hours as X BMR",
                                                    " Highest 12 hours (watts) ",
                                                    " Highest 12 hours as X BMR",
                                                    " Highest Daily Mean (watts) ",
                                                    " Highest Daily Mean as X BMR",
                                                    " % of Time at BMR",
                                                    " Mean When Not at BMR (watts) ",
                                                    " Mean When Not at BMR as X BMR",
                                                    " Mean Torpor MR (watts) ",
                                                    " Mean Torpor MR as X BMR",
                                                    " % of Time in Torpor"};

int savedOutputWindow() { return rt::outputWindow(); }
void restoreOutput(int w) {
  if (w && rt::windowExists(w)) rt::setOutputWindow(w);
}

int waitButton() {
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1) return id;
    if (a == 4) return -id;
  }
}

// Window 995: 1 the kept table, 2 another, 0 the close box.
int askKeptOrOther() {
  BuildWINDOW(kCautionWindow, "Conductance Data", 30, 100, 480, 220, 6);
  WARNINGSTRIPES(1, 10, 33, 8);
  playIfSoundsOn("bub3.mp3");
  SetTextStyle(KestrixFont, 14, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(24, 36, "Caution:   ");
  rt::foreColor(RGBblack);
  PrintAt(110, 36, "Data File Already Loaded!");
  std::string name = CSVspreadsheetName;
  if (name.size() > 28) name = name.substr(0, 27) + "\u2026";
  rt::FBButton(kUseExisting, 1, "Use Existing Data from:  '" + name + "'", {20, 50, 430, 72}, 1);
  rt::FBButton(kLoadOther, 1, "Load a Different .csv File", {20, 82, 260, 104}, 1);
  int choice = 0;
  for (;;) {
    const int id = waitButton();
    if (id == kUseExisting || id == kLoadOther) choice = id;
    if (id == -kCautionWindow) choice = 0;
    if (choice || id == -kCautionWindow) break;
  }
  rt::closeWindow(kCautionWindow);
  return choice;
}

std::string baseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool loadTable() {
  const std::optional<std::string> path = rt::OSpanelOpen("file with thermal conductance data:", {});
  if (!path) return false;
  const std::optional<std::vector<uint8_t>> bytes = rt::readWholeFile(*path);
  if (!bytes) {
    Warn(1166, "Thermoregulatory Costs: ", {"The file " + baseName(*path) + " could not be read."});
    return false;
  }
  SpeciesTableRead read = readSpeciesTable(*bytes);
  if (!read.table) {
    Warn(1166, "Thermoregulatory Costs: ", {read.refusal, "No table was loaded."});
    return false;
  }
  gTable = std::move(*read.table);
  CSVspreadsheetName = baseName(*path);
  TregCsvSpreadsheetColumns.fill(0);
  return true;
}

struct RoleLayout {
  int n = 0, step = 21, top = 44;
  bool wind = false, shelter = false;
  int rowY(int k) const { return top + step * (k - 1); }
  int bottom() const { return rowY(n) + step + 80; }
};

int roleButton(int role, int k) {
  if (role == kRoleMass) return k + kMassBase;
  if (role == kRoleShelter) return k + kShelterBase;
  return k + 50 * (role - 1);
}

int roleX(int role) {
  if (role == kRoleMass) return 790;
  if (role == kRoleShelter) return 852;
  return 300 + 60 * (role - 1);
}

void intervalNote() {
  const float v = MaxAverageIntervalinDays;
  rt::setEditText(kRoleNote, "Currently" + rt::PSstr(v) + (v <= 1 ? " day" : " days"));
}

void markRoles(const RoleLayout& L) {
  for (int role = 1; role <= 10; ++role) {
    if ((role == kRoleMass && !L.wind) || (role == kRoleShelter && !L.shelter)) continue;
    for (int k = 1; k <= L.n; ++k) rt::setButtonState(roleButton(role, k), TregCsvSpreadsheetColumns[size_t(role)] == k ? 2 : 1);
  }
  const bool ok = speciesRolesComplete(TregCsvSpreadsheetColumns, L.n);
  rt::setButtonState(kRoleOK, ok ? 1 : 0);
}

void buildRoleWindow(const RoleLayout& L) {
  const int right = L.shelter ? 943 : L.wind ? 890 : 840;
  BuildWINDOW(kRoleWindow, "Assign Spreadsheet Columns to Thermoregulatory Variables", 50, 30, int16_t(50 + right),
              int16_t(30 + L.bottom()), 262);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(40, 28, "variable (maximum of 50) ");
  PrintAt(280, 28, "use sun?");
  DoSubscript(358, 28, "T", "b", "", 4);
  DoSubscript(417, 28, "C", "th", "", 4);
  PrintAt(475, 28, "LCT");
  PrintAt(530, 28, "BMR");
  PrintAt(580, 28, "torpor?");
  DoSubscript(640, 28, "min. T", "b", "", 4);
  PrintAt(705, 28, "diurnal?");
  if (L.wind) PrintAt(775, 28, "mass (g) ");
  if (L.shelter) PrintAt(838, 28, "shelter");
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 1; k <= L.n; ++k) {
    const int y = L.rowY(k);
    if (k % 3 == 0) GrayBOX(1, 10, int16_t(y - 1), int16_t(right - 10), int16_t(y + L.step - 3));
    PrintAt(16, y + 12, std::to_string(k));
    std::string name = gTable->names[size_t(k - 1)];
    if (name.size() > 36) name = name.substr(0, 35) + "\u2026";
    PrintAt(44, y + 12, name);
    const int h = std::min(16, L.step - 2);
    for (int role = 1; role <= 10; ++role) {
      if ((role == kRoleMass && !L.wind) || (role == kRoleShelter && !L.shelter)) continue;
      const int x = roleX(role);
      rt::FBButton(roleButton(role, k), 1, "", {x, y, x + 16, y + h}, 3);
    }
  }
  const int by = L.rowY(L.n) + L.step + 16;
  rt::FBButton(kRoleHelp, 1, "?", {20, by, 50, by + 22}, 1);
  rt::FBButton(kRoleInterval, 1, "Set Time Average Interval...", {60, by, 280, by + 22}, 1);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kRoleNote, "", 290, int16_t(by + 3), 420, int16_t(by + 20), 7, 0);
  intervalNote();
  rt::FBButton(kRoleCancel, 1, "Cancel", {500, by, 590, by + 22}, 1);
  rt::FBButton(kRoleOK, 0, "Selection OK -- Compute Costs", {600, by, 830, by + 22}, 4);
  markRoles(L);
}

// Window 999: true on "Selection OK -- Compute Costs".
bool assignRoles() {
  RoleLayout L;
  L.n = int(gTable->names.size());
  L.wind = prefsArray[56] != 0;
  L.shelter = prefsArray[57] != 0;
  L.step = L.n <= 28 ? 21 : 14;
  if (!L.wind) TregCsvSpreadsheetColumns[kRoleMass] = 0;
  if (!L.shelter) TregCsvSpreadsheetColumns[kRoleShelter] = 0;
  buildRoleWindow(L);
  bool go = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= kShelterBase + L.n) {
      int role = 0, k = 0;
      if (id > kShelterBase) role = kRoleShelter, k = id - kShelterBase;
      else if (id > kMassBase) role = kRoleMass, k = id - kMassBase;
      else role = (id - 1) / 50 + 1, k = (id - 1) % 50 + 1;
      if (k <= L.n) TregCsvSpreadsheetColumns[size_t(role)] = int16_t(k);
      markRoles(L);
    } else if (a == 1 && id == kRoleHelp) {
      HelpSubject = 246;
      OpenHelpBook();
    } else if (a == 1 && id == kRoleInterval) {
      SetLongestTimeAverage();
      rt::bringWindowForward(kRoleWindow);
      intervalNote();
    } else if (a == 1 && id == kRoleOK) {
      go = true;
      break;
    } else if ((a == 1 && id == kRoleCancel) || (a == 4 && id == kRoleWindow)) {
      break;
    } else if (a == 4 && (id == 14 || id == 1202)) {
      rt::closeWindow(id);
    }
  }
  rt::closeWindow(kRoleWindow);
  csvConductanceFileWasLoaded = 1;
  return go;
}

bool climateChannelsOk(int shade, int sun) {
  const int f = TheFileInUse, n = nChannels[f];
  auto ok = [n](int c) { return c >= 1 && c <= n; };
  const bool good = ok(shade) && ok(sun) && ok(ChannelforDaytime) && (!ComputeDawnAndDusk || ok(ChannelforJulianDay)) &&
                    (!prefsArray[56] || ok(prefsArray[55])) && FileInfoFLOATS[f][1] > 0;
  if (!good)
    Warn(1166, "Thermoregulatory Costs: ",
         {"Choose the shade, sun and time-of-day channels (and the day and wind channels your options use)",
          "among the channels of this file.", "Nothing was computed."});
  return good;
}

using RowCells = std::optional<std::array<std::string, kSpeciesResults>>;

// One run per row over the climate cases they share; the last computed row's costs stay.
std::vector<RowCells> runRows(int shade, int sun, std::vector<float>& costs, TregResult& last) {
  const int f = TheFileInUse;
  const int32_t n = nCases[f];
  if (ComputeDawnAndDusk) annualSunTable(latitude, longitude);
  const TregChannels ch = climateChannels(shade, sun);
  const TregSettings base = currentTregSettings();
  const TregCases cases = tregPrepare(ch, n, FileInfoFLOATS[f][1], base, SunCycleArray);
  const int16_t keptTorpor = UseTorpor, keptDay = dayActive, keptShelter = prefsArray[57];
  const float keptMin = MinimumTorporTb;
  std::vector<RowCells> cells(gTable->rows.size());
  std::vector<float> rowCosts(size_t(n) + 1, 0.0f);
  bool any = false;
  rt::setEditTextIn(kCostWindow, kCountLabel, "count:");
  for (size_t row = 0; row < gTable->rows.size(); ++row) {
    const SpeciesRow r = speciesRow(*gTable, row, TregCsvSpreadsheetColumns, BMRinWatts != 0, base.windUsed,
                                    prefsArray[57] != 0);
    UseTorpor = r.useTorpor ? 1 : 0;
    dayActive = r.dayActive ? 1 : 0;
    if (r.minTorporTb) MinimumTorporTb = *r.minTorporTb;
    TregSettings s = base;
    s.useTorpor = r.useTorpor, s.dayActive = r.dayActive, s.minTorporTb = MinimumTorporTb;
    if (r.sheltered) s.shelteredWhenInactive = *r.sheltered;
    if (r.computed) {
      last = tregCompute(cases, r.animal, s, rowCosts);
      cells[row] = speciesResultCells(last, r.animal.bmr, s.canUseTorpor && s.useTorpor, s.activeTimeMean);
      for (const auto& [id, text] : tregSummaryTexts(last, r.animal.bmr, s.canUseTorpor && s.useTorpor, s.activeTimeMean))
        rt::setEditTextIn(kCostWindow, id, text);
      costs.swap(rowCosts);
      rowCosts.assign(size_t(n) + 1, 0.0f);
      any = true;
    }
    rt::setEditTextIn(kCostWindow, kCountField, std::to_string(row + 1));
  }
  UseTorpor = keptTorpor, dayActive = keptDay, MinimumTorporTb = keptMin, prefsArray[57] = keptShelter;
  if (any) {
    publishTregResult(last);
    if (!gPointersToFileData[f][0]) gPointersToFileData[f][0] = allocateSamples(n);
    if (float* work = channelData(f, 0)) std::copy(costs.begin(), costs.end(), work);
  }
  return cells;
}

// Window 990: the results ticked, Excel and metadata; false on nothing chosen to save.
struct Choice {
  SpeciesTicks ticks{};
  bool excel = false, metadata = false;
};

Choice chooseResults() {
  Choice c;
  c.ticks[0] = true;
  BuildWINDOW(kChoiceWindow, "Thermoregulatory Data", 50, 50, 470, 530, 262);
  SetTextStyle(KestrixFont, 20, rt::kBold);
  PrintAt(24, 34, "Select which variables to save");
  SetTextStyle(KestrixFont, 12, 0);
  const bool torpor = CalculationsCanUseTorpor != 0;
  int y = 56;
  for (int k = 1; k < kSpeciesResults; ++k) {
    if (k >= 13 && !torpor) continue;
    rt::FBButton(kResultBoxes[k], 1, kResultLabels[k], {30, y, 300, y + 18}, 2);
    y += 22;
  }
  y += 8;
  rt::FBButton(kExcel, 1, "Save in Excel format", {30, y, 250, y + 18}, 2);
  rt::FBButton(kMetadata, 1, "Save Metadata in file", {30, y + 22, 250, y + 40}, 2);
  rt::FBButton(kAll, 1, "All", {320, 56, 400, 78}, 1);
  rt::FBButton(kNone, 1, "None", {320, 86, 400, 108}, 1);
  rt::FBButton(kChoiceDone, 1, "Done", {300, 440, 400, 462}, 4);
  auto boxExists = [&](int k) { return k < 13 || torpor; };
  // Check boxes show their mark as button state 2; the window keeps what is ticked.
  auto mark = [](int id, bool on) { rt::setButtonState(id, on ? 2 : 1); };
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kChoiceDone) || a == 16 || (a == 4 && id == kChoiceWindow)) break;
    if (a != 1) continue;
    if (id == kAll || id == kNone) {
      for (int k = 1; k < kSpeciesResults; ++k)
        if (boxExists(k)) mark(kResultBoxes[k], c.ticks[size_t(k)] = id == kAll);
    } else if (id == kExcel) {
      mark(id, c.excel = !c.excel);
    } else if (id == kMetadata) {
      mark(id, c.metadata = !c.metadata);
    } else {
      for (int k = 1; k < kSpeciesResults; ++k)
        if (kResultBoxes[k] == id && boxExists(k)) mark(id, c.ticks[size_t(k)] = !c.ticks[size_t(k)]);
    }
  }
  rt::closeWindow(kChoiceWindow);
  return c;
}

SpeciesMetadata metadata() {
  SpeciesMetadata m;
  m.climateFile = FileName[TheFileInUse];
  m.tableName = CSVspreadsheetName;
  m.sunAllowed = SunUseAllowed != 0;
  m.variableTb = variableTb != 0;
  m.variableConductance = variableConductance != 0;
  m.torporAllowed = CalculationsCanUseTorpor != 0;
  m.fromLocation = ComputeDawnAndDusk != 0;
  const TregSettings s = currentTregSettings();
  m.tbChange = TbChange, m.conductanceFactor = s.conductanceFactor, m.torporQ10 = s.torporQ10;
  m.torporStartLag = TorporStartLag, m.torporEndLag = TorporEndLag, m.torporEntry = s.torporEntry;
  m.latitude = latitude, m.longitude = longitude, m.dawn = DaytimeStart, m.dusk = DaytimeEnd;
  return m;
}

void saveResults(const std::vector<RowCells>& cells, const Choice& c) {
  const std::optional<std::string> path =
      rt::OSpanelSave("file for data output:", c.excel ? "TregCosts.xls" : "TregCosts.csv");
  if (!path) return;
  std::string text = speciesResultsText(*gTable, cells, c.ticks, MaxAverageIntervalinDays, c.excel ? '\t' : ',');
  if (c.metadata) text += speciesMetadataText(metadata());
  std::string error;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &error))
    Warn(1166, "Thermoregulatory Costs: ", {"The results could not be written to " + baseName(*path) + ".", error});
}

}  // namespace

std::string TregCostsFromSpreadsheet(int16_t shade, int16_t sun, std::vector<float>& costs, TregResult& last) {
  SavedHandlers saved;
  const int output = savedOutputWindow();
  rt::closeWindow(884);
  installModalHandlers();
  action = eventID = 0;
  bool haveTable = false;
  if (csvConductanceFileWasLoaded && gTable) {
    const int choice = askKeptOrOther();
    if (choice == 0) {
      restoreOutput(output);
      return "";
    }
    haveTable = choice == kUseExisting;
  }
  if (!haveTable && !loadTable()) {
    restoreOutput(output);
    return "";
  }
  if (!assignRoles() || !climateChannelsOk(shade, sun)) {
    restoreOutput(output);
    return "";
  }
  rt::bringWindowForward(kCostWindow);
  const std::vector<RowCells> cells = runRows(shade, sun, costs, last);
  if (prefsArray[58] > 0 && TimingWarning(1)) {
    playIfSoundsOn("bzot.mp3");
    restoreOutput(output);
    return CSVspreadsheetName;
  }
  const Choice c = chooseResults();
  saveResults(cells, c);
  rt::closeWindow(14);
  if (rt::windowExists(kCostWindow)) rt::bringWindowForward(kCostWindow);
  restoreOutput(output);
  return CSVspreadsheetName;
}

}  // namespace qv
