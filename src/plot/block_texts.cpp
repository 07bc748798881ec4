#include "plot/block_texts.h"

#include <cmath>

#include "plot/data_bar_texts.h"
#include "runtime/numtext.h"

namespace qv::plot {

std::string dragCaseText(int64_t kase, double interval) {
  const double t = double(kase) * interval;
  std::string text = " #" + rt::PSstrLong(kase + 1) + ";  ";
  if (!std::isfinite(t)) return text + " " + kCannotShow;
  if (t > 172800) return text + fitNumber(t / 86400, rt::PSstr(t / 86400)) + " days";
  if (t > 60) {
    const double minutes = t / 60;
    if (minutes > 60) return text + fitNumber(t / 3600, rt::PSstr(t / 3600)) + " hr";
    return text + fitNumber(minutes, rt::PSstr(minutes)) + " min";
  }
  return text + fitNumber(t, rt::PSstr(t)) + " sec";
}

std::string dragTimeOfDayText(int64_t kase, double interval, double startMinutes) {
  return clockText(double(kase) * interval * 0.0166667 + startMinutes);
}

std::string blockWidthText(double seconds) {
  if (!std::isfinite(seconds)) return kCannotShow;
  if (seconds < 120) return fitNumber(seconds, rt::PSstr(seconds)) + " sec";
  const double minutes = seconds / 60;
  if (minutes <= 120) return fitNumber(minutes, rt::PSstr(minutes)) + " min";
  const double hours = minutes / 60;
  if (hours <= 24) return fitNumber(hours, rt::PSstr(hours)) + " hr";
  return fitNumber(hours / 24, rt::PSstr(hours / 24)) + " days";
}

std::string blockWindowTitle(int channel, std::string_view label, int32_t begin, int32_t end, bool opening) {
  return "Channel" + rt::PSstrLong(channel) + ", " + std::string(label) + (opening ? "; cases" : "; Cases") +
         rt::PSstrLong(int64_t(begin) + 1) + " to" + rt::PSstrLong(int64_t(end) + 1) + (opening ? "  (N = " : " (N = ") +
         rt::PSstrLong(int64_t(end) + 1 - begin) + ") ";
}

}  // namespace qv::plot
