// The marker table of the file in use put in case order, and the marker dropped by a click
// while markers are being inserted.
#include "plot/marker_order.h"

#include <algorithm>
#include <vector>

#include "core/menus.h"
#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "core/open_rules.h"
#include "plot/cursor_pick.h"
#include "plot/block_support.h"
#include "plot/draw_support.h"
#include "plot/marker_layout.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t ThisMarkerCharacter = 0;

void SortMARKERS() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  rt::setCursor(rt::Cursor::Wait);
  const int count = std::clamp<int>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  std::vector<markers::Marker> table(static_cast<size_t>(count));
  for (int k = 1; k <= count; ++k) table[size_t(k - 1)] = {MarkersArray[f][k][1], MarkersArray[f][k][2]};
  const int32_t kept = markers::sortTable(table, nCases[f]);
  for (int k = 1; k <= count; ++k) {
    const markers::Marker m = k <= kept ? table[size_t(k - 1)] : markers::Marker{};
    MarkersArray[f][k][1] = m.kase;
    MarkersArray[f][k][2] = m.code;
  }
  FileSHORTS[f][kMarkerCountWord] = int16_t(kept);
  rt::setCursor(rt::Cursor::Arrow);
}

void MarkerMOUSE() {
  const int f = TheFileInUse;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || !rt::windowExists(win) || rt::mouseWindow() != win) return;
  const rt::Point at = rt::mousePoint();
  const int x = at.x;
  // Only the plot region takes markers: not the data bar, nor the column left of the first case.
  if (x < 1 || at.y < 20 || at.y >= BottomOfPlotArea) return;
  const std::optional<int32_t> c = pick::caseAt(plot::blockViewOfSlot(f), x);
  if (!c) return;
  const int count = std::clamp<int>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  if (count >= kMaxMarkers) {
    Warn(1166, "Insert Marker: ",
         {"The file already holds" + rt::PSstrLong(kMaxMarkers) + " markers, as many as it can keep.",
          "This one was not added."});
    return;
  }
  if (prefsArray[7]) PlaySound("tick.mp3");
  MarkersArray[f][count + 1][1] = *c;
  MarkersArray[f][count + 1][2] = ThisMarkerCharacter;
  FileSHORTS[f][kMarkerCountWord] = int16_t(count + 1);

  rt::setOutputWindow(win);
  rt::foreColor(Pwhite);
  rt::textSize(9);
  rt::moveTo(x + 2, 57);
  rt::drawString(plot::markerLabel(ThisMarkerCharacter));
  plot::dottedVLine(x, 55, BottomOfPlotArea - 4);
  rt::penNormal();
  rt::flushWindow(win);
  prefsArray[10] = 1;
  FBMenu(kMarkersMenu, 1, 2);
}

}  // namespace qv
