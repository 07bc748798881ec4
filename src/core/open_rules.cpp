#include "core/open_rules.h"

#include "core/filetable.h"
#include "runtime/numtext.h"

namespace qv {

int16_t TypeOfFile = 0;

OpenPanelRequest openPanelFor(int16_t typeOfFile) {
  switch (typeOfFile) {
    case 4:
      return {"Sable or Kestrix binary file (with .extension) to open:",
              {"exp", "sabl", "RIVozar", "KXdata", "kxda", "kxsc"}};
    case 1:
    case 2:
    case 5:
    case 6: return {"Kestrix-format file (with .extension) to open:", {"KXdata", "kxda", "kxsc"}};
    default: return {"Sable or Kestrix-format file to open:", {}};
  }
}

int lowestFreeSlot(std::span<const bool> inUse) {
  for (size_t s = 0; s < inUse.size(); ++s)
    if (!inUse[s]) return int(s);
  return -1;
}

int32_t automaticBlockPixels(int32_t abunit, int32_t xstep, int32_t screenWidth, int32_t cases) {
  if (cases <= 0 || cases <= screenWidth) return int32_t(int64_t(xstep) * abunit);
  return int32_t(int64_t(abunit) * screenWidth / cases);
}

bool screenSegmentsOffered(int32_t cases, int32_t screenWidth) {
  if (screenWidth <= 0 || cases <= screenWidth) return false;
  return screenWidth / (cases / screenWidth) < 5;
}

bool appendAllowed(int32_t cases) {
  constexpr uint32_t kLastAllowed = 6099899;
  return uint32_t(cases) - 1u < kLastAllowed;
}

int documentsRoom(int openFiles) { return openFiles >= kMaxOpenFiles ? 0 : kMaxOpenFiles - openFiles; }

LoadingWindowEdges loadingWindowEdges(bool plotWindowExists, int plotWindowLeft) {
  const int offset = plotWindowExists ? plotWindowLeft : 100;
  return {54 + offset, 435 + offset};
}

std::string markersPresentLine(int count) {
  return "  A total of" + rt::PSstrLong(count) + " markers are present.";
}

std::string notesPresentLine(int count) {
  return "  Contains" + rt::PSstrLong(count) + " 'real-time' note(s).";
}

std::string markersDroppedLine(int count) {
  return std::to_string(count) + " marker(s) outside the file's cases were left out.";
}

}  // namespace qv
