#pragma once
// The oxygen held by water in equilibrium with a gas: per litre and in a volume, in ml at STP
// or in mg. Shared by the dissolved-oxygen calculator and the aquatic oxygen-consumption tool.
namespace qv {

struct O2Content {
  float perLitre = 0;  // ml/L STP or mg/L
  float total = 0;     // ml STP or mg in the volume
};

// The equilibrium fraction of the standard content: the saturation (per cent, at most 100),
// the barometric pressure (torr) and the O2 of the gas phase (per cent) against air at 760 torr.
float dissolvedO2Fraction(float saturationPercent, float pressureTorr, float gasO2Percent);

// Content at `celsius` with `solutes` parts per thousand of dissolved solutes, scaled by
// `fraction`, for `volumeMl` of water; in mg with `inMg`.
O2Content O2CONTENT(float celsius, float volumeMl, float solutes, float fraction, bool inMg);

}  // namespace qv
