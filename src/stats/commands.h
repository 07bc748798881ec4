#pragma once
// Block-statistics tools that the command dispatcher and the main loop's keys start, and
// the settings they share.
#include <cstdint>

namespace qv {

// "Automatic Block Selection": a block of a typed duration around the pointer's case.
void AUTOBLOCK();

void AVERAGE();
// The statistics of channel ch over begin..end into the shared results and the statistics
// block; mode non-zero: value-window mode (only values inside the limits count).
void DoAVERAGE(int16_t mode, int32_t begin, int32_t end);
// 13 mean minimum, 14 mean maximum, 19 most level, 22 most variable.
void Minimum_Maximum_Level(int16_t code);
void GETAREA();
void RUNAVERAGE();
void PairsDIFFERENCE();
void SelectSubset();
// The quick-choice duration buttons beside field 101 of the output window, for a stretch of
// caseCount cases; and a click on one of them (eventID) rewriting field 101.
void INTERVALCHOICE(int32_t caseCount);
void SETimeIntVlCHOICE();

// The baseline of an integral (118 to 121, any other value zero); the time base IntegrationUnit is in
// stats/stats_state.h.
extern int16_t IntegrationMode;
extern double ibase;  // the baseline of the last integral, at its first case
extern int16_t ScanNewSelectedChannel;

}  // namespace qv
