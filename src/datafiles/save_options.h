#pragma once
// The choices of the save road's windows. The csv options stay from one save to the next
// (the csv writer reads them); the others hold for one save.
#include <cstdint>

namespace qv {

// csv columns: the interpolation status, a time counter every `timecountervalue` hours,
// channel names cut to 8 characters.
extern int16_t showinterpolationstatus;
extern int16_t timecounter;
extern float timecountervalue;
extern int16_t eightcharacters;
// Conditional save: the rows kept are those whose value of channel prefsArray[26] passes the
// test prefsArray[27] (125 "<", 126 "=<", 127 "=", 128 ">=", 129 ">") against this value.
extern float selectionvalue;

// Time information of a csv file.
constexpr int16_t kTimeIndexEachRow = 0, kTimeIntervalInComment = 1, kNoTimeInformation = 2;

struct SaveFormatChoice {
  int16_t format = 0;  // SaveFormat
  int16_t timeInformation = kNoTimeInformation;
  int16_t includeDate = 0;
  int16_t dateForm = 0;  // 1 day of the year, 0 "mm/dd/yyyy"
};

// Window 6 "File Format Selection": the format and the csv options; ends on "Selection OK"
// or Return.
SaveFormatChoice FileFormatSelection();

// Window 6 "Conditional Data Save": the channel, the test and the value of the conditional
// save. `firstSaved` is the first channel flagged for saving.
void ConditionalSaveWindow(int16_t firstSaved);

// Bottom edge of the conditional window for a file of `channels` channels.
inline int conditionalWindowBottom(int channels) { return channels * 17 + 115 < 265 ? 265 : channels * 17 + 115; }

}  // namespace qv
