#pragma once
// The plain title of a plot window: its file's number, name and size.
#include <cstdint>
#include <string>

namespace qv::plot {

// "Plot Window 1:  'run.KXdata' ( 5 Channels, 10800 Samples ) " for slot 0.
std::string plainPlotTitle(int slot, const std::string& fileName, int channels, int32_t cases);

}  // namespace qv::plot
