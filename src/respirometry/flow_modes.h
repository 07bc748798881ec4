#pragma once
// Which flow-system configuration a configuration window shows, and which configurations
// need the incurrent humidity: plain rules over the gas and the mode.
#include <cstdint>

namespace qv {

enum class FlowWindow { Chambers, Masks };

// The mode pressed when a window opens with `mode` current: a window always shows one of its
// own modes (a mask mode entering the chambers gives Mode 1, a chamber mode entering the masks
// gives Mask Mode 1, FlowMode 6), and CO2 offers only Modes 1-4 and Mask Modes 1-3.
int16_t flowModeShown(int16_t gasType, FlowWindow window, int16_t mode);

// True when the flow meter of this configuration sees the incurrent water vapour, so the
// humidity-correction chain follows the choice: VO2 Modes 1, 2 and Mask Modes 4, 5; VCO2
// Modes 1, 4 and Mask Mode 3.
bool flowNeedsHumidity(int16_t gasType, int16_t mode);

}  // namespace qv
