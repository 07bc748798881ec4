#include "output/result_text.h"

#include <cmath>

#include "runtime/numtext.h"

namespace qv {

std::string reportNumber(double x, int digits) {
  if (!std::isfinite(x)) return "**";
  const int saved = rt::gFBFloatMaxDigits;
  rt::gFBFloatMaxDigits = digits;
  std::string s = rt::PSstr(x);
  rt::gFBFloatMaxDigits = saved;
  return s;
}

std::string wholeNumber(long long n) { return std::to_string(n); }

std::string blankedNumber(long long n) { return rt::PSstrLong(n); }

std::string quoteCell(std::string_view text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string_view::npos)
    return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string withLineFeeds(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string repeated(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace qv
