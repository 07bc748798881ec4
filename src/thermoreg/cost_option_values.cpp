#include "thermoreg/cost_option_values.h"

#include <algorithm>
#include <cmath>

#include "core/typed_number.h"

namespace qv {

namespace {

struct Rule {
  const std::string* text;
  float* out;
  const char* field;
  double low, high;  // inclusive unless the flag says otherwise
  bool lowExclusive;
  const char* range;
};

}  // namespace

CostOptionsCheck checkCostOptions(const CostOptionTexts& t) {
  CostOptionValues v;
  float maxTb = 0;
  const double any = 1e30;
  const Rule rules[] = {
      {&t.tbChange, &v.tbChange, "\u00B0C warmer when active", -any, any, false, ""},
      {&t.maxActiveTb, &maxTb, "max", -32768, 32767, false, "a whole number of \u00B0C"},
      {&t.conductanceFactor, &v.conductanceFactor, "-X Higher in Active Phase", 0, any, true, "above 0"},
      {&t.minimumTorporTb, &v.minimumTorporTb, "Minimum Tb", -any, any, false, ""},
      {&t.entryTime, &v.entryTime, "Entry, arousal tme (hr):", 0, 24, false, "0 to 24 hours"},
      {&t.q10, &v.q10, "Torpor Q10:", -any, any, false, ""},
      {&t.dawn, &v.dawn, "Dawn is at", 0, 24, false, "0 to 24 hours"},
      {&t.dusk, &v.dusk, "Dusk is at", 0, 24, false, "0 to 24 hours"},
      {&t.startLag, &v.startLag, "Torpor Start Lag (hours):", 0, any, false, "0 hours or more"},
      {&t.endLag, &v.endLag, "Torpor End Lag (hours):", 0, any, false, "0 hours or more"},
      {&t.defaultTb, &v.defaultTb, "If Tb Is Missing, Set Tb To:", -any, any, false, ""},
  };
  for (const Rule& r : rules) {
    const std::optional<double> x = typedNumber(*r.text);
    if (!x) return {std::nullopt, r.field, "is not a number"};
    const bool below = r.lowExclusive ? *x <= r.low : *x < r.low;
    if (below || *x > r.high) return {std::nullopt, r.field, std::string("must be ") + r.range};
    *r.out = float(*x);
  }
  v.maxActiveTb = int16_t(std::trunc(maxTb));
  if (v.entryTime == 0.0f) v.entryTime = 0.5f;
  v.q10 = std::clamp(v.q10, 1.0f, 5.0f);
  if (v.defaultTb == 0.0f) v.defaultTb = 37.0f;
  return {v, "", ""};
}

}  // namespace qv
