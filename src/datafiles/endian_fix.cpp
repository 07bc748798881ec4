// "fix Endian Byte Order": the samples of the file in use with their bytes reversed.
#include "core/filetable.h"
#include "core/kit.h"
#include "core/undo.h"
#include "datafiles/binary_format.h"
#include "core/data_generation.h"

namespace qv {

int BigENDIANtoLittleEndian() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return 0;
  for (int c = 1; c <= nChannels[f] && c <= kMaxChannels; ++c) {
    if (float* a = channelData(f, c); a && nCases[f] > 0)
      storeSamplesBigEndian(reinterpret_cast<uint8_t*>(a + 1), a + 1, size_t(nCases[f]));
    UpdateProgressBar(c);
  }
  return 0;
}

// Every sample changed: a Save must be offered, anything computed from the data is stale,
// and an undo copy taken before would put one channel back in the other byte order.
void FixEndianByteOrder() {
  const int16_t f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || nCases[f] <= 0) return;
  BigENDIANtoLittleEndian();
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  InvalidateUndoOfSlot(f, UndoLoss::ByteOrderFixed);
}

}  // namespace qv
