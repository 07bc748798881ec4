// Edit > Interactive Spike Removal: clicks on the plot repair the active channel, one sample
// (spike mode) or a span (linearizing mode); the last repair can be rejected once.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/backup_cache.h"
#include "core/colors.h"
#include "core/cursors.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/menus.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/paged_view.h"
#include "editing/spike_repair.h"
#include "editing/spike_window.h"
#include "output/output.h"
#include "plot/block_geometry.h"
#include "plot/block_support.h"
#include "plot/marker_order.h"
#include "plot/pick_tracking.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kToolWindow = 4, kWarningWindow = 1166, kPageChange = -kPlotSlider, kReadoutField = 54;
// Channel radio buttons are 1..40.
constexpr int kSpikeModeRadio = 41, kLinearModeRadio = 42, kMarkersBox = 43, kConserveBox = 44;
constexpr int kPassPopup = 45, kDoneButton = 46, kHelpButton = 47, kCountField = 101;
constexpr int kPassMenu = 60, kUndoItem = 1;
constexpr int kDeleteKey = 8, kReturnKey = 13, kLeftKey = 28, kRightKey = 29, kUpKey = 30, kDownKey = 31;
constexpr int16_t kHelpOfWindow = 182, kHelpOfButton = 258;
constexpr int32_t kOpenSpan = 200, kCloseSpan = 199;
constexpr rt::Rect kIconBefore{8, 160, 140, 240}, kIconAfter{182, 160, 314, 240};

using MarkerRecord = std::array<int32_t, 3>;

// The last repair, to be rejected once.
struct LastRepair {
  int16_t channel = 0;
  repair::Repair r;
  bool addedMarkers = false;
  std::vector<MarkerRecord> markersBefore;
};

struct Session {
  int f = 0;
  int16_t backedUp = 0;
  int32_t rspk = 0;
  bool anyChange = false;
  std::optional<LastRepair> last;
  bool rejected = false;
  int64_t firstEnd = 0;  // the first end of a span picked by a click (0: none yet)
};

Session* gSession = nullptr;

}  // namespace

int16_t DoSlant = 0, spikeInterpMarkers = 0, CVX2 = 2;

