#include "plot_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/output_state.h"
#include "core/route_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace plottest {

void resetPlotState() {
  qvtest::resetRuntime();
  for (int s = 0; s < kSlots; ++s) {
    freeSlotArrays(s);
    nCases[s] = 0;
    nChannels[s] = 0;
    std::memset(FileSHORTS[s], 0, sizeof FileSHORTS[s]);
    std::memset(FileInfoFLOATS[s], 0, sizeof FileInfoFLOATS[s]);
    zoomleft[s] = zoomright[s] = 0;
    CompactedChannel[s] = 0;
    for (auto& row : ParseArray[s]) row.clear();
    ActiveChannelArray[s] = 0;
    BeginBlock[s] = EndBlock[s] = 0;
  }
  for (int s = 0; s <= 20; ++s) NumberOfNotes[s] = 0;
  std::memset(OverlayArray, 0, sizeof OverlayArray);
  std::memset(prefsArray, 0, sizeof prefsArray);
  for (auto& row : scalingFactorArray) {
    row[1] = row[2] = 1;
    row[3] = row[5] = row[6] = 0;
    row[4] = 2;
  }
  DefaultColors();
  SetOverlayColors();
  TheFileInUse = 0;
  ActiveChannel = 1;
  chanB = 1;
  Xstep = 1;
  ScaleMode = 2;
  DrawAllScaleMode = 2;
  PlotAsHistogram = 0;
  printblock = 0;
  OldBeginBlock = OldEndBlock = 0;
  ABunit = ABu = 0;
  BlockWindowIsOpen = 0;
  LastBlockWindowWidth = LastBlockWindowHeight = 0;
  HorizPosition = 0;
  AnalysisCode = 0;
  MergeThisFile = 0;
  AllValues = 0;
  ShowDot = 0;
  parse = 0;
  PortForResultsOutput = 0;
  TimeGridLimit = 1;
}

DataFile makeFile(int32_t cases, const std::vector<std::function<float(int32_t)>>& channels,
                  const std::string& name) {
  DataFile f;
  f.nCases = cases;
  f.nChannels = int16_t(channels.size());
  for (size_t c = 0; c < channels.size(); ++c) {
    SampleArray a = allocateSamples(cases);
    a[0] = 0;
    for (int32_t k = 1; k <= cases; ++k) a[k] = channels[c](k);
    f.channels[c + 1] = std::move(a);
    f.meta.labels[c + 1] = "channel " + std::to_string(c + 1);
  }
  f.meta.name = name;
  f.meta.info[1] = 1;
  f.meta.startDate = "05/14/2024";
  f.meta.startTime = "09:15:00";
  return f;
}

void openPlot(DataFile&& f, int slot) {
  commitDataFile(std::move(f), slot);
  FileSHORTS[slot][8] = 1;
  FileSHORTS[slot][1] = 1;
  TheFileInUse = int16_t(slot);
  DrawMAINWINDOW(0, 0);
}

void setPlotSize(int slot, int width, int height) {
  const rt::Rect r = rt::windowContentRect(1000 + slot);
  rt::setWindowContentRect(1000 + slot, {r.left, r.top, r.left + width, r.top + height});
  ScreenWidth = int16_t(width);
  BottomOfPlotArea = int16_t(height - 38);
  PlotHeight = int16_t(height - 78);
}

bool near(rt::RGB a, rt::RGB b, int tolerance) {
  return std::abs(int(a.red) - int(b.red)) <= tolerance && std::abs(int(a.green) - int(b.green)) <= tolerance &&
         std::abs(int(a.blue) - int(b.blue)) <= tolerance;
}

Extent columnExtent(int window, int x0, int x1, int y0, int y1, rt::RGB color, int tolerance) {
  Extent e;
  for (int x = x0; x <= x1; ++x)
    for (int y = y0; y <= y1; ++y)
      if (near(rt::canvasPixel(window, x, y), color, tolerance)) {
        if (e.top < 0 || y < e.top) e.top = y;
        if (y > e.bottom) e.bottom = y;
      }
  return e;
}

std::string windowImage(int window) {
  static int serial = 0;
  const std::string path = qvtest::tempDir("shots-" + std::to_string(++serial)) + "/w.png";
  if (!rt::saveWindowImage(window, path)) return {};
  const auto bytes = rt::readWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool colorIn(int window, rt::Rect r, rt::RGB color, int tolerance) {
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y)
      if (near(rt::canvasPixel(window, x, y), color, tolerance)) return true;
  return false;
}

void runMouse(const std::vector<std::string>& lines) {
  rt::setHandler(rt::Vector::Mouse, HandleMOUSE);
  for (const std::string& l : lines)
    if (!rt::script::pushLine(l)) ADD_FAILURE() << "malformed scripted line: " << l;
  for (int guard = 0; rt::script::pendingCount() > 0 && guard < 1000; ++guard) rt::FBHandleEvents();
}

std::vector<rt::RGB> pixels(int window, rt::Rect r, int rowStep) {
  std::vector<rt::RGB> out;
  out.reserve(size_t(std::max(r.width(), 0)) * size_t(std::max(r.height(), 0)));
  for (int y = r.top; y < r.bottom; y += std::max(rowStep, 1))
    for (int x = r.left; x < r.right; ++x) out.push_back(rt::canvasPixel(window, x, y));
  return out;
}

}  // namespace plottest
