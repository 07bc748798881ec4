#include "plot/marker_layout.h"

#include <cmath>

#include "runtime/macroman.h"

namespace qv::plot {

std::string markerLabel(int32_t code) {
  if (code >= 201) return std::to_string(code - 200);
  if (code >= 1) return rt::macRomanChar(uint8_t(code));
  return {};
}

MarkerLayout layoutMarkers(const PlotView& v, std::span<const MarkerInput> markers, bool showLabels) {
  MarkerLayout out;
  const double sw = v.screenWidth;
  const bool paged = !v.zoomed && !v.wholeFile && v.nCases > v.screenWidth;
  int64_t onPage = 0;
  for (const MarkerInput& m : markers) {
    const double x = caseToX(v, m.kase);
    if (paged) {
      if (x > 0 && x < sw) ++onPage;
    } else {
      ++onPage;
    }
    if (x > 0 && x <= sw) out.marks.push_back({int(std::trunc(x)), m.code});
  }
  if (v.zoomed) out.labels = showLabels;
  else out.labels = showLabels && (onPage == 0 || sw / double(onPage) > 9);
  return out;
}

std::vector<NoteButton> layoutNotes(const PlotView& v, std::span<const int32_t> noteCases) {
  std::vector<NoteButton> out;
  const double sw = v.screenWidth;
  for (size_t k = 0; k < noteCases.size(); ++k) {
    const double x = caseToX(v, noteCases[k]);
    // A button off the plot could not be seen nor clicked.
    if (x >= 0 && x <= sw) out.push_back({int(k + 1), int(std::trunc(x))});
  }
  return out;
}

}  // namespace qv::plot