namespace {

void SpkAvj2(const Session& s) {
  if (!rt::windowExists(kToolWindow)) return;
  rt::setEditTextIn(kToolWindow, kCountField, "number of spikes removed:" + rt::PSstrLong(s.rspk));
  const int win = plot::kPlotWindowBase + s.f;
  if (rt::windowExists(win)) rt::bringWindowForward(win);
}

std::vector<MarkerRecord> markerList(int f) {
  const int32_t n = std::clamp<int32_t>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  std::vector<MarkerRecord> m(size_t(n) + 1, MarkerRecord{0, 0, 0});
  for (int32_t k = 1; k <= n; ++k) m[size_t(k)] = {MarkersArray[f][k][0], MarkersArray[f][k][1], MarkersArray[f][k][2]};
  return m;
}

void putMarkerList(int f, const std::vector<MarkerRecord>& m) {
  const int32_t n = int32_t(m.size()) - 1;
  for (int32_t k = 1; k <= n; ++k)
    for (int w = 0; w < 3; ++w) MarkersArray[f][k][w] = m[size_t(k)][size_t(w)];
  FileSHORTS[f][kMarkerCountWord] = int16_t(n);
  MakeInterpolationRecord();
}

void redrawPlot(const Session& s) {
  raiseDataGeneration(s.f);
  ChangedChan = ActiveChannel;
  if (!rt::windowExists(plot::kPlotWindowBase + s.f)) return;
  DrawPlot(0, 0, 0, 1);
}

// Runs a repair on the active channel; the undo copy is taken first when this channel is not
// the one last backed up (the repair is made on the copy's data again).
template <class Op>
std::optional<repair::Repair> repairWithBackup(Session& s, Op op) {
  const int16_t ch = ActiveChannel;
  const std::span<float> x = channelSamples(s.f, ch);
  auto r = op(x);
  if (!r) return r;
  if (s.backedUp != ch) {
    repair::undo(x, *r);
    MAKEBACKUP(ch);
    LastChan = ch;
    s.backedUp = ch;
    r = op(x);
  }
  s.anyChange = true;
  return r;
}

void noteRepair(Session& s, repair::Repair r, bool addedMarkers, std::vector<MarkerRecord> before) {
  s.last = LastRepair{ActiveChannel, std::move(r), addedMarkers, std::move(before)};
  s.rejected = false;
  ++s.rspk;
  FileSHORTS[s.f][kChangeMarkWord] = 1;
  redrawPlot(s);
  SpkAvj2(s);
}

void spikeClick(Session& s, int32_t kase) {
  auto r = repairWithBackup(s, [&](std::span<float> x) { return repair::repairSpike(x, kase); });
  if (!r) return;
  if (prefsArray[7] >= 26) PlaySound("tick.mp3");
  noteRepair(s, std::move(*r), false, {});
}

// A pair of interpolation markers round the span, sorted in; none past the list's room.
bool addSpanMarkers(int f, repair::Span sp) {
  const int32_t n = std::clamp<int32_t>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  if (n + 2 > kMaxMarkers) {
    Warn(kWarningWindow, "Spike Removal: ", {"The file has no room for two more markers (" + std::to_string(kMaxMarkers) + ").",
                                             "The span was repaired without interpolation markers."});
    return false;
  }
  MarkersArray[f][n + 1][1] = sp.a;
  MarkersArray[f][n + 1][2] = kOpenSpan;
  MarkersArray[f][n + 2][1] = sp.b;
  MarkersArray[f][n + 2][2] = kCloseSpan;
  FileSHORTS[f][kMarkerCountWord] = int16_t(n + 2);
  SortMARKERS();
  MakeInterpolationRecord();
  return true;
}

void applySpan(Session& s, int64_t first, int64_t second) {
  const int f = s.f;
  const auto sp = repair::spanOf(first, second, nCases[f]);
  if (!sp) return;
  const bool conserve = prefsArray[43] != 0;
  auto r = repairWithBackup(s, [&](std::span<float> x) {
    return conserve ? repair::conserveFill(x, *sp, CVX2) : repair::linearize(x, *sp);
  });
  if (!r) return;
  std::vector<MarkerRecord> before;
  bool added = false;
  if (spikeInterpMarkers) {
    before = markerList(f);
    added = addSpanMarkers(f, *sp);
  }
  noteRepair(s, std::move(*r), added, added ? std::move(before) : std::vector<MarkerRecord>{});
}

void rejectLast(Session& s) {
  if (!s.last || s.rejected) return;
  const LastRepair& l = *s.last;
  if (l.channel < 1 || l.channel > nChannels[s.f]) return;
  repair::undo(channelSamples(s.f, l.channel), l.r);
  if (l.addedMarkers) putMarkerList(s.f, l.markersBefore);
  s.rejected = true;
  --s.rspk;
  Rip();
  redrawPlot(s);
  if (s.rspk > 0) SpkAvj2(s);
  else if (rt::windowExists(kToolWindow)) rt::setEditTextIn(kToolWindow, kCountField, "");
}

// The case under window x of the plot, as the view maps it (0 and past the data included).
int64_t rawCaseAt(int f, int x) { return plot::caseUnder(plot::blockViewOfSlot(f), x); }

void showReadout(int f, int x) {
  const int win = plot::kPlotWindowBase + f;
  if (!rt::controlExistsIn(win, kReadoutField)) return;
  const int64_t c = std::clamp<int64_t>(rawCaseAt(f, x), 1, nCases[f]);
  rt::setEditTextIn(win, kReadoutField,
                    " #" + rt::PSstrLong(c) + ";  " + rt::PSstr(double(c) * FileInfoFLOATS[f][1]) + " s");
}

void bandTo(int f, int from, int to) {
  const int win = plot::kPlotWindowBase + f;
  rt::setOutputWindow(win);
  rt::invertRect({std::min(from, to), 20, std::max(from, to) + 1, BottomOfPlotArea});
}

// Linearizing mode: a click sets one end, a drag both.
void spanPress(Session& s, int pressX) {
  const int f = s.f;
  const int win = plot::kPlotWindowBase + f;
  if (FileSHORTS[f][kBlockStateWord] != 3) lobeep();
  int lastX = pressX;
  bandTo(f, pressX, pressX);
  while (rt::Button()) {
    rt::trackingPump();
    const int x = rt::pointerIn(win).x;
    if (x == lastX) continue;
    bandTo(f, pressX, lastX);
    bandTo(f, pressX, x);
    lastX = x;
    showReadout(f, x);
  }
  bandTo(f, pressX, lastX);
  const int releaseX = rt::pointerIn(win).x;
  if (releaseX == pressX) {
    const int64_t c = rawCaseAt(f, pressX);
    if (s.firstEnd == 0) {
      s.firstEnd = std::max<int64_t>(c, 1);
      if (prefsArray[7]) PlaySound("lobeep.mp3");
      return;
    }
    if (prefsArray[7]) PlaySound("hibeep.mp3");
    const int64_t first = s.firstEnd;
    s.firstEnd = 0;
    applySpan(s, first, c);
    return;
  }
  s.firstEnd = 0;
  if (prefsArray[7]) PlaySound("lobeep.mp3");
  if (prefsArray[7]) PlaySound("hibeep.mp3");
  applySpan(s, rawCaseAt(f, std::min(pressX, releaseX)), rawCaseAt(f, std::max(pressX, releaseX)));
}

void SelectSpikeWithMouse() {
  Session* s = gSession;
  if (!s) return;
  const int f = s->f;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || rt::mouseWindow() != win) return;
  const rt::Point at = rt::mousePoint();
  if (at.x < 1 || at.y < 20 || at.y >= BottomOfPlotArea) return;
  if (DoSlant == 0) {
    // A click outside the cases shown repairs nothing.
    const int64_t c = rawCaseAt(f, at.x);
    if (c >= 1 && c <= nCases[f]) spikeClick(*s, int32_t(c));
    return;
  }
  spanPress(*s, at.x);
}

