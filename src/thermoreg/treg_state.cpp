#include "thermoreg/treg_state.h"

#include <algorithm>
#include <cmath>

#include "core/filetable.h"
#include "core/prefs.h"
#include "thermoreg/commands.h"
#include "thermoreg/option_windows.h"

namespace qv {

int16_t ChannelforDaytime = 0, ChannelforJulianDay = 0;
int32_t TotalTregCases = 0, TotalAtBMR = 0, TotalAboveBMR = 0;
float HighestTregCost = 0.0f;
std::array<int32_t, kTimingErrorsListed + 1> TimingErrors{};
int16_t csvConductanceFileWasLoaded = 0;
std::string CSVspreadsheetName;
std::array<int16_t, 11> TregCsvSpreadsheetColumns{};

namespace {

float orIfNotAbove0(float v, float shown) { return std::isfinite(v) && v > 0.0f ? v : shown; }

}  // namespace

TregChannels climateChannels(int shade, int sun) {
  const int f = TheFileInUse;
  const size_t n = size_t(std::max<int32_t>(nCases[f], 0)) + 1;
  auto span = [&](int c) { return std::span<const float>(channelData(f, c), n); };
  TregChannels ch{span(shade), span(sun), span(ChannelforDaytime), {}, {}};
  if (ComputeDawnAndDusk) ch.day = span(ChannelforJulianDay);
  if (prefsArray[56]) ch.wind = span(prefsArray[55]);
  return ch;
}

TregSettings currentTregSettings() {
  TregSettings s;
  s.variableTb = variableTb != 0;
  s.tbChange = std::isfinite(TbChange) ? TbChange : 0.0f;
  s.tbMax = float(prefsArray[63]);
  s.variableConductance = variableConductance != 0;
  s.conductanceFactor = orIfNotAbove0(ActivePhaseConductanceIncrease, 1.4f);
  s.canUseTorpor = CalculationsCanUseTorpor != 0;
  s.useTorpor = UseTorpor != 0;
  s.minTorporTb = MinimumTorporTb;
  s.torporEntry = orIfNotAbove0(TorporEntryTime, 0.5f);
  s.torporQ10 = std::clamp(std::isfinite(TorporQ10) ? TorporQ10 : 2.2f, 1.0f, 5.0f);
  s.torporStartLag = TorporStartLag, s.torporEndLag = TorporEndLag;
  s.dayActive = dayActive != 0;
  s.dawn = DaytimeStart, s.dusk = DaytimeEnd;
  s.dawnDuskFromLocation = ComputeDawnAndDusk != 0;
  s.replacementTb = replacementTb != 0;
  s.defaultTb = DefaultTb != 0.0f ? DefaultTb : 37.0f;
  s.zeroIsMissing = ZeroEqualsMissingTemperatures != 0;
  s.sunAllowed = SunUseAllowed != 0;
  s.activeTimeMean = ActiveTimeCostsOnly != 0;
  s.maxAverageDays = orIfNotAbove0(MaxAverageIntervalinDays, 1.0f);
  s.windUsed = prefsArray[56] != 0;
  s.shelteredWhenInactive = prefsArray[57] != 0;
  s.rejectMissingShade = prefsArray[59] != 0;
  s.rejectMissingSun = prefsArray[60] != 0;
  s.rejectMissingWind = prefsArray[61] != 0;
  return s;
}

void publishTregResult(const TregResult& r) {
  TotalTregCases = r.cases, TotalAtBMR = r.atBMR, TotalAboveBMR = r.aboveBMR;
  HighestTregCost = r.highest;
  prefsArray[58] = int16_t(std::min<int32_t>(r.timingErrors, 32767));
  TimingErrors.fill(0);
  for (size_t k = 0; k < r.timingErrorCases.size() && k < size_t(kTimingErrorsListed); ++k)
    TimingErrors[k + 1] = r.timingErrorCases[k];
}

}  // namespace qv
