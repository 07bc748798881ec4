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

namespace {

// The formatter's text as it stands (its leading blanks align the readout) when it fits the
// field, else the number shortened to the field's room.
std::string readoutNumber(double value, float shown) {
  const std::string text = StringFormatter(shown);
  const size_t first = text.find_first_not_of(' ');
  const bool plain = first != std::string::npos && text.find_first_of("IN", first) == std::string::npos;
  if (plain && std::isfinite(value) && text.size() - first <= kReadoutDigits && text.size() <= kReadoutDigits + 2)
    return text;
  return fitNumber(value, text);
}

}  // namespace

std::string dataBarCaseText(double seconds, int64_t kase) {
  std::string text = " #" + rt::PSstrLong(kase + 1) + ";  ";
  const double t = seconds;
  if (!std::isfinite(t)) return text + " " + kCannotShow;
  const double m = t * 0.0166667;
  if (t > 172800) return text + readoutNumber(m / 1440, float(m / 1440)) + " d";
  if (t > 60 && m > 60) return text + readoutNumber(m / 60, float(m / 60)) + " h";
  if (t > 60) return text + readoutNumber(m, float(m)) + " min";
  // Numbers are never longer than the field takes, so seconds keep their long unit.
  return text + readoutNumber(t, float(t)) + " sec";
}

std::string clockText(double T) {
  if (!std::isfinite(T) || std::fabs(T) > kClockLimitMinutes) return kCannotShow;
  // Whole seconds are counted first, so a time a rounding error short of a second (20 s
  // as a third of a minute) still shows that second; days are taken off in one step, and
  // a time before midnight of the first day counts back from the end of that day.
  const double seconds = T * 60;
  double whole = std::floor(seconds);
  if (seconds - whole > 1 - 1e-6) whole += 1;
  double ofDay = std::fmod(whole, 86400.0);
  if (ofDay < 0) ofDay += 86400.0;
  const int secs = int(ofDay);
  const int hours = secs / 3600;
  const int minutes = secs / 60 - 60 * hours;
  return rt::PSstrLong(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(secs % 60);
}

std::string dataBarValueText(float value) { return "value" + fitNumber(value, StringFormatter(value)); }

}  // namespace qv::plot
