#pragma once
// The windows of "VO2 in Water": the system and flow source, the channels, and the units with
// the oxygen-content box. They work on a copy of the settings: nothing of the run's settings
// or of the file changes until the pass runs.
#include <cstdint>
#include <functional>
#include <string>

#include "respirometry/water_vo2.h"

namespace qv {

// Settings that last for the run of the program (the others are in core/respirometry_settings.h).
extern int16_t WaterFlowRateChannelannel, WOUTunits;

struct WaterSetup {
  WaterChoices c;
  WaterFields fields;
  float solutes = 0;
  int16_t o2Channel = 0, flowChannel = 0;
  bool newChannel = false;
  std::string label;
  // The content and net O2 as last shown: a field still showing its text stands for the value
  // at full precision.
  std::string perLitreText, netText;
};

// The run's settings and the file's numbers as the windows start from them.
WaterSetup waterSetupFromSettings();

// First window: system, flow source, sign, typed flow. False when its close box cancelled.
bool waterFirstWindow(WaterSetup& s);
// Channel window 10: the O2 channel and, with flow from a channel, the flow channel.
bool waterChannelWindow(WaterSetup& s);
// Second window: units, kind, destination, the content box. "Do Calculations" hands the setup
// to `run`, which returns true when the pass ran (a refusal keeps the window open). False
// when the close box cancelled.
bool waterSecondWindow(WaterSetup& s, const std::function<bool(const WaterSetup&)>& run);

}  // namespace qv
