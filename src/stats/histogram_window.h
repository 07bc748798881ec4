#pragma once
// The histogram windows of a block analysis: one small window per channel beside the plot
// (window 150 + channel) and the large histogram (window 150) with its bin controls, the
// normal curve and the centre line.
#include <cstdint>

namespace qv {

constexpr int kLargeHistogramWindow = 150;
constexpr int smallHistogramWindow(int channel) { return 150 + channel; }
// Windows 150 to 190: the large histogram and the small one of every channel.
bool isHistogramWindow(int window);
// Closes every histogram window.
void closeHistogramWindows();

// The distribution of channel ch of the file in use over cases begin..end, after the
// statistics of the range were computed (mi, ma, StandardDeviation). limitMode: the
// statistics window's value-window mode; large: the large histogram, which runs until it
// is closed. Every case of the range is read: the case filters do not apply.
void HISTOGRAM(int32_t begin, int32_t end, double mean, int16_t limitMode, int16_t large);
// The bars of the large histogram in window 150; a bin width above 0 chooses the bins.
void drawHistoBars(int32_t begin, int32_t end, double mean, int16_t limitMode, int16_t bins,
                   float binWidth, int16_t normal, int16_t centre);
// The normal curve of the statistics' S.D. centred on meanX, of the bars' area.
void PlotNormalCurve(int16_t meanX, double range, float barArea);
// The dashed line at the middle of the value axis.
void PlotMedian();

}  // namespace qv
