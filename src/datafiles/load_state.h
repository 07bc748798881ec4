#pragma once
// Counts the open road hands between the readers, the merge and the loading window.
#include <cstdint>

namespace qv {

// Case and channel counts of the file being read (set by the reader, 0 before it runs).
extern int32_t CasesInFileToMerge;
extern int16_t ChannelsInFileToMerge;
// Counts of the file in use before a merge; 0 for a load into a new slot.
extern int32_t CasesInOriginalFile;
extern int16_t ChannelsInOriginalFile;

}  // namespace qv
