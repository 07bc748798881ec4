#include "thermoreg/treg_texts.h"

#include <cmath>

#include "runtime/numtext.h"

namespace qv {

namespace {

// Characters a..b (from 1) of the runtime's text of x, which starts with a blank for a value
// that is not negative.
std::string chars(double x, size_t a, size_t b) {
  const std::string t = rt::PSstr(x);
  return a - 1 < t.size() ? t.substr(a - 1, b - a + 1) : std::string();
}

std::string whole(double x) { return rt::PSstr(x); }

bool positive(double x) { return std::isfinite(x) && x > 0; }

}  // namespace

double tregShownMean(const TregResult& r, bool activeOnly) {
  if (activeOnly) return r.activeCases > 0 ? r.sumActive / r.activeCases : NAN;
  return r.cases > 0 ? double(r.mean) : NAN;
}

std::map<int, std::string> tregSummaryTexts(const TregResult& r, float bmr, bool useTorpor, bool activeOnly) {
  using namespace tregfield;
  std::map<int, std::string> t;
  const double mean = tregShownMean(r, activeOnly);
  const bool any = r.cases > 0 && std::isfinite(mean);
  t[kMean] = any ? whole(mean) : "";
  t[kMeanMl] = any ? whole(mean / kWattsPerMlO2) : "";
  t[kMeanXBMR] = !any ? "" : bmr > 0 ? chars(mean / bmr, 2, 6) : "0";
  t[kHighest] = any ? chars(r.highest, 2, 8) : "";
  t[kHighestXBMR] = any && r.highest > 0 && bmr > 0 ? chars(r.highest / bmr, 2, 6) : "";
  t[kAtBMR] = r.cases > 0 && r.atBMR > 0 ? chars(100.0 * r.atBMR / r.cases, 1, 5) : "";
  if (r.aboveBMR > 0) {
    const double off = r.sumAbove / r.aboveBMR;
    t[kOffBMR] = chars(off, 2, 8);
    t[kOffBMRX] = bmr > 0 ? chars(off / bmr, 2, 6) : "";
  } else {
    t[kOffBMR] = t[kOffBMRX] = "--  ";
  }
  const std::pair<int, float> bests[] = {{kBest6, r.best6h}, {kBest12, r.best12h}, {kBestDay, r.bestDay}};
  for (const auto& [id, best] : bests) {
    const bool shown = positive(best);
    t[id] = shown ? whole(best) : "";
    t[id + 2] = shown && bmr > 0 ? whole(best / bmr) : "";
  }
  if (useTorpor) {
    const double torpor = r.torporCases > 0 ? r.sumTorpor / r.torporCases : 0.0;
    t[kTorpor] = r.torporCases > 0 ? whole(torpor) : "";
    t[kTorporX] = positive(torpor) && bmr > 0 ? chars(torpor / bmr, 2, 6) : "";
    t[kTorporTime] = r.cases > 0 ? chars(100.0 * r.torporCases / r.cases, 1, 5) : "";
  } else {
    t[kTorpor] = "not used", t[kTorporX] = "N.A.", t[kTorporTime] = "zero   ";
  }
  return t;
}

}  // namespace qv
