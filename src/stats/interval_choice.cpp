#include "stats/interval_choice.h"

#include <cmath>
#include <cstdio>

#include "runtime/numtext.h"

namespace qv {

namespace {

struct Preset {
  const char* label = nullptr;  // none: no button for this class
  double seconds = 0;
  double maxInterval = INFINITY;
};

// Rows: ids 41..53; columns: interval below 0.5 s, below 2 s, below 10 s, from 10 s.
const Preset kPresets[13][4] = {
    {{"1", 1, 0.3}, {"2", 2, 0.75}, {"5", 5, 2}, {"30", 30, 15}},
    {{"2", 2}, {"5", 5}, {"10", 10, 3}, {"60", 60, 20}},
    {{"5", 5}, {"10", 10}, {"30", 30}, {"120", 120, 30}},
    {{"10", 10}, {"30", 30}, {"60", 60}, {"5 min", 300, 60}},
    {{"20", 20}, {"60", 60}, {"2 min", 120}, {"10 min", 600, 120}},
    {{"30", 30}, {"2 min", 120}, {"5 min", 300}, {"20 min", 1200, 300}},
    {{"60", 60}, {"5 min", 300}, {"10 min", 600}, {"30 min", 1800}},
    {{"2 min", 120}, {"10 min", 600}, {"20 min", 1200}, {"1 hour", 3600}},
    {{"5 min", 300}, {"20 min", 1200}, {"30 min", 1800}, {"2 hour", 7200}},
    {{"10 min", 600}, {"30 min", 1800}, {"1 hour", 3600}, {"6 hours", 21600}},
    {{"20 min", 1200}, {"1 hour", 3600}, {"2 hours", 7200}, {"12 hours", 43200}},
    {{"30 min", 1800}, {"2 hours", 7200}, {"6 hours", 21600}, {}},
    {{"1 hour", 3600}, {}, {}, {}},
};

int classOf(double interval) {
  return interval < 0.5 ? 0 : interval < 2 ? 1 : interval < 10 ? 2 : 3;
}

const Preset* presetFor(int id, double interval) {
  if (id < 41 || id > 53) return nullptr;
  const Preset& p = kPresets[id - 41][classOf(interval)];
  return p.label ? &p : nullptr;
}

}  // namespace

std::vector<IntervalButton> intervalPresets(double interval, int32_t cases) {
  const double available = double(cases) * interval;
  std::vector<IntervalButton> shown;
  for (int id = 41; id <= 53; ++id)
    if (const Preset* p = presetFor(id, interval))
      if (available > p->seconds && interval <= p->maxInterval) shown.push_back({id, p->label});
  return shown;
}

std::vector<IntervalButton> intervalAdjusters(double interval) {
  std::vector<IntervalButton> shown{{59, "÷2"}, {60, "*2"}, {61, "÷10"}, {62, " * 10"}};
  if (interval < 0.25) shown.push_back({63, " + .1"});
  shown.push_back({64, " + 1"});
  shown.push_back({65, " + 10"});
  return shown;
}

static std::string numberText(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", v);
  return text;
}

std::optional<std::string> intervalChoiceText(int id, double interval, const std::string& field) {
  if (const Preset* p = presetFor(id, interval)) return numberText(p->seconds);
  if (id < 59 || id > 65) return std::nullopt;
  double v = 0;
  if (!rt::PSvalStrict(field, v)) return std::nullopt;
  const double changed[] = {v * 0.5, v * 2, v / 10, v * 10, v + 0.1, v + 1, v + 10};
  const float result = float(changed[id - 59]);
  if (!std::isfinite(result)) return std::nullopt;
  return numberText(double(result));
}

}  // namespace qv
