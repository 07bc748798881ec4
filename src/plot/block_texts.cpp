#include "plot/block_texts.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv::plot {

namespace {

std::string cut(std::string s, size_t n) {
  if (s.size() > n) s.resize(n);
  return s;
}

std::string twoDigits(int v) {
  if (v <= 0) return "00";
  if (v < 10) return "0" + std::to_string(v);
  return std::to_string(v);
}

}  // namespace

std::string dragCaseText(int64_t kase, double interval) {
  const double t = double(kase) * interval;
  std::string text = " #" + rt::PSstrLong(kase + 1) + ";  ";
  if (!std::isfinite(t)) return text;
  if (t > 172800) return text + cut(rt::PSstr(t / 86400), 7) + " days";
  if (t > 60) {
    const double minutes = t / 60;
    if (minutes > 60) return text + cut(rt::PSstr(t / 3600), 8) + " hr";
    return text + cut(rt::PSstr(minutes), 10) + " min";
  }
  const std::string seconds = rt::PSstr(t);
  return text + seconds + (seconds.size() > 10 ? " s" : " sec");
}

std::string dragTimeOfDayText(int64_t kase, double interval, double startMinutes) {
  double T = double(kase) * interval * 0.0166667 + startMinutes;
  if (!std::isfinite(T)) return {};
  if (T > 1440) T -= 1440 * std::ceil((T - 1440) / 1440);
  T = std::clamp(T, -1e6, 1440.0);
  const double M = std::trunc(T);
  const int minutes = int(M);
  const int hours = minutes / 60;
  const int seconds = int(std::trunc((T - M) * 60));
  return rt::PSstrLong(hours) + ":" + twoDigits(minutes - 60 * hours) + ":" + twoDigits(seconds);
}

std::string blockWidthText(double seconds) {
  if (!std::isfinite(seconds)) return {};
  if (seconds < 120) return cut(rt::PSstr(seconds), 7) + " sec";
  const double minutes = seconds / 60;
  if (minutes <= 120) return cut(rt::PSstr(minutes), 7) + " min";
  const double hours = minutes / 60;
  if (hours <= 24) return cut(rt::PSstr(hours), 7) + " hr";
  return cut(rt::PSstr(hours / 24), 7) + " days";
}

std::string blockWindowTitle(int channel, std::string_view label, int32_t begin, int32_t end, bool opening) {
  return "Channel" + rt::PSstrLong(channel) + ", " + std::string(label) + (opening ? "; cases" : "; Cases") +
         rt::PSstrLong(int64_t(begin) + 1) + " to" + rt::PSstrLong(int64_t(end) + 1) + (opening ? "  (N = " : " (N = ") +
         rt::PSstrLong(int64_t(end) + 1 - begin) + ") ";
}

}  // namespace qv::plot
