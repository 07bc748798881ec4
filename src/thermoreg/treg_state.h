#pragma once
// What the cost tools share between their windows and keep between runs: the channels
// chosen, the totals of the last run, its timing errors, the species table's name and roles.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "thermoreg/treg_model.h"

namespace qv {

// Channels of time of day and day of the year (chosen in the cost window).
extern int16_t ChannelforDaytime, ChannelforJulianDay;
// DestinationChannel (editing/copy_channel.h) is the channel a stored run becomes;
// BodyTemperature (calculators/ventilation.h) keeps the Tb typed last.
// Totals of the last run.
extern int32_t TotalTregCases, TotalAtBMR, TotalAboveBMR;
extern float HighestTregCost;
// Entries 1..100: the first case numbers of the last run's timing errors; the count is in
// prefsArray[58].
extern std::array<int32_t, kTimingErrorsListed + 1> TimingErrors;
// The species table stays loaded while the cost window is open.
extern int16_t csvConductanceFileWasLoaded;
extern std::string CSVspreadsheetName;
// The input column (1..50) of each role 1..10; 0 none.
extern std::array<int16_t, 11> TregCsvSpreadsheetColumns;

// The model's settings as the options left them.
TregSettings currentTregSettings();

// The climate channels of the file in use for a run: shade, sun and the time of day, with the day of
// the year and the wind when the options use them. Each holds the file's cases 0..nCases.
TregChannels climateChannels(int shade, int sun);

// Publishes a run's totals and timing errors in the globals above.
void publishTregResult(const TregResult& r);

}  // namespace qv
