#include "respirometry/gas_checks.h"

#include <cmath>

#include "respirometry/gas_labels.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

bool positiveNumber(float v) { return std::isfinite(v) && v > 0; }

std::string channelText(const char* what, int channel, int n) {
  return std::string(what) + " is channel" + rt::PSstrLong(channel) + "; the file has channels 1 to" +
         rt::PSstrLong(n) + ".";
}

}  // namespace

std::optional<GasRunProblem> gasRunProblem(const GasRunChoice& c) {
  const int n = c.nChannels;
  auto inFile = [n](int ch) { return ch >= 1 && ch <= n; };
  auto problem = [](int word, std::string text) { return std::optional<GasRunProblem>(GasRunProblem{word, std::move(text)}); };
  if (!inFile(c.gasChannel)) return problem(22, channelText("The gas channel", c.gasChannel, n));
  if (c.flowChannel != 0 && !inFile(c.flowChannel)) return problem(5, channelText("The flow channel", c.flowChannel, n));
  if (c.flowMode < 1 || c.flowMode > 10)
    return problem(9, "The flow configuration must be 1 to 10, not" + rt::PSstrLong(c.flowMode) + ".");
  if (c.unit < 1 || c.unit > 20) return problem(4, "The output unit must be 1 to 20, not" + rt::PSstrLong(c.unit) + ".");
  if (c.humidityUnits < 0 || c.humidityUnits > 4)
    return problem(7, "The humidity unit must be 0 to 4, not" + rt::PSstrLong(c.humidityUnits) + ".");
  if (c.gasType != 3 && (c.useVCO2 < 0 || c.useVCO2 > 2))
    return problem(23, "The companion gas choice must be 0, 1 or 2, not" + rt::PSstrLong(c.useVCO2) + ".");
  if (c.gasType != 3 && c.useVCO2 != 0 && !inFile(c.companionChannel))
    return problem(24, channelText("The companion gas channel", c.companionChannel, n));
  if (c.waterChannel != 0 && c.waterChannel != 123 && !inFile(c.waterChannel))
    return problem(13, channelText("The humidity channel", c.waterChannel, n));
  if (c.temperatureChannel != 0 && !inFile(c.temperatureChannel))
    return problem(10, channelText("The humidity sensor's temperature", c.temperatureChannel, n));
  if (c.gasType == 3 && (c.ewlCompensation == 1 || c.ewlCompensation == 2)) {
    if (!inFile(c.ewlO2Channel)) return problem(0, channelText("The excurrent O\u2082 channel", c.ewlO2Channel, n));
    if (c.ewlCompensation == 1 && !inFile(c.ewlCO2Channel))
      return problem(0, channelText("The excurrent CO\u2082 channel", c.ewlCO2Channel, n));
  }
  if (!(std::isfinite(c.O) && c.O >= 0 && c.O < 1)) return problem(17, "FiO\u2082 must be at least 0 % and below 100 %.");
  if (!(std::isfinite(c.C) && c.C >= 0 && c.C < 1)) return problem(18, "FiCO\u2082 must be at least 0 % and below 100 %.");
  if (!positiveNumber(c.RQ)) return problem(15, "The RQ must be a number greater than 0.");
  if (!positiveNumber(c.realBP)) return problem(16, "The real barometric pressure must be greater than 0 torr.");
  if (c.flowChannel == 0 && !positiveNumber(c.typedFlow)) return problem(0, "The flow rate must be greater than 0.");
  if (!positiveNumber(c.filePressure)) return problem(0, "The barometric pressure must be greater than 0 torr.");
  if (!(std::isfinite(c.flowTemperature) && c.flowTemperature > -273.15f))
    return problem(0, "The flow temperature must be above -273.15 \u00B0C.");
  if (unitIsPerMass(c.unit) && !positiveNumber(c.mass))
    return problem(0, "This output unit is per body mass: the body mass must be greater than 0 g.");
  if (c.instantaneous && !positiveNumber(c.effectiveVolume))
    return problem(0, "The Instantaneous correction needs an effective volume greater than 0 ml.");
  if (c.instantaneous && !positiveNumber(c.sampleInterval))
    return problem(0, "The Instantaneous correction needs a sample interval greater than 0 s.");
  return std::nullopt;
}

}  // namespace qv
