#pragma once
// The items of the transform popup: the parameter fields each one shows and the log text of a
// run, and where the transformations window goes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct ParamField {
  int16_t id = 0;          // 201..203
  std::string label;       // caption before the field
  std::string initial;     // the field's first text
  bool smallTen = false;   // a small "10" goes after the label's "Q"
};

// Items 22-26 take a channel Y.
inline bool needsChannelY(int item) { return item >= 22 && item <= 26; }
// Items 22-25 also have the "Multiply" and "Divide" check buttons.
inline bool hasResultScale(int item) { return item >= 22 && item <= 25; }

// The fields of transform item 1..26 (degree and Celsius signs as given).
std::vector<ParamField> transformFields(int item, std::string_view delta, std::string_view degC);

struct LogValues {
  float a = 0, b = 0;
  std::string exponent;  // as typed (field 203 for item 5, 202 for item 16)
  int16_t x = 0, y = 0;
};
// The log description of a run of transform code 1..26.
std::string transformLogText(int code, const LogValues& v, std::string_view divide, std::string_view degC);

// Window 4 of the transformations: 638 x 281, one line more per channel from 14 channels on,
// below the plot area, moved up to fit the screen but never above 45.
struct WindowPlace {
  int left = 0, top = 0, right = 0, bottom = 0;
};
WindowPlace transformWindowPlace(int plotLeft, int plotTop, int bottomOfPlotArea, int channels, int screenHeight);

}  // namespace qv
