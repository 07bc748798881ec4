#pragma once
// What the loading window says about a file while it is read: date and start time, channel
// and case counts, sample interval. The texts are built here; SHOWFILEDATA and
// SHOWFILEDATAx print them into the current output window.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// A case count for people: up to 999 the plain number text (" 999"), above with thousands
// separators ("1,000", "6,100,000").
std::string MakeCaseNumber(int32_t count);

// Minutes since midnight of a start time "hh:mm:ss": hours x 60 + minutes + seconds / 60.
float startTimeOfDayMinutes(std::string_view time);

// The loading window's lines, each starting with the bullet.
std::string recordedOnLine(std::string_view date, std::string_view time);
std::string contentsLine(int channels, int32_t cases);
std::string sampleIntervalLine(float seconds);

// The counts and interval of the file in use, into the current output window.
void SHOWFILEDATA();
// The date line (when there is a date), the file's start time of day, then SHOWFILEDATA.
void SHOWFILEDATAx(std::string_view date, std::string_view time);

}  // namespace qv