// Delete, Return, the arrows and the help keys come to the loop; other keys are dropped.
void SpikeKeys() {
  const int code = rt::editKeyCode();
  switch (code) {
    case kDeleteKey:
    case kReturnKey:
    case kLeftKey:
    case kRightKey:
    case kUpKey:
    case kDownKey:
    case '/':
    case '?':
      action = 16;
      eventID = int16_t(code);
      rt::rejectEditKey();
      break;
    default: break;
  }
}

// Edit > Undo rejects the last repair as Delete does; the help and calculators stay at hand.
void SpikeMenu() {
  if (rt::menuNumber() == kEditMenu && rt::menuItemNumber() == kUndoItem) {
    action = 16;
    eventID = kDeleteKey;
    return;
  }
  ShowSpecificHelpWindow();
}

// The mode picture: a trace before and after the repair, the same every time.
void SLANTICON() {
  if (!rt::windowExists(kToolWindow)) return;
  rt::setOutputWindow(kToolWindow);
  std::mt19937 gen(29);
  std::uniform_real_distribution<float> noise(-6.0f, 6.0f);
  constexpr int kPoints = 24;
  std::array<float, kPoints> y{};
  for (float& v : y) v = 200.0f + noise(gen);
  std::array<float, kPoints> before = y, after = y;
  if (DoSlant == 0) {
    before[12] = 172.0f;
  } else {
    for (int i = 8; i <= 16; ++i) before[size_t(i)] = 214.0f + noise(gen) * 0.5f;
    for (int i = 8; i <= 16; ++i) after[size_t(i)] = y[8] + (y[16] - y[8]) * float(i - 8) / 8.0f;
  }
  for (const rt::Rect& box : {kIconBefore, kIconAfter}) {
    rt::eraseRect(box);
    rt::foreColor(RGBblack);
    rt::frameRect(box);
  }
  auto trace = [](const rt::Rect& box, const std::array<float, kPoints>& v, int redFrom, int redTo) {
    for (int i = 1; i < kPoints; ++i) {
      rt::foreColor(i > redFrom && i <= redTo ? RGBred : RGBblack);
      rt::moveTo(box.left + 6 + (i - 1) * 5, int(v[size_t(i) - 1]));
      rt::lineTo(box.left + 6 + i * 5, int(v[size_t(i)]));
    }
  };
  trace(kIconBefore, before, -1, -1);
  trace(kIconAfter, after, DoSlant ? 8 : -1, DoSlant ? 16 : -1);
  rt::foreColor(RGBred);
  rt::penSize(2, 2);
  rt::moveTo(146, 200);
  rt::lineTo(174, 200);
  rt::moveTo(166, 194);
  rt::lineTo(174, 200);
  rt::lineTo(166, 206);
  rt::penNormal();
  rt::foreColor(RGBblack);
}

