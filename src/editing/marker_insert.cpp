// View > Markers > Insert Marker[s]: the marker character is chosen in window 4, then every
// click in the plot drops one, on the paged single-channel view, until the user leaves.
#include <algorithm>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/open_rules.h"
#include "editing/paged_view.h"
#include "plot/marker_order.h"
#include "plot/pick_tracking.h"
#include "output/output.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/macroman.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kResults = 4, kPageChange = -kPlotSlider;
constexpr int kMarkerOK = 1, kDoneMarkers = 2, kField = 101, kFirstStandard = 10, kLastStandard = 17;
constexpr uint8_t kStandard[] = {200, 199, 'R', 'S', '>', '<', 'B', 'E'};

void buildWindow(int f) {
  OpenResultsWindow(0, 0, "Insert New Marker", 0);
  SetTextStyle(KestrixFont, 16, 0);
  buildef(1, 30, "Enter new marker here:", 10, 10, 200, 30, 7, 0);
  PrintAt(32, 50, "then click 'OK' button.");
  const std::string offered = LastInsertedMarker > 0 && LastInsertedMarker <= 255
                                  ? rt::macRomanChar(uint8_t(LastInsertedMarker)) : std::string();
  rt::FBEditField(kField, offered, {210, 8, 246, 32}, 3, 1);
  rt::setEditFont(kField, KestrixFont, 16, 1);
  // Beside the standard markers: at the right of the instruction it covered its last word.
  rt::FBButton(kMarkerOK, 1, "New Marker OK", {150, 98, 316, 122}, 1);
  if (nCases[f] > ScreenWidth) PrintAt(16, 80, "Shift screens with the 'arrow' keys");
  BuildBOX(3, 98, 140, 245);
  SetTextStyle(KestrixFont, 14, 0);
  buildef(1, 31, "'standard' markers", 10, 102, 136, 120, 7, 0);
  SetTextStyle(KestrixFont, 16, 0);
  for (int i = 0; i < 8; ++i) {
    const int x = 12 + (i % 2) * 62, y = 126 + (i / 2) * 29;
    rt::FBButton(kFirstStandard + i, 1, rt::macRomanChar(kStandard[i]), {x, y, x + 54, y + 24}, 1);
  }
  rt::selectEditField(kField, 0, 999);
}

// The character in field 101 becomes the marker; one outside Mac Roman is refused and the
// one in use stays.
bool takeCharacter() {
  const auto code = markers::codeOf(rt::editTextIn(kResults, kField));
  if (!code) {
    bzot();
    return false;
  }
  ThisMarkerCharacter = *code;
  return true;
}

bool standardButton(int a, int id) {
  if (a != 1 || id < kFirstStandard || id > kLastStandard) return false;
  rt::setEditTextIn(kResults, kField, rt::macRomanChar(kStandard[id - kFirstStandard]));
  return true;
}

// First phase: the character. False when the window was closed before one was taken.
bool chooseCharacter() {
  for (;;) {
    const auto [a, id] = takeAction();
    if (standardButton(a, id)) continue;
    if ((a == 1 && id == kMarkerOK) || (a == 16 && id == 13)) {
      if (takeCharacter()) return true;
    } else if (a == 4 && id == kResults) {
      return false;
    }
  }
}

// Second phase: clicks in the plot drop markers (MarkerMOUSE) until Done or the close box.
void placeMarkers(int f) {
  rt::setOutputWindow(kResults);
  rt::FBButton(kDoneMarkers, 1, "Done With Markers; Exit", {150, 212, 316, 238}, 1);
  rt::setHandler(rt::Vector::Mouse, MarkerMOUSE);
  PlotDialogMode = 0;
  HelpSubject = 185;
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  int lastX = -1;
  for (;;) {
    rt::FBHandleEvents();
    pick::followPointer(f, lastX);
    const int a = action, id = eventID;
    if (a == 16 && (id == 28 || id == 29)) {
      PlotDialogMode = 2;
      HandlePlotDIALOG();
    } else if (SliderEvent || (a == 1 && id == kPageChange)) {
      PlotDialogMode = 0;
      HandlePlotDIALOG();
    } else if (standardButton(a, id)) {
    } else if ((a == 1 && id == kMarkerOK) || (a == 16 && id == 13)) {
      if (takeCharacter() && prefsArray[7]) PlaySound("brrrp.mp3");
    } else if ((a == 1 && id == kDoneMarkers) || (a == 4 && id == kResults)) {
      break;
    }
    SliderEvent = 0;
    PlotDialogMode = 0;
    action = eventID = 0;
  }
  action = eventID = 0;
}

}  // namespace

void InsertMarker() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  const SavedViews views = enterPagedView(f);
  HideTheToolBar();
  ch = ActiveChannel;
  {
    SavedHandlers handlers;
    installModalHandlers();
    action = eventID = 0;
    buildWindow(f);
    // The close box in the first phase ends the mode with nothing placed.
    if (chooseCharacter()) placeMarkers(f);
  }
  const auto code = markers::codeOf(rt::editTextIn(kResults, kField));
  LastInsertedMarker = code ? *code : 0;
  EndBeep();
  rt::closeWindow(kResults);
  SortMARKERS();
  leavePagedView(f, views);
  PlotDialogMode = 0;
  PlotForward();
}

}  // namespace qv
