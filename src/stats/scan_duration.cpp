// The scan duration: typed seconds, the window length in cases and its announcement.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "stats/interval_scan.h"

namespace qv {

std::optional<int32_t> scanWindowCases(double seconds, double interval) {
  if (!std::isfinite(seconds) || seconds < 0.0 || !(interval > 0.0)) return std::nullopt;
  const double steps = double(float(seconds)) / interval + 0.9999;
  if (!(steps < double(std::numeric_limits<int32_t>::max()))) return std::nullopt;
  return int32_t(std::nearbyint(steps));  // halves to even, the default rounding mode
}

std::optional<float> parseScanSeconds(const std::string& text, double interval) {
  const char* begin = text.c_str();
  char* stop = nullptr;
  const double v = std::strtod(begin, &stop);
  if (stop == begin) return std::nullopt;
  while (*stop == ' ' || *stop == '\t') ++stop;
  if (*stop != '\0' || !std::isfinite(float(v)) || !scanWindowCases(v, interval))
    return std::nullopt;
  return float(v);
}

std::string scanDurationText(int32_t cases, double interval) {
  const double d = interval * double(cases - 1);
  char text[64];
  if (d < 600.0)
    std::snprintf(text, sizeof text, "%.5g seconds", d);
  else if (d <= 3600.0)
    std::snprintf(text, sizeof text, "%.5g minutes", d / 60.0);
  else
    std::snprintf(text, sizeof text, "%.5g hours", d / 3600.0);
  return text;
}

}  // namespace qv