void showModeControls() {
  rt::setButtonStateIn(kToolWindow, kSpikeModeRadio, DoSlant ? 1 : 2);
  rt::setButtonStateIn(kToolWindow, kLinearModeRadio, DoSlant ? 2 : 1);
  rt::setButtonStateIn(kToolWindow, kMarkersBox, DoSlant ? (spikeInterpMarkers ? 2 : 1) : 0);
  rt::setButtonStateIn(kToolWindow, kConserveBox, DoSlant ? (prefsArray[43] ? 2 : 1) : 0);
}

void buildInteractiveWindow() {
  OpenResultsWindow(0, 0, "Spike Removal", 0);
  wssst();
  rt::setOutputWindow(kToolWindow);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(8, 18, " To remove spikes in the plot, click on them");
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(8, 34, "    [ DELETE key or UNDO rejects the last CASE ]");
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kSpikeModeRadio, 1, "Spike Mode", {8, 44, 200, 62}, 3);
  rt::FBButton(kLinearModeRadio, 1, "Data Linearizing Mode", {8, 64, 220, 82}, 3);
  rt::FBButton(kMarkersBox, 0, "Interpolation Markers", {8, 88, 220, 106}, 2);
  rt::FBButton(kConserveBox, 0, "Conserve Variation:", {8, 110, 166, 128}, 2);
  SpikeRemovalPopup(kPassMenu);
  rt::FBAppearanceButton(kPassPopup, 1, CVX2, kPassMenu, 0, "", {170, 108, 314, 128}, rt::kControlPopupButton);
  EFForeColor = EFBackColor = 1;
  buildef(1, kCountField, "", 8, 134, 314, 152, 7, 0);
  rt::setEditColors(kCountField, RGBred, RGBwhite);
  DrawChannelButtons(260);
  rt::setOutputWindow(kToolWindow);
  rt::setButtonStateIn(kToolWindow, ActiveChannel, 2);
  rt::FBButton(kHelpButton, 1, " ?", {8, 318, 40, 338}, 1);
  rt::FBButton(kDoneButton, 1, "Done", {240, 318, 314, 338}, 4);
  showModeControls();
  SLANTICON();
}

// The tool window's own controls; true when the window ends.
bool toolWindowEvent(int a, int id) {
  if (a == 4 && id == kToolWindow) return true;
  if (a != 1) return false;
  const int f = TheFileInUse;
  if (id >= 1 && id <= nChannels[f] && id <= kMaxChannels) {
    rt::setButtonStateIn(kToolWindow, ActiveChannel, 1);
    ActiveChannel = int16_t(id);
    ShiftChannelsSpikeMode();
    rt::setButtonStateIn(kToolWindow, id, 2);
    if (gSession) gSession->firstEnd = 0;
    return false;
  }
  switch (id) {
    case kDoneButton: return true;
    case kSpikeModeRadio:
    case kLinearModeRadio:
      DoSlant = id == kLinearModeRadio ? 1 : 0;
      if (gSession) gSession->firstEnd = 0;
      showModeControls();
      SLANTICON();
      EndBeep();
      break;
    case kMarkersBox:
      spikeInterpMarkers = spikeInterpMarkers ? 0 : 1;
      showModeControls();
      break;
    case kConserveBox:
      prefsArray[43] = prefsArray[43] ? 0 : 1;
      showModeControls();
      break;
    case kPassPopup: {
      const int v = rt::controlValueIn(kToolWindow, kPassPopup);
      if (v >= 1 && v <= 5) CVX2 = int16_t(v);
      break;
    }
    case kHelpButton:
      HelpSubject = kHelpOfButton;
      OpenHelpBook();
      break;
    default: break;
  }
  return false;
}

