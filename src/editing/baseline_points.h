#pragma once
// Where the piecewise baselines put their points (markers, a period, picks on the plot) and
// the table of windows and segments they build from them, apart from any window.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editing/baseline_math.h"

namespace qv {

// Records 1..32,301 of the piecewise table hold points.
constexpr int32_t kMaxBaselinePoints = 32301;

struct CaseWindow {
  int32_t first = 0, last = 0;
};

// The five-case window c - 2 .. c + 2 of a baseline point, kept inside 1..nCases; none when
// nothing of it is inside.
std::optional<CaseWindow> pointWindow(int32_t c, int32_t nCases);

// A marker as the file holds it: its case and its code (the low byte is its character).
struct MarkerAt {
  int32_t caseNo = 0;
  int32_t code = 0;
};

// The cases of the markers whose one character is `text` (a Mac Roman byte compared with the
// whole text), each moved by `shift`, kept when below nCases and its window reaches into
// the file; in case order, each case once, whatever order the markers are stored in.
std::vector<int32_t> markerPointCases(std::span<const MarkerAt> markers, const std::string& macRomanText,
                                      int32_t shift, int32_t nCases);

// Points first, first + period, ... up to nCases. Needs period >= 1 and first >= 1.
std::vector<int32_t> periodPointCases(int32_t first, int32_t period, int32_t nCases);
// How many points that gives (0 for a period below 1).
int64_t periodPointCount(int32_t first, int32_t period, int32_t nCases);
// The shortest period from `first` whose points fit the table.
int32_t shortestFittingPeriod(int32_t first, int32_t nCases);

// The period in cases of a typed period in minutes at a sample interval in seconds:
// trunc(trunc(minutes * 60) / interval); 0 when it is not a positive number of cases.
int32_t periodOfMinutes(double minutes, double interval);

// Fills records 1..n of the table with the windows of the points (in case order) and, from
// point 2 on, the line through the windows of each point and the one before. Returns n.
int32_t fillPointTable(std::span<const float> channel, std::span<const int32_t> cases,
                       std::span<BaselineRecord> table);
// The same for picked blocks (first..last each), in the order picked.
int32_t fillPickTable(std::span<const float> channel, std::span<const CaseWindow> picks,
                      std::span<BaselineRecord> table);

// The line of typed start and end values over a file of nCases cases: start at case 0, end at
// case nCases.
BaselineLine typedLine(double start, double end, int32_t nCases);

}  // namespace qv
