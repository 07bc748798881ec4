#include "datafiles/load_state.h"

namespace qv {

int32_t CasesInFileToMerge = 0;
int16_t ChannelsInFileToMerge = 0;
int32_t CasesInOriginalFile = 0;
int16_t ChannelsInOriginalFile = 0;

}  // namespace qv
