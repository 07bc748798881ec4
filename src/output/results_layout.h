#pragma once
// Where the results windows and their furniture go, and the texts of the header band and of
// the data-filter notice: plain arithmetic on the plot window's place and the block.
#include <cstdint>
#include <string>

namespace qv {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Box&) const = default;
};

// The plot window of the file in use: L the left and T the top of its content, in screen
// pixels, and the bottom of its plot area in window pixels.
struct PlotPlace {
  int left = 0, top = 0;
  int bottomOfPlotArea = 0;
};

// Window 4: 322 pixels wide (337 wider), 350 high (375 with the subset box), under the plot
// area; moved up by what would fall below the screen, then the extra height added.
Box resultsWindowBounds(const PlotPlace& plot, int extraHeight, bool subsetBox, bool wider, int screenHeight);

// Window 6 beside window 4 (25 pixels higher when the tool bar is not on the left).
Box secondResultsWindowBounds(const PlotPlace& plot, int height, bool toolBarNotLeft);

// Channel button k (1..40) of rows starting at y, and its title.
Box channelButtonBox(int k, int y);
std::string channelButtonTitle(int k);

// The header band of window 4.
struct ResultsHeader {
  std::string channelLine;  // "  Channel 3   " + the label cut or padded to 30 characters
  std::string casesLine;    // " cases 11 to 20;  duration 9 sec         "
  bool inMinutes = false;   // the duration is 600 s or more and shown in minutes
};
// The duration (end - begin) x interval is written with 4 significant digits.
ResultsHeader resultsHeader(int channel, const std::string& label, int32_t begin, int32_t end,
                            double intervalSeconds);

// Codes whose header marks no channel button (the interval scans and the open waveform).
bool headerMarksChannel(int16_t analysisCode);
// Codes that show the "Distribution", "(big)" and "Scale" buttons.
bool showsHistogramButtons(int16_t analysisCode);

// The channel a key of an analysis window chooses: "1".."9" and "0" channels 1 to 10, "!",
// "@", "#", "$" channels 11 to 14; 0 for any other key or a channel the file lacks.
int analysisKeyChannel(int key, int channels);

// Window 90, the data-filter notice: from screen x 1 and y bottomOfPlotArea + 515, L + 316
// wide and 74 high, when that is on the screen. Otherwise it goes just under the results
// window, or, when there is no room there, beside it level with its bottom, so that it never
// covers the results window's controls nor leaves the screen.
Box dataFilterNoticeBounds(const PlotPlace& plot, const Box& resultsWindow, const Box& screen);
constexpr int kNoticeHeight = 74;

// The lines of the data-filter notice below the message.
std::string upperLimitLine(bool on, float limit);
std::string lowerLimitLine(bool on, float limit);


}  // namespace qv
