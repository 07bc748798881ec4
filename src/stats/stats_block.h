#pragma once
// The statistics text block of the results window (window 4): the labels, the values of the
// last block analysis, n and the duration, and the integrated total.
#include <cstdint>

namespace qv {

// Mode 99 (the block analyses): the labels of the block. Mode 0: the compact layout of the
// effective-volume tool, labels and values.
void BasicStatsTextStuff(int16_t mode);
// Mode 1 (the block analyses; below 99 the integrated total is refreshed too): the values of
// the last analysis in the fields. Mode 0: the compact layout.
void BasicSTATS(int16_t mode);
// n and the duration in the chosen unit.
void ELTime();
// The integrated total in the chosen unit; nPoints then holds the cases it summed. The count
// is always that of the cases included, whether or not a scan found the range.
void DoINTEGRATION(int16_t useScanLength);
// The block of a set of time intervals in the output window (the pair tool's window 6), from
// nrPoints and the pair times the tool published.
void TIMESTATS();

// Result fields of window 4.
constexpr int kMeanField = 111, kSDField = 114, kCVField = 115, kSEField = 116, kNField = 117;
constexpr int kDurationField = 198, kRangeField = 199, kIntegratedTotalField = 666;
constexpr int kRangeCaption = 1111, kIntegratedTotalCaption = 1112;

}  // namespace qv
