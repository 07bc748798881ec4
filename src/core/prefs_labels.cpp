#include "core/prefs_labels.h"

#include <utility>

namespace qv {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Headings of the preferences window stand before the option where the option alone would
// not say which setting it is ("Lag" of the gas exchange defaults).
constexpr Pair kLabels[] = {
    {"prefsArray[2]", "Show Comments"},
    {"prefsArray[3]", "Smoothing default"},
    {"prefsArray[4]", "Gas exchange calculation defaults: Lag"},
    {"prefsArray[5]", "Gas exchange calculation defaults: Baseline"},
    {"prefsArray[6]", "Gas exchange calculation defaults: Send Results to New Channel"},
    {"DsLx", "De-spiking default"},
    {"prefsArray[7]", "Sounds"},
    {"prefsArray[29]", "Use Sounds at Block Selection"},
    {"AutoSS", "Autorepeat after: Smoothing, De-spiking"},
    {"OpenAsk", "'Open' Toolbar Button Asks for File Type(s) to Access"},
    {"GetFlowRateFromChannel", "Gas exchange calculation defaults: Get Flow From Channel"},
    {"DoSMOOTH", "Gas exchange calculation defaults: Smooth"},
    {"prefsArray[16]", "Warn Before Closing or Quitting if a File Has Been Changed"},
    {"FiO2", "Incurrent O\u2082 (%)"},
    {"FiCO2", "Incurrent CO\u2082 (%)"},
    {"RQ", "Respiratory quotient (RQ)"},
    {"multi-channel view mode", "Show Multiple Channels"},
    {"SEP", "Gas exchange calculation defaults: Show Conversion Equation"},
    {"prefsArray[37]", "Waveform: Show Triggers"},
    {"prefsArray[10]", "Markers default"},
    {"prefsArray[11]", "Show Grid Lines"},
    {"prefsArray[12]", "Show Screen Segments"},
    {"prefsArray[13]", "Show Zero Lines"},
    {"EFBackColor", "Edit field colour"},
    {"prefsArray[32]", "Use 'aqua' Theme for Window Labels"},
    {"prefsArray[49]", "Use Large Label Text on Plot Windows"},
    {"MultiHist", "Distribution histograms: Separate Plots for Each Channel"},
    {"DumpHist", "Distribution histograms: Close Plots When Analysis Done"},
    {"prefsArray[28]", "Point and block cursor"},
    {"prefsArray[33]", "Toolbar Position"},
    {"prefsArray[21]", "Show Time Scale on Plot Windows"},
    {"AvoidInterpolation", "Don't Use Interpolated Data"},
    {"SteppedSampleInterval", "Stepped Sampling interval"},
    {"SteppedSampleSkip", "Stepped Sampling skip"},
    {"prefsArray[19]", "Show Time Segments"},
    {"ToolBarBackground", "Toolbar Color"},
    {"tabTime", "Spreadsheet: Start and End Time"},
    {"deltatime", "Spreadsheet: Block Duration (sec)"},
    {"tabmass", "Spreadsheet: Mass (grams)"},
    {"tabStart", "Spreadsheet: Start and End Cases"},
    {"tabChan", "Spreadsheet: Channel and File"},
    {"tabMode", "Spreadsheet: Analysis Mode"},
    {"Note_1", "Spreadsheet: User Note 1"},
    {"Note_2", "Spreadsheet: User Note 2"},
    {"prefsArray[40]", "Spreadsheet: Hour (24h format)"},
    {"prefsArray[41]", "Spreadsheet: Elapsed Time from Start of File (min)"},
    {"UseMultipleResults", "Spreadsheet: Multiple Results per Line"},
    {"prefsArray[50]", "Spreadsheet: Date"},
    {"UseExcelFormat", "Spreadsheet File Type"},
    {"prefsArray[34]", "Place Note Buttons at Top of Plot"},
    {"WindowTitleFont", "Font for large window labels"},
    {"LastBaselineMarker", "Baseline correction: last marker"},
    {"LastBaselineShift", "Baseline correction: last shift"},
    {"prefsArray[30]", "'Lock' Toolbar to Plot Windows"},
    {"prefsArray[31]", "Use 'Embossed' Text for Window Labels"},
    {"variableTb", "Thermoregulation: body temperature rises when active"},
    {"TbChange", "Thermoregulation: rise of body temperature when active"},
    {"CalculationsCanUseTorpor", "Thermoregulation: torpor allowed"},
    {"MinimumTorporTb", "Thermoregulation: minimum body temperature in torpor"},
    {"TorporEntryTime", "Thermoregulation: torpor entry time"},
    {"TorporQ10", "Thermoregulation: torpor Q10"},
    {"ActiveTimeCostsOnly", "Thermoregulation: active-time costs only"},
    {"DaytimeStart", "Thermoregulation: start of day"},
    {"DaytimeEnd", "Thermoregulation: end of day"},
    {"TorporStartLag", "Thermoregulation: torpor start lag"},
    {"TorporEndLag", "Thermoregulation: torpor end lag"},
    {"DefaultTb", "Thermoregulation: default body temperature"},
    {"ZeroEqualsMissingTemperatures", "Thermoregulation: zero means a missing temperature"},
    {"replacementTb", "Thermoregulation: replacement body temperature"},
    {"BMRinWatts", "Thermoregulation: BMR in watts"},
    {"dayActive", "Thermoregulation: active by day"},
    {"TimeGridLimit", "Draw time grids only if > 10 pixels/grid"},
    {"UpTrimLimit", "Remove Spikes: upper trim limit"},
    {"UpTrimValue", "Remove Spikes: upper trim value"},
    {"LowTrimLimit", "Remove Spikes: lower trim limit"},
    {"LowTrimValue", "Remove Spikes: lower trim value"},
    {"threshold", "Remove Spikes: sweep threshold"},
    {"CustomAllometryArray[1]", "Metabolic Allometry: custom coefficient"},
    {"CustomAllometryArray[2]", "Metabolic Allometry: custom exponent"},
    {"latitude", "Latitude"},
    {"longitude", "Longitude"},
    {"prefsArray[65]", "Warn Before Performing a Block Cut Operation"},
    {"prefsArray[72]", "Show Zoom Factor in Plot Windows"},
    {"prefsArray[73]", "Play Startup Sound"},
    {"prefsArray[74]", "Quartz Drawing Only"},
    {"prefsArray[82]", "Subplot colors"},
};

}  // namespace

std::string_view PreferenceLabel(std::string_view fieldName) {
  for (const Pair& p : kLabels)
    if (p.first == fieldName) return p.second;
  return fieldName;
}

std::vector<std::string> ResetPreferencesLines(const std::vector<std::string>& fieldNames, size_t shown) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < fieldNames.size() && i < shown; ++i)
    lines.push_back("    " + std::string(PreferenceLabel(fieldNames[i])));
  if (fieldNames.size() > shown) lines.push_back("    and " + std::to_string(fieldNames.size() - shown) + " more");
  return lines;
}

}  // namespace qv
