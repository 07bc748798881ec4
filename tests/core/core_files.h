#pragma once
// Small files in the file table for the core tests.
#include <string>

#include "core/filetable.h"

namespace coretest {

// Slot `slot` holds a file of `channels` channels of `cases` cases; sample k of channel c is
// c * 1000 + k, labels are "chan c".
inline void makeFile(int slot, int channels, int32_t cases) {
  using namespace qv;
  FreeFileSlot(slot);
  nCases[slot] = cases;
  nChannels[slot] = int16_t(channels);
  FileSHORTS[slot][kInUseWord] = 1;
  FileSHORTS[slot][kChangeMarkWord] = 0;
  FileSHORTS[slot][kMarkerCountWord] = 0;
  for (int s = 1; s <= 5; ++s) LabelStrings[slot][s].assign(240, ' ');
  for (int c = 1; c <= channels; ++c) {
    gPointersToFileData[slot][c] = allocateSamples(cases);
    for (int32_t k = 0; k <= cases; ++k) PutDatum(slot, c, k, float(c * 1000 + k));
    SetChannelLabel(slot, c, "chan " + std::to_string(c));
  }
  FileName[slot] = "file " + std::to_string(slot);
  CommentContainer[slot].clear();
}

}  // namespace coretest
