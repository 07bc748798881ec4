#include "transforms/transform_items.h"

#include <algorithm>

#include "runtime/numtext.h"

namespace qv {

std::vector<ParamField> transformFields(int item, std::string_view delta, std::string_view degC) {
  const std::string dc(degC);
  switch (item) {
    case 1: return {{201, "correction factor ( 'z ' value):", "1"}};
    case 5: return {{201, " a:", "0"}, {202, "  b:", "1"}, {203, " exp:", "1"}};
    case 6: case 7: case 8: case 9: return {{201, " a:", "1"}};
    case 16: return {{201, " a:", "1"}, {202, " exp:", "1"}};
    case 18: return {{201, std::string(delta) + "T (" + dc + "):", "0"}, {202, "Q    :", "2.4", true}};
    case 22: case 23: case 24: case 25: return {{201, "result by:", "1"}};
    case 26: return {{201, "correct to", "30"}, {202, dc + " with a Q    of", "2.4", true}};
    default: return {};
  }
}

std::string transformLogText(int code, const LogValues& v, std::string_view divide, std::string_view degC) {
  const std::string a = rt::PSstr(v.a), b = rt::PSstr(v.b), x = rt::PSstrLong(v.x), y = rt::PSstrLong(v.y);
  const std::string dv(divide);
  switch (code) {
    case 1: return "z-transform";
    case 2: return "polynomial";
    case 3: return "1/channel X";
    case 4: return "sign (channelX * -1) ";
    case 5: return a + "+" + b + " * (channel X^" + v.exponent + ") ";
    case 6: return a + " - channel X";
    case 7: return "channel X -" + a;
    case 8: return a + " " + dv + " channel X";
    case 9: return "channel X /" + a;
    case 10: return "square root of channel X";
    case 11: return "channel X squared";
    case 12: return "ln channel X";
    case 13: return "log10 channel X";
    case 14: return "e ^ channel X";
    case 15: return "10 ^ channel X";
    case 16: return a + " " + dv + " (channel X ^" + v.exponent + ") ";
    case 17: return "absolute value";
    case 18: return "fixed Q10 correction; dT = " + a + ", Q10 = " + b;
    case 20: return "breakpoint transformations";
    case 22: return "channel" + x + " + channel" + y;
    case 23: return "channel" + x + " - channel" + y;
    case 24: return "channel" + x + " * channel" + y;
    case 25: return "channel" + x + " " + dv + " channel" + y;
    case 26: return "Q10 of channel X; channel" + y + " is " + std::string(degC);
    default: return "";
  }
}

WindowPlace transformWindowPlace(int plotLeft, int plotTop, int bottomOfPlotArea, int channels, int screenHeight) {
  const int height = 281 + (channels >= 14 ? 19 * channels - 247 : 0);
  WindowPlace w;
  w.left = plotLeft;
  w.right = plotLeft + 638;
  w.top = plotTop + bottomOfPlotArea + 10;
  w.top = std::max(45, std::min(w.top, screenHeight - 8 - height));
  w.bottom = w.top + height;
  return w;
}

}  // namespace qv
