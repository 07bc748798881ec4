#include "plot/data_bar_texts.h"

#include <charconv>
#include <cmath>

#include "core/text_format.h"
#include "runtime/numtext.h"

namespace qv::plot {

namespace {

std::string twoDigits(int v) {
  if (v <= 0) return "00";
  if (v < 10) return "0" + std::to_string(v);
  return std::to_string(v);
}

// Past this many minutes the seconds of a time of day are lost in the rounding of a double.
constexpr double kClockLimitMinutes = 1e12;

// "1.23E+31": up to `digits` significant digits and a signed exponent of at least two digits, as
// the runtime writes exponents; independent of the C locale.
std::string exponentText(double value, int digits) {
  char buf[48];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
  if (r.ec != std::errc()) return {};
  std::string s(buf, r.ptr);
  const size_t e = s.find('e');
  if (e == std::string::npos) return s;
  // Trailing zeros of the mantissa and a bare point go, as in the runtime's number text.
  size_t end = e;
  if (s.find('.') < e) {
    while (s[end - 1] == '0') --end;
    if (s[end - 1] == '.') --end;
  }
  return s.substr(0, end) + "E" + s.substr(e + 1);
}

}  // namespace

std::string fitNumber(double value, const std::string& text) {
  const std::string stars = std::string(" ") + kCannotShow;
  if (!std::isfinite(value)) return stars;
  const size_t first = text.find_first_not_of(' ');
  const bool plain = first != std::string::npos && text.find_first_of("IN", first) == std::string::npos;
  if (plain && text.size() - first <= kReadoutDigits) return " " + text.substr(first);
  for (int digits = 4; digits >= 1; --digits) {
    const std::string e = exponentText(value, digits);
    if (!e.empty() && e.size() <= kReadoutDigits) return " " + e;
  }
  return stars;
}

std::string dataBarCaseText(double seconds, int64_t kase) {
  std::string text = " #" + rt::PSstrLong(kase + 1) + ";  ";
  const double t = seconds;
  if (!std::isfinite(t)) return text + " " + kCannotShow;
  const double m = t * 0.0166667;
  if (t > 172800) return text + fitNumber(m / 1440, StringFormatter(float(m / 1440))) + " d";
  if (t > 60 && m > 60) return text + fitNumber(m / 60, StringFormatter(float(m / 60))) + " h";
  if (t > 60) return text + fitNumber(m, StringFormatter(float(m))) + " min";
  // Numbers are never longer than the field takes, so seconds keep their long unit.
  return text + fitNumber(t, StringFormatter(float(t))) + " sec";
}

std::string clockText(double T) {
  if (!std::isfinite(T) || std::fabs(T) > kClockLimitMinutes) return kCannotShow;
  // Whole days are taken off in one step; a time before midnight of the first day counts
  // back from the end of that day.
  T = std::fmod(T, 1440.0);
  if (T < 0) T += 1440.0;
  const double M = std::trunc(T);
  const int minutes = int(M);
  const int hours = minutes / 60;
  const int secs = int(std::trunc((T - M) * 60));
  return rt::PSstrLong(hours) + ":" + twoDigits(minutes - 60 * hours) + ":" + twoDigits(secs);
}

std::string dataBarValueText(float value) { return "value" + fitNumber(value, StringFormatter(value)); }

}  // namespace qv::plot
