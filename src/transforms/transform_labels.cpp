#include "transforms/transform_labels.h"

#include "core/text_constants.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {
constexpr int kLabelField = 204;
}

std::string fixTransformLabel(int16_t code, std::string_view label, std::string_view from, std::string_view to) {
  std::string s(label);
  if (code == 68 || code == 69) {
    if (rt::charCount(s) >= 30 && rt::midChars(s, 29, 1) == " ") s = rt::trimRight(s) + " ";
    if (rt::charCount(s) <= 27) s += code == 68 ? "/g" : "/Kg";
    return s;
  }
  if (code < 40 || code > 66 || from.empty()) return s;
  const size_t at = s.find(from);
  if (at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

void FixTransformLABELS(int16_t code, std::string_view from, std::string_view to) {
  if (code < 40 || !rt::controlExists(kLabelField)) return;
  const std::string before = rt::editText(kLabelField);
  const std::string after = fixTransformLabel(code, before, from, to);
  if (after != before) rt::setEditText(kLabelField, after);
}

std::string transformTypeName(int16_t code) {
  static const char* const kNames[] = {"",
                                       "Z-transform",
                                       "polynomial",
                                       " 1/x",
                                       "x * -1",
                                       "a + b * x^exponent",
                                       "constant - x",
                                       "x - constant",
                                       "constant/x",
                                       "x/constant",
                                       "square root",
                                       "x^2",
                                       "ln x",
                                       "log10 x",
                                       "e^x",
                                       "10^x",
                                       "constant / (x^exponent) ",
                                       "absolute value",
                                       "fixed Q10 ",
                                       "",
                                       "breakpoint (invalid) ",
                                       "",
                                       " chan 1 + chan 2",
                                       "chan 1 - chan 2",
                                       "chan 1 * chan 2",
                                       "chan 1 / chan 2"};
  if (code == 26) return "Q10 X, chan 2 is " + degC;
  if (code < 1 || code > 25) return "";
  return kNames[code];
}

}  // namespace qv
