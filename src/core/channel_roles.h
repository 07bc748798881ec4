#pragma once
// The channels a tool works on, as the channel lists show and set them (the channel on the
// plot, ActiveChannel, and the block window's chanB are the plot's).
#include <cstdint>

namespace qv {

extern int16_t MainDataChannel;  // the channel a tool reads
extern int16_t SecondChannel;    // the second choice of a two-column list (its button number)
extern int16_t FlowRateChannel;  // non-zero when a flow channel is to be chosen
extern int16_t yChan;            // 1 asks the channel lists for their second column

}  // namespace qv
