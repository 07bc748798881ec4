#pragma once
// What the allometry calculator keeps for the program's run: the equation (a in ml O2/min for
// grams, and b, whatever unit is shown), the taxon and unit chosen and the fields as last left.
#include <cstdint>
#include <string>

#include "calculators/allometry.h"

namespace qv {

struct MetabolismSession {
  bool used = false;
  int16_t popup = kMainTaxonPopup, item = 1, unit = 1;
  double a = 0.002647, b = 0.751;
  std::string exponentText = ".751", mass = "1", baseT = "20", realT = "20", q10 = "2.2";
  bool kg = false;
  int ppt = 1;  // salinity of the water, parts per thousand: 1, 15 or 35
};

MetabolismSession& metabolismSession();

}  // namespace qv
