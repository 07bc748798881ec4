// Markers, note buttons and the multi-channel markings on the plot window.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/marker_layout.h"
#include "plot/notes_table.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr rt::RGB kBlack{0, 0, 0};

void endMarkers() {
  rt::penNormal();
  rt::textSize(12);
  rt::foreColor(kBlack);
  rt::refreshPump();
}

}  // namespace

void DRAWMARKERS(int16_t stripMode, int16_t showLabels) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  rt::backColor(gray);
  rt::eraseRect({0, 19, ScreenWidth, 30});
  rt::textFont(KestrixFont);
  rt::textSize(10);
  const int count = std::clamp<int>(FileSHORTS[f][5], 0, kMaxMarkers);
  if (count == 0) {
    endMarkers();
    return;
  }
  std::vector<plot::MarkerInput> markers(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) markers[size_t(k - 1)] = {MarkersArray[f][k][1], MarkersArray[f][k][2]};
  const plot::MarkerLayout layout = plot::layoutMarkers(plot::viewOfSlot(f), markers, showLabels != 0);

  int top = 33, bottom = BottomOfPlotArea - 4;
  if (stripMode) {
    const plot::StripEdges strip = plot::stripOfChannel(f, ActiveChannel);
    top = strip.top, bottom = strip.bottom;
  }
  for (const plot::MarkerMark& m : layout.marks) {
    if (layout.labels) {
      rt::foreColor(kBlack);
      rt::moveTo(m.x - 2, 27);
      rt::drawString(plot::markerLabel(m.code));
    }
    rt::foreColor(Pwhite);
    plot::dottedVLine(m.x, top, bottom);
  }
  endMarkers();
}

void NOTEMARKERS() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  const int count = std::clamp<int>(NumberOfNotes[f], 0, kMaxNotes);
  std::vector<int32_t> cases;
  cases.reserve(size_t(count));
  for (int k = 0; k < count; ++k) {
    const double c = k < int(fileRemarks[f].size()) ? rt::PSval(fileRemarks[f][size_t(k)].caseText) : 0.0;
    cases.push_back(int32_t(std::clamp(std::isfinite(c) ? c : 0.0, -2e9, 2e9)));
  }
  const int y = prefsArray[34] ? 18 : BottomOfPlotArea - 14;
  // A note at the very start keeps its whole button inside the window.
  for (const plot::NoteButton& b : plot::layoutNotes(plot::viewOfSlot(f), cases)) {
    const int left = std::max(0, b.x - 5);
    rt::FBButton(kFirstNoteButton + b.note - 1, 1, "n", {left, y, left + 10, y + 12}, 1);
  }
}

void ALLCHANMARKS(int16_t bottom, int16_t x, int32_t code) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  rt::foreColor(Pwhite);
  plot::dottedVLine(x, 29, bottom - 2);
  rt::foreColor(kBlack);
  rt::textSize(9);
  rt::moveTo(x, 27);
  rt::drawString(plot::markerLabel(code));
  rt::penNormal();
}

void MultiChannelIndicator() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || FileSHORTS[f][7] == 0) return;
  auto shown = [&](int c) { return c >= 1 && c <= kMaxChannels && overlayFlag(f, 1, c) != 0; };
  if (rt::windowExists(kChannelPickerWindow)) {
    if (shown(old)) rt::setButtonStateIn(kChannelPickerWindow, 600 + old, 1);
    if (shown(ActiveChannel)) rt::setButtonStateIn(kChannelPickerWindow, 600 + ActiveChannel, 2);
  }
  if (!rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  for (int c = 1; c <= nChannels[f] && c <= kMaxChannels; ++c) {
    if (!shown(c)) continue;
    const int top = plot::stripOfChannel(f, c).top;
    rt::FBButton(700 + c, 1, "◊", {ScreenWidth - 12, top, ScreenWidth - 1, top + 12}, 1);
  }
}

}  // namespace qv
