#pragma once
// The typed values of the cost options window, checked before any of them is stored: a value
// the cost model cannot use is refused by its field's name and nothing changes.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

struct CostOptionTexts {
  std::string tbChange, maxActiveTb, conductanceFactor, minimumTorporTb, entryTime, q10, dawn, dusk, startLag, endLag,
      defaultTb;
};

struct CostOptionValues {
  float tbChange = 0, conductanceFactor = 0, minimumTorporTb = 0, entryTime = 0, q10 = 0, dawn = 0, dusk = 0,
        startLag = 0, endLag = 0, defaultTb = 0;
  int16_t maxActiveTb = 0;
};

struct CostOptionsCheck {
  std::optional<CostOptionValues> values;
  std::string field;   // the label of the refused field
  std::string reason;  // why
};

// Q10 is kept within 1 to 5, an entry time of 0 becomes half an hour and a default Tb of 0
// becomes 37; dawn and dusk must be hours of the day, lags not negative, the entry time at
// most 24 hours and the conductance factor above 0.
CostOptionsCheck checkCostOptions(const CostOptionTexts& t);

}  // namespace qv
