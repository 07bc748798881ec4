#pragma once
// What an interval scan leaves for the next scan, the analysis window and the reports: the
// window length in cases, the first case of the window found, the channel scanned, and the
// "Re-use This Interval" switch.
#include <cstdint>

namespace qv {

extern int32_t MMLpoints;  // cases per scan window
extern int32_t MMLBegin;   // first case of the window last found
extern int16_t InCH;       // channel the scan ran on
extern int16_t ConstScan;  // 1: the Scan Interval dialog is passed over and startsize used
extern float testslopeon;  // 1.0 while the scan's analysis window is open

}  // namespace qv
