#include "plot/draw_support.h"

#include <algorithm>

#include "core/filetable.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv::plot {

PlotView viewOfSlot(int f) {
  PlotView v;
  if (f < 0 || f >= kSlots) return v;
  v.nCases = nCases[f];
  v.screenWidth = std::max<int>(ScreenWidth, 1);
  v.page = std::max<int>(FileSHORTS[f][1], 1);
  v.wholeFile = FileSHORTS[f][4] != 0;
  v.zoomed = FileSHORTS[f][6] != 0;
  v.zoomLeft = zoomleft[f];
  v.zoomRight = zoomright[f];
  v.xstep = std::max<int>(Xstep, 1);
  return v;
}

StripEdges stripOfChannel(int f, int channel) {
  if (f < 0 || f >= kSlots) return {};
  const float* w = fileVariableArray[f][std::clamp(channel, 0, kMaxChannels)];
  return stripEdges(w[8], w[9]);
}

const float* channelSamples(int f, int channel) {
  if (f < 0 || f >= kSlots || channel < 0 || channel > kMaxChannels) return nullptr;
  if (channel > nChannels[f]) return nullptr;
  return gPointersToFileData[f][channel].get();
}

void dottedHLine(int x1, int x2, int y, int every) {
  if (x2 < x1) std::swap(x1, x2);
  for (int x = x1; x <= x2; x += std::max(every, 1)) {
    rt::moveTo(x, y);
    rt::lineTo(x, y);
  }
}

void dottedVLine(int x, int y1, int y2, int every) {
  if (y2 < y1) std::swap(y1, y2);
  for (int y = y1; y <= y2; y += std::max(every, 1)) {
    rt::moveTo(x, y);
    rt::lineTo(x, y);
  }
}

std::string caseCountText(long long n) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

void staticField(int id, const std::string& text, rt::Rect r, rt::RGB textColor, rt::RGB background, int font,
                 int size, int style) {
  rt::FBEditField(id, text, r, 7);
  rt::setEditColors(id, textColor, background);
  rt::setEditFont(id, font, size, style);
}

}  // namespace qv::plot
