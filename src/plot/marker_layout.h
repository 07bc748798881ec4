#pragma once
// Where markers and note buttons go on a plot, what a marker's label reads, and when the
// labels are left out because the markers crowd.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plot/geometry.h"

namespace qv::plot {

// Label of a marker code: codes 1..200 are the Mac Roman character of the code (199 and
// 200, the ends of an interpolated span, read « and »), codes from 201 the number code - 200.
std::string markerLabel(int32_t code);

struct MarkerInput {
  int32_t kase = 0;
  int32_t code = 0;
};

struct MarkerMark {
  int x = 0;  // pixel column of the dotted line
  int32_t code = 0;
};

struct MarkerLayout {
  std::vector<MarkerMark> marks;  // markers with 0 < x <= width, in stored order
  bool labels = false;            // labels are printed
};

// Markers of a file on its plot. Outside a zoomed view the labels are printed only when
// the width divided by the markers on the page leaves more than 9 pixels each.
MarkerLayout layoutMarkers(const PlotView& v, std::span<const MarkerInput> markers, bool showLabels);

// Note buttons: the x of note k (1..count) from its case, or no x when it is off the plot.
struct NoteButton {
  int note = 0;
  int x = 0;
};
std::vector<NoteButton> layoutNotes(const PlotView& v, std::span<const int32_t> noteCases);

}  // namespace qv::plot
