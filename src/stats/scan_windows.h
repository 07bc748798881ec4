#pragma once
// The windows of an interval scan: the Scan Interval dialog (window 5), the scan driver that
// announces the window length and asks the most-variable mode, and the parts of the analysis
// window that show, flash and take up the window found.
#include <cstdint>
#include <optional>
#include <string>

#include "core/case_filters.h"
#include "stats/interval_scan.h"

namespace qv {

enum class ScanDialogEnd {
  Taken,    // a duration and the limits were taken
  Closed,   // the close box: nothing taken
  Refused,  // a duration that cannot be one, with the dialog passed over (Re-use, replay)
};
struct ScanDialogResult {
  ScanDialogEnd end = ScanDialogEnd::Closed;
  float seconds = 0.0f;
  std::string why;  // for Refused: the message already shown, or for the script's failure
};

// Window 5 "Scan Interval" for a block of blockCases cases. Sets LowerScanLimit and
// UpperScanLimit; with "Re-use This Interval" on, the window is passed over and startsize
// taken as it stands.
ScanDialogResult ScanInterval(int32_t blockCases);

// The scan over the block of channel ch with windows of MMLpoints cases: code 13, 14, 19 or 22
// (22 asks its mode, or takes it from the script step; the point-to-point mode makes
// AnalysisCode 47). MMLBegin takes the window found; nothing when no window was found.
// recordedStep is the step the recorder returned for this analysis (0 when none).
std::optional<ScanWinner> PerformTheScan(int16_t code, const CaseFilters& interpolation, int16_t recordedStep);

// The statistics of the window found on channel ch, flashed in the block window and named in
// caption 999; first is 1 for the first showing. Returns the window's left pixel (stINT).
int16_t ComputeMinMaxLevel(int16_t code, const std::optional<ScanWinner>& found, int16_t first,
                           const CaseFilters& interpolation);

// Flashes the found window in the block window count times, from stINT to right.
void FlashTheSelectedArea(int16_t count, int16_t right);

// The window found becomes the block of the file in use.
void SWITCHBLOCKS();

// The "scan failure" window (19): no window passed the interpolation checking.
void ScanFailureWindow();

extern int16_t stINT;  // left pixel of the found window in the block window

}  // namespace qv
