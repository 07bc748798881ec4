#pragma once
// The texts of the file information window, apart from the window: the case count, the
// duration, the acquisition device, and the acquisition columns of one channel, read from the
// channel's words as the acquisition program left them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// nCases + 1 laid out by the picture that nCases chooses ("10,002", "1001").
std::string caseCountText(int32_t cases);

// The file's length of time in its unit: the value's number text and " sec", " min" or " hr".
struct DurationText {
  std::string value;
  std::string unit;
};
DurationText durationText(float interval, int32_t cases);

// The acquisition device of a device code; "unknown" for any code outside the table.
std::string deviceName(float code);

// A channel word as a 16-bit integer, truncated toward zero; nothing for a word that is not
// finite or does not fit (such a word was never written by an acquisition).
std::optional<int16_t> acquisitionWord(float word);

// Input column of word 1: "     ?" for none, " 3  copy" for a copy of input 3.
std::string inputText(float word1);
// Readings per sample of word 6, rounded half to even; "?" when there are none.
std::string readingsText(float word6);
// Transform code of word 5; -1 ("any other code") when the word is no 16-bit integer.
int transformCode(float word5);
// The transform column of codes 0-4 and 8-11; for codes 2 and 11 the text up to the raised
// "2" (the window raises it and closes with ")"). Empty for other codes.
std::string transformText(int code);
// The third-order polynomial of code 6 from its five coefficients.
std::string polynomialText(const float k[5]);

// One text of an acquisition row at its x; `raisedTwo` closes a polynomial with a raised "2"
// and ")".
struct RowText {
  int x;
  std::string text;
  bool raisedTwo = false;
  bool operator==(const RowText&) const = default;
};
// The acquisition row of a channel from its words 1-6 (`words` indexed as the channel's 41
// words) and the five polynomial coefficients of the file (word 24 of channels 2-6).
std::vector<RowText> acquisitionRow(const float* words, const float k[5]);

// Rows of the colour legend: the active channel, then every other flagged channel in order.
std::vector<int> legendChannels(int active, const int16_t* flags, int channels);

}  // namespace qv
