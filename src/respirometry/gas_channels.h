#pragma once
// The channel choices before a gas-exchange run: the gas channel (and the flow channel), and
// how the other respiratory gas enters the equations.
#include <cstdint>
#include <string_view>

namespace qv {

// Leaves the gas channel in MainDataChannel and, with the flow from a channel, its button
// (channel count + flow channel) in SecondChannel. 0 accepted, 1 closed.
int16_t GasExchangeChannelSelect(std::string_view gasWord, int16_t mode);

// Sets UseVCO2 (0 constant RQ, 1 rate channel, 2 concentration channel), VCO2channel, RQ.
void GETVCO2CHANNEL();

}  // namespace qv
