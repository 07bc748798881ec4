#pragma once
// Block-statistics tools that the command dispatcher and the main loop's keys start, and
// the settings they share.
#include <cstdint>

namespace qv {

void AVERAGE();
// 13 mean minimum, 14 mean maximum, 19 most level, 22 most variable.
void Minimum_Maximum_Level(int16_t code);
void GETAREA();
void RUNAVERAGE();
void PairsDIFFERENCE();
void SelectSubset();

// Time base of integrals (button ids: 66 minutes, 67 hours, 228 days, else seconds) and
// the baseline of an integral (118 to 121).
extern int16_t IntegrationUnit, IntegrationMode;
extern int32_t ibase;
extern int16_t ScanNewSelectedChannel;

}  // namespace qv
