#pragma once
// The output units of gas exchange: the factor each unit scales the result by, and the label
// of the result channel.
#include <string>
#include <string_view>

namespace qv {

// Units 2, 6, 8-11, 15, 19 and 20 are per gram or per kilogram of body mass.
bool unitIsPerMass(int unit);

struct GasUnit {
  bool known = false;  // a unit 1-20
  float factor = 0;    // flowcon (VO2, VCO2) or VH2OUnitFactor (EWL), before the STP factor
  std::string label;   // "VO2 # 2; ml/min", unpadded; 30 blanks for an unknown unit
};

// gasType 1 VO2, 2 VCO2, 3 EWL; H is the heat equivalence flowcon holds on entry (per 60),
// latent the latent heat of vaporisation (J/g); channelLabel the gas channel's label.
GasUnit gasUnit(int unit, int gasType, float mass, float H, float latent, std::string_view channelLabel);

// " #" and the channel number a label ends in (its last one or two characters), or "".
std::string gasLabelSuffix(std::string_view channelLabel);

// The result label the last GASLABELS composed (the channel's label takes its first 30
// characters, blank-padded).
extern std::string GasResultLabel;

// For the run's gas and unit (prefsArray[54]): sets flowcon or VH2OUnitFactor and
// GasResultLabel. The RHFactor of the caller is kept.
void GASLABELS(std::string_view gasWord);

}  // namespace qv
