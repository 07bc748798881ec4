// "fix Endian Byte Order": the samples of the file in use with their bytes reversed.
#include "core/filetable.h"
#include "core/kit.h"
#include "datafiles/binary_format.h"

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

}  // namespace qv
