#pragma once
// The texts a cost run shows in the cost window's summary fields, by field id: the model's
// own fields (highest cost, time at BMR, cost off BMR, running means, torpor) and the mean
// with its two other forms.
#include <map>
#include <string>

#include "thermoreg/treg_model.h"

namespace qv {

namespace tregfield {
constexpr int kBMR = 111, kTb = 112, kC = 113, kLCT = 114, kMass = 1014;
constexpr int kMean = 115, kMeanMl = 116, kMeanXBMR = 117, kHighest = 118, kHighestXBMR = 119;
constexpr int kAtBMR = 138, kOffBMR = 139, kOffBMRX = 140;
constexpr int kBest6 = 202, kBest6X = 204, kBest12 = 212, kBest12X = 214, kBestDay = 182, kBestDayX = 184;
constexpr int kTorpor = 188, kTorporX = 189, kTorporTime = 192;
}  // namespace tregfield

// ml O2/min per watt, and back: BMR typed in ml O2/min is x 0.335 in watts.
constexpr float kWattsPerMlO2 = 0.335f;

// `bmr` is the BMR in watts the run took; `useTorpor` and `activeOnly` as the settings were.
// The mean shown is that of the active phase with `activeOnly`; no accepted case leaves
// every mean empty.
std::map<int, std::string> tregSummaryTexts(const TregResult& r, float bmr, bool useTorpor, bool activeOnly);

// The mean the summary shows (NaN when there is none).
double tregShownMean(const TregResult& r, bool activeOnly);

}  // namespace qv