void stepChannel(int by) {
  const int16_t was = ActiveChannel;
  ActiveChannel = int16_t(ActiveChannel + by);
  ShiftChannelsSpikeMode();
  if (rt::windowExists(kToolWindow)) {
    rt::setButtonStateIn(kToolWindow, was, 1);
    rt::setButtonStateIn(kToolWindow, ActiveChannel, 2);
  }
  if (gSession) gSession->firstEnd = 0;
}

void runLoop(Session& s) {
  int lastX = -1;
  for (;;) {
    rt::FBHandleEvents();
    pick::followPointer(s.f, lastX);
    const int a = action, id = eventID;
    bool done = false;
    if (a == 16 && (id == kLeftKey || id == kRightKey)) {
      PlotDialogMode = 2;
      HandlePlotDIALOG();
    } else if (SliderEvent || (a == 1 && id == kPageChange)) {
      PlotDialogMode = 0;
      HandlePlotDIALOG();
    } else if (a == 16 && id == kDeleteKey) {
      rejectLast(s);
    } else if (a == 16 && (id == kUpKey || id == kDownKey)) {
      stepChannel(id == kUpKey ? 1 : -1);
    } else if (a == 16 && (id == '/' || id == '?')) {
      HelpSubject = kHelpOfButton;
      OpenHelpBook();
    } else if (a == 16 && id == kReturnKey) {
      done = true;
    } else if (a != 0) {
      done = toolWindowEvent(a, id);
    }
    SliderEvent = 0;
    PlotDialogMode = 0;
    action = eventID = 0;
    if (done) return;
  }
}

void logSession(const Session& s) {
  if (s.rspk <= 0 && !s.anyChange) return;
  logEdit(0, ActiveChannel, std::string("manual spike removal (") + (DoSlant ? "linearizing);" : "single-point);") +
                                rt::PSstrLong(s.rspk) + (s.rspk < 2 ? " spike removed" : " spikes removed"));
}

}  // namespace

// The automatic window that leads here puts its own multi-channel view back afterwards.
void IntREMOVESPIKE(int16_t) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  const int win = plot::kPlotWindowBase + f;
  if (!rt::windowExists(win)) return;
  HelpSubject = kHelpOfWindow;
  rt::bringWindowForward(win);
  // The block and the histogram are hidden while the window is up.
  const int16_t blockState = FileSHORTS[f][kBlockStateWord];
  const int16_t histogram = PlotAsHistogram;
  FileSHORTS[f][kBlockStateWord] = 0;
  PlotAsHistogram = 0;
  const SavedViews views = enterPagedView(f);
  if (blockState == 2 || histogram) DrawPlot(0, 0, 0, 1);
  if (DsLx == 0) DoSlant = 0;
  if (CVX2 < 1 || CVX2 > 5) CVX2 = 2;
  Session s;
  s.f = f;
  {
    SavedHandlers handlers;
    installModalHandlers();
    rt::setHandler(rt::Vector::Mouse, SelectSpikeWithMouse);
    rt::setHandler(rt::Vector::Edit, SpikeKeys);
    rt::setHandler(rt::Vector::Menu, SpikeMenu);
    action = eventID = 0;
    buildInteractiveWindow();
    rt::bringWindowForward(win);
    gSession = &s;
    runLoop(s);
    gSession = nullptr;
  }
  PlotAsHistogram = histogram;
  FileSHORTS[f][kBlockStateWord] = blockState;
  logSession(s);
  rt::closeWindow(kToolWindow);
  if (s.anyChange) finishEdit(ActiveChannel);
  leavePagedView(f, views);
  RestoreTheToolBar();
  rt::setCursor(rt::Cursor::Arrow);
  action = eventID = 0;
}

}  // namespace qv
