#pragma once
// The windows of the open road: the refusal of a file that cannot be read, the cautions
// about markers, a long load and a zero sample interval, the loading window's status line,
// and the notice that documents handed over by the desktop cannot all be opened.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

constexpr int16_t kLoadingWindow = 15;
constexpr int16_t kLoadWarningWindow = 1166;
constexpr int16_t kSampleIntervalWindow = 99;
constexpr int16_t kCloseChooserWindow = 200;
constexpr int16_t kTooManyFilesWindow = 998;
constexpr int16_t kLabelWarningWindow = 4;

// Refusal kinds of BADFILE: 1 too many cases, 2 too many channels, 3 a format that does not
// fit, anything else a damaged file.
constexpr int16_t kBadFileTooManyChannels = 2;

// The two lines a refusal shows.
struct RefusalText {
  std::string first, second;
  int firstX = 30;  // where the first line starts
};
RefusalText badFileText(int16_t kind, int16_t typeOfFile);

// The refusal's heading, and where its right caution icon goes and how wide the window is:
// right of the heading and as wide as the longest line, measured in their fonts (in the
// output window, which must exist).
constexpr const char* kRefusalHeading = "WARNING !";
constexpr int kRefusalMargin = 20;
struct RefusalPlaces {
  int cautionX = 318;
  int width = 371;
};
RefusalPlaces refusalPlaces(const RefusalText& text);

// Window 1166 "Problematic File": the refusal of kind `kind`, until the user clicks.
void BADFILE(int16_t kind);
// The same window with lines of its own (a file that cannot be read, or no memory for it).
void RefuseFile(const RefusalText& text);
// The refusal of a file whose samples do not fit in memory.
void NotEnoughMemoryToLoad();
// The refusal of a file that cannot be read at all.
void FileCannotBeRead();

// The caution that only the first 32,500 markers of a file are kept.
void MarkersWarning();
// Leaves window 1166 open with the warning that a long read (0) or write (1) is starting.
void LongLoadTimeWarning(int16_t saving);
// One status line in the loading window (made the output window when toLoadingWindow).
void DataFileLoadStatus(int16_t toLoadingWindow, std::string_view text);

// An interval of zero in the file in use: window 99 asks for the right one (9.999 s unless
// the user types another). 1 to go on, 0 when the user cancelled the load.
int16_t CheckSampleInterval();

// Window 998: `count` documents cannot be opened; then the close chooser. Result 0.
int16_t TooManyFiles(int16_t count);

// "One file cannot be loaded", or the count followed by " files cannot be loaded".
std::string tooManyFilesText(int16_t count);

}  // namespace qv
