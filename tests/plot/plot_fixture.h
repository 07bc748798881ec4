#pragma once
// Files built in memory and committed to the file table, and a clean plot state.
#include <functional>
#include <string>
#include <vector>

#include "datafiles/datafile.h"
#include "runtime/geometry.h"

namespace plottest {

// Clears the file table words, the plot's globals and the preferences the plot reads,
// and restarts the runtime with no window open.
void resetPlotState();

// A file of `cases` cases with one channel per generator (value of case k, from 1).
qv::DataFile makeFile(int32_t cases, const std::vector<std::function<float(int32_t)>>& channels,
                      const std::string& name = "test.KXdata");

// Commits the file to `slot`, makes it the file in use and builds its plot window.
void openPlot(qv::DataFile&& f, int slot);

// Resizes the content of the plot window of `slot` (the next redraw reads the width).
void setPlotSize(int slot, int width, int height);

// Pixels of a window that match a colour within a tolerance per component (0..65535).
bool near(qv::rt::RGB a, qv::rt::RGB b, int tolerance = 6000);

// Rows of column x (or of columns x0..x1) of the window where the colour is found.
struct Extent {
  int top = -1, bottom = -1;
  bool found() const { return top >= 0; }
};
Extent columnExtent(int window, int x0, int x1, int y0, int y1, qv::rt::RGB color, int tolerance = 6000);
// The PNG bytes of a window's image (to compare two pictures).
std::string windowImage(int window);
// Whether a colour appears anywhere in a rectangle.
bool colorIn(int window, qv::rt::Rect r, qv::rt::RGB color, int tolerance = 6000);

// Pushes event-file lines as scripted input and pumps events, with the plot's mouse handler
// installed, until every line was taken.
void runMouse(const std::vector<std::string>& lines);
// The canvas pixels of a rectangle of a window, row by row (every rowStep-th row), to compare
// two pictures.
std::vector<qv::rt::RGB> pixels(int window, qv::rt::Rect r, int rowStep = 1);

}  // namespace plottest
