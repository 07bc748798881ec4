#include "datafiles/file_facts.h"

#include "runtime/numtext.h"

namespace qv {

namespace {
constexpr std::string_view kBullet = "\u2022";
}

std::string MakeCaseNumber(int32_t count) {
  if (count <= 999) return rt::PSstrLong(count);
  if (count <= 9999) return rt::PSusing("#,###", count);
  if (count <= 99999) return rt::PSusing("##,###", count);
  if (count <= 999999) return rt::PSusing("###,###", count);
  return rt::PSusing("#,###,###", count);
}

float startTimeOfDayMinutes(std::string_view time) {
  auto field = [&](size_t at, size_t n) -> double {
    if (at >= time.size()) return 0;
    return rt::PSval(time.substr(at, n));
  };
  const size_t lastTwo = time.size() >= 2 ? time.size() - 2 : 0;
  return float(field(0, 2) * 60 + field(3, 2) + field(lastTwo, 2) / 60);
}

std::string recordedOnLine(std::string_view date, std::string_view time) {
  return std::string(kBullet) + "  Recorded on " + std::string(date) + ", starting at " + std::string(time);
}

std::string contentsLine(int channels, int32_t cases) {
  std::string s(kBullet);
  if (channels == 1)
    s += "  Contains one channel";
  else
    s += "  Contains" + rt::PSstrLong(channels) + " channels";
  s += " with " + MakeCaseNumber(cases) + " cases";
  if (channels >= 2) s += " each";
  return s;
}

std::string sampleIntervalLine(float seconds) {
  std::string s = std::string(kBullet) + "  Sample interval" + rt::PSstr(seconds) + " second";
  if (seconds > 1.0f) s += "s";
  return s;
}

}  // namespace qv
