#pragma once
// The annual sun-cycle window (777): sunrise and sunset through the year over day and night,
// and its export to a spreadsheet file. Shared by the sun-cycle calculator and the cost
// tools' location window.
namespace qv {

constexpr int kSunCycleWindow = 777, kSunCycleBusyWindow = 779;

// Opens the annual window titled for the position (degrees, north and west positive) with
// "calculating..." beside it, fills SunCycleArray for the position and plots it.
void showAnnualSunCycle(float latitude, float longitude);
// An event of a loop that keeps the annual window up: its export button and its close box.
// True when the event was the annual window's.
bool sunCycleWindowEvent(int kind, int id);

}  // namespace qv
