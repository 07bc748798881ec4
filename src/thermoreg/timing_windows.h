#pragma once
// The cost tools' small windows about time: the timing-error warning and its list of cases,
// and the longest running mean of the species table.
#include <cstdint>

namespace qv {

// Window 25: the timing errors of the last run (prefsArray[58], TimingErrors). With
// `withCancel` a box lets the user cancel saving: 1 when it was ticked, else 0.
int16_t TimingWarning(int16_t withCancel);
// Window 1202: the first 100 cases of the last run's timing errors.
void ShowTimingErrors();
// Window 90: MaxAverageIntervalinDays as typed (a value not finite above 0 sets 1).
void SetLongestTimeAverage();

}  // namespace qv
