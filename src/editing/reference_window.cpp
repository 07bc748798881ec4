// Edit > Remove References... (script step 40).
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/backup_cache.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/references.h"
#include "output/output.h"
#include "plot/level_pick.h"
#include "plot/marker_order.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kReferenceStep = 40;
constexpr int kToolWindow = 4, kPlotWindowBase = 1000, kWarningWindow = 1166;
constexpr int kDownRadio = 1, kUpRadio = 2, kInterpolateRadio = 3, kFixedRadio = 4, kMarkersBox = 5;
constexpr int kCursorButton = 6, kBlockBox = 7, kUndoButton = 8, kDoneButton = 9, kFixButton = 10;
constexpr int kHelpButton = 11, kLeftExtraRadio = 12, kLeftMarkerRadio = 13, kRightExtraRadio = 14;
constexpr int kRightMarkerRadio = 15;
constexpr int kCutoffField = 111, kLeftExtraField = 112, kFixedField = 113, kRightExtraField = 114;
constexpr int kNoticeField = 116;
constexpr int16_t kHelpSubject = 181;
constexpr int16_t kOpenSpan = 200, kCloseSpan = 199;
// Step words.
constexpr int kWordDown = 4, kWordInterpolate = 5, kWordCutoff = 6, kWordLeftOut = 7, kWordFixed = 8;
constexpr int kWordLeftExtra = 9, kWordRightExtra = 10, kWordMarkers = 11;
constexpr const char* kTitle = "Reference Removal";

struct Session {
  int f = 0;
  int16_t ch = 0;
  refs::Settings s;
  bool block = false;
  bool backedUp = false;
  std::vector<refs::Stretch> table;  // the stretches fixed since opening (or the last Undo)
  std::vector<std::array<int32_t, 3>> markersAtEntry;
};

std::vector<int32_t> markerCases(int f) {
  std::vector<int32_t> cases;
  const int32_t n = std::clamp<int32_t>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  cases.reserve(size_t(n));
  for (int32_t k = 1; k <= n; ++k) cases.push_back(MarkersArray[f][k][1]);
  std::sort(cases.begin(), cases.end());
  return cases;
}

void keepMarkers(Session& r) {
  const int32_t n = std::clamp<int32_t>(FileSHORTS[r.f][kMarkerCountWord], 0, kMaxMarkers);
  r.markersAtEntry.assign(size_t(n) + 1, {0, 0, 0});
  for (int32_t k = 1; k <= n; ++k)
    for (int w = 0; w < 3; ++w) r.markersAtEntry[size_t(k)][size_t(w)] = MarkersArray[r.f][k][w];
}

void restoreMarkers(const Session& r) {
  const int32_t n = int32_t(r.markersAtEntry.size()) - 1;
  for (int32_t k = 1; k <= n; ++k)
    for (int w = 0; w < 3; ++w) MarkersArray[r.f][k][w] = r.markersAtEntry[size_t(k)][size_t(w)];
  FileSHORTS[r.f][kMarkerCountWord] = int16_t(n);
  MakeInterpolationRecord();
}

void setNotice(const std::string& text) {
  if (rt::windowExists(kToolWindow) && rt::controlExistsIn(kToolWindow, kNoticeField))
    rt::setEditTextIn(kToolWindow, kNoticeField, text);
}

std::optional<double> fieldNumber(int field, const std::string& what) {
  if (const auto v = typedNumber(rt::editTextIn(kToolWindow, field))) return v;
  Warn(kWarningWindow, "Reference Removal: ", {"The " + what + " must be a number.", "Nothing was fixed: correct it and try again."});
  return std::nullopt;
}

std::optional<int32_t> typedExtra(int field, const std::string& side) {
  const auto v = fieldNumber(field, "count of extra cases on the " + side);
  if (!v) return std::nullopt;
  if (*v != std::trunc(*v) || *v < 0 || *v > refs::kMostExtra) {
    Warn(kWarningWindow, "Reference Removal: ", {"The extra cases on the " + side + " must be a whole number from 0 to" +
                                                  rt::PSstrLong(refs::kMostExtra) + ".",
                                              "Nothing was fixed: correct it and try again."});
    return std::nullopt;
  }
  return int32_t(*v);
}

bool readWindowSettings(Session& r) {
  const auto cutoff = fieldNumber(kCutoffField, "cutoff");
  const auto left = cutoff ? typedExtra(kLeftExtraField, "left") : std::nullopt;
  const auto right = left ? typedExtra(kRightExtraField, "right") : std::nullopt;
  const auto fixed = right ? fieldNumber(kFixedField, "fixed value") : std::nullopt;
  if (!fixed) return false;
  r.s.cutoff = float(*cutoff);
  r.s.leftExtra = *left;
  r.s.rightExtra = *right;
  r.s.fixedValue = float(*fixed);
  return true;
}

// Appends a marker pair for each stretch while the list has room for both; false when a pair
// did not fit.
bool insertMarkers(int f, std::span<const refs::Stretch> done) {
  bool allFitted = true, added = false;
  for (const refs::Stretch& st : done) {
    const int32_t n = FileSHORTS[f][kMarkerCountWord];
    if (n + 2 > kMaxMarkers) {
      allFitted = false;
      break;
    }
    MarkersArray[f][n + 1][1] = st.left;
    MarkersArray[f][n + 1][2] = kOpenSpan;
    MarkersArray[f][n + 2][1] = st.right;
    MarkersArray[f][n + 2][2] = kCloseSpan;
    FileSHORTS[f][kMarkerCountWord] = int16_t(n + 2);
    added = true;
  }
  if (added) {
    SortMARKERS();
    MakeInterpolationRecord();
  }
  return allFitted;
}

void logFix(const Session& r, int64_t skipped) {
  std::string words = "reference removal; ";
  words += r.s.downwards ? "downgoing; " : "\tupgoing; ";
  words += r.s.interpolate ? "\rinterpolate, " : "\rreplace with " + rt::PSstr(r.s.fixedValue) + "; ";
  words += "\tcutoff = " + rt::PSstr(r.s.cutoff);
  if (skipped > 0) words += ";" + rt::PSstrLong(skipped) + " left as they were (no edge)";
  logEdit(0, r.ch, words);
}

// Finds the stretches of this press, rewrites every stretch of the table, marks the new ones.
void fixReferences(Session& r, bool replaying) {
  const int f = r.f;
  if (!replaying && !readWindowSettings(r)) return;
  if (prefsArray[7]) PlaySound("upvip.mp3", "DIduzodu");
  int32_t start = 1, end = nCases[f];
  if (r.block && FileSHORTS[f][kBlockStateWord] == 2) {
    start = std::max(BeginBlock[f], 1);
    end = std::min(EndBlock[f], nCases[f]);
  }
  end -= r.s.leftOut;
  const std::span<float> x = channelSamples(f, r.ch);
  const std::vector<int32_t> marks = markerCases(f);
  const refs::Found found =
      refs::findStretches(x, start, end, r.s, marks, refs::kMostStretches - std::min(r.table.size(), refs::kMostStretches));
  int64_t skipped = found.skipped;
  if (r.table.empty() && found.stretches.empty()) {
    setNotice(skipped > 0 ? rt::PSstrLong(skipped) + " stretches left: no marker beyond them" : " No reference readings found");
    return;
  }
  if (!r.backedUp) {
    MAKEBACKUP(r.ch);
    LastChan = r.ch;
    r.backedUp = true;
  }
  r.table.insert(r.table.end(), found.stretches.begin(), found.stretches.end());
  std::vector<refs::Stretch> newlyFixed;
  const size_t firstNew = r.table.size() - found.stretches.size();
  for (size_t k = 0; k < r.table.size(); ++k) {
    const auto done = refs::replaceStretch(x, r.table[k], r.s);
    if (!done) {
      if (k >= firstNew) ++skipped;
      continue;
    }
    if (k >= firstNew) newlyFixed.push_back(*done);
  }
  bool markersFitted = true;
  if (r.s.markers && !newlyFixed.empty()) markersFitted = insertMarkers(f, newlyFixed);
  finishEdit(r.ch);
  if (FileSHORTS[f][kBlockStateWord] == 2) RefreshPLOTBLOCK(0);
  logFix(r, skipped);
  std::string notice = rt::PSstrLong(int64_t(newlyFixed.size())) + " stretches fixed";
  if (skipped > 0) notice += "," + rt::PSstrLong(skipped) + " left (no edge)";
  if (found.full) notice += "; the table is full";
  setNotice(notice);
  if (!markersFitted && !replaying)
    Warn(kWarningWindow, "Reference Removal: ", {"The file has no room for more markers (" + std::to_string(kMaxMarkers) + ").",
                                              "The readings were fixed; some stretches have no interpolation markers."});
  if (rt::windowExists(kToolWindow)) rt::bringWindowForward(kToolWindow);
}

void undoFixes(Session& r) {
  if (!r.backedUp) return;
  UNDO();
  restoreMarkers(r);
  r.table.clear();
  r.backedUp = false;
  const int f = r.f;
  const bool shown = rt::windowExists(kPlotWindowBase + f);
  if (shown && FileSHORTS[f][kViewModeWord] != 0) {
    DrawALLCHANNELS(int16_t(LastChan));
    RefreshPLOTBLOCK(int16_t(LastChan));
  } else if (shown && LastChan == ActiveChannel) {
    DrawPlot(0, 0, 0, 1);
  }
  setNotice("");
  if (rt::windowExists(kToolWindow)) rt::bringWindowForward(kToolWindow);
  rt::setCursor(rt::Cursor::Arrow);
}

void setPair(int on, int off) {
  rt::setButtonStateIn(kToolWindow, on, 2);
  rt::setButtonStateIn(kToolWindow, off, 1);
}

void buildReferenceWindow(const Session& r) {
  const int f = r.f;
  OpenResultsWindow(0, 0, kTitle, 0);
  wssst();
  rt::setOutputWindow(kToolWindow);
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(8, 18, "  Channel" + rt::PSstrLong(r.ch) + ":  " + RetrieveLabel(r.ch));
  for (const rt::Rect& box : {rt::Rect{4, 26, 318, 98}, rt::Rect{4, 102, 159, 178}, rt::Rect{163, 102, 318, 178}})
    BuildBOX(int16_t(box.left), int16_t(box.top), int16_t(box.right), int16_t(box.bottom));
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = EFBackColor = 1;
  PrintAt(10, 42, "Reference measurements are:");
  rt::FBButton(kDownRadio, 2, "Downwards; Below:", {8, 50, 170, 68}, 3);
  rt::FBButton(kUpRadio, 1, "    Upwards; Above:", {8, 72, 170, 90}, 3);
  buildef(1, kCutoffField, "0", 180, 60, 310, 78, 3, 2);
  PrintAt(10, 118, "on left, include:");
  rt::FBButton(kLeftExtraRadio, 2, "", {8, 126, 26, 144}, 3);
  buildef(1, kLeftExtraField, rt::PSstrLong(FirstRefRemovalVal), 28, 126, 76, 144, 3, 2);
  PrintAt(80, 140, "extra cases");
  rt::FBButton(kLeftMarkerRadio, 1, " to Previous Marker", {8, 152, 157, 170}, 3);
  PrintAt(169, 118, "on right, include:");
  rt::FBButton(kRightExtraRadio, 2, "", {167, 126, 185, 144}, 3);
  buildef(1, kRightExtraField, rt::PSstrLong(SecondRefRemovalVal), 187, 126, 235, 144, 3, 2);
  PrintAt(239, 140, "extra cases");
  rt::FBButton(kRightMarkerRadio, 1, " to Next Marker", {167, 152, 316, 170}, 3);
  PrintAt(8, 196, "Replace reference data with:");
  rt::FBButton(kInterpolateRadio, 2, "Interpolated Values", {8, 200, 200, 218}, 3);
  rt::FBButton(kFixedRadio, 1, "Fixed Value:", {8, 220, 110, 238}, 3);
  buildef(1, kFixedField, "0", 112, 220, 190, 238, 3, 2);
  rt::FBButton(kMarkersBox, 1, "Insert Interpolation Markers", {8, 240, 260, 258}, 2);
  if (FileSHORTS[f][kBlockStateWord] == 2) rt::FBButton(kBlockBox, 1, "Fix Only Within Block", {8, 260, 200, 278}, 2);
  buildef(1, kNoticeField, "", 8, 280, 314, 296, 7, 0);
  rt::FBButton(kCursorButton, 1, "Set Reference Cutoff With Cursor", {8, 298, 250, 318}, 1);
  rt::FBButton(kHelpButton, 1, "?", {282, 298, 314, 318}, 1);
  rt::FBButton(kUndoButton, 1, "Undo", {8, 322, 70, 342}, 1);
  rt::FBButton(kFixButton, 1, "Fix References", {108, 322, 232, 342}, 1);
  rt::FBButton(kDoneButton, 1, "Done", {242, 322, 314, 342}, 4);
}

void runWindow(Session& r) {
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 4 && id == kToolWindow) || a == 16 || (a == 3 && id != kToolWindow)) return;
    if (a != 1) continue;
    switch (id) {
      case kDoneButton: return;
      case kDownRadio:
      case kUpRadio:
        r.s.downwards = id == kDownRadio;
        setPair(id, id == kDownRadio ? kUpRadio : kDownRadio);
        break;
      case kInterpolateRadio:
      case kFixedRadio:
        r.s.interpolate = id == kInterpolateRadio;
        setPair(id, id == kInterpolateRadio ? kFixedRadio : kInterpolateRadio);
        // The box keeps its tick while dimmed.
        rt::setButtonStateIn(kToolWindow, kMarkersBox, r.s.interpolate ? (r.s.markers ? 2 : 1) : 0);
        break;
      case kLeftExtraRadio:
      case kLeftMarkerRadio:
        r.s.leftToMarker = id == kLeftMarkerRadio;
        setPair(id, id == kLeftExtraRadio ? kLeftMarkerRadio : kLeftExtraRadio);
        break;
      case kRightExtraRadio:
      case kRightMarkerRadio:
        r.s.rightToMarker = id == kRightMarkerRadio;
        setPair(id, id == kRightExtraRadio ? kRightMarkerRadio : kRightExtraRadio);
        break;
      case kMarkersBox:
        r.s.markers = !r.s.markers;
        rt::setButtonStateIn(kToolWindow, kMarkersBox, r.s.markers ? 2 : 1);
        break;
      case kBlockBox:
        r.block = !r.block;
        rt::setButtonStateIn(kToolWindow, kBlockBox, r.block ? 2 : 1);
        break;
      case kCursorButton:
        rt::setEditTextIn(kToolWindow, kCutoffField, rt::PSstr(GetGscale(1)));
        fixReferences(r, false);
        break;
      case kFixButton: fixReferences(r, false); break;
      case kUndoButton: undoFixes(r); break;
      case kHelpButton: OpenHelpBook(); break;
      default: break;
    }
  }
}

void writeStepWords(int16_t target, const Session& r) {
  if (target < 1 || target > 40) return;
  float* w = ScriptSequenceArray[target];
  w[kWordDown] = r.s.downwards ? 1.0f : 0.0f;
  w[kWordInterpolate] = r.s.interpolate ? 1.0f : 0.0f;
  w[kWordCutoff] = r.s.cutoff;
  w[kWordLeftOut] = float(r.s.leftOut);
  w[kWordFixed] = r.s.fixedValue;
  w[kWordLeftExtra] = float(r.s.leftExtra);
  w[kWordRightExtra] = float(r.s.rightExtra);
  w[kWordMarkers] = r.s.markers ? 1.0f : 0.0f;
}

// A replayed step: whole file, extra-case edges, counts kept in range and a NaN as 0.
void readStepSettings(Session& r, int16_t step) {
  const float* w = ScriptSequenceArray[step];
  const int32_t n = nCases[r.f];
  r.s.downwards = refs::wordCount(w[kWordDown], -32768, 32767) != 0;
  r.s.interpolate = refs::wordCount(w[kWordInterpolate], -32768, 32767) != 0;
  r.s.cutoff = std::isnan(w[kWordCutoff]) ? 0.0f : w[kWordCutoff];
  r.s.leftOut = refs::wordCount(w[kWordLeftOut], 0, n);
  r.s.fixedValue = std::isnan(w[kWordFixed]) ? 0.0f : w[kWordFixed];
  r.s.leftExtra = refs::wordCount(w[kWordLeftExtra], 0, refs::kMostExtra);
  r.s.rightExtra = refs::wordCount(w[kWordRightExtra], 0, refs::kMostExtra);
  r.s.markers = refs::wordCount(w[kWordMarkers], -32768, 32767) != 0;
}

}  // namespace

void REMOVEREFS(int16_t step) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  HelpSubject = kHelpSubject;
  EditRun run(kReferenceStep);
  Session r;
  r.f = f;
  r.ch = ActiveChannel;
  keepMarkers(r);
  const bool replaying = stepSuppliesParameters(step, true);
  SavedHandlers savedHandlers;
  rt::closeWindow(kToolWindow);
  if (rt::windowExists(kPlotWindowBase + f)) rt::bringWindowForward(kPlotWindowBase + f);
  buildReferenceWindow(r);
  installModalHandlers();
  action = eventID = 0;
  if (replaying) {
    readStepSettings(r, step);
    fixReferences(r, true);
  } else {
    runWindow(r);
    // The counts typed are offered next time when they are counts.
    for (auto [field, kept] : {std::pair{kLeftExtraField, &FirstRefRemovalVal}, std::pair{kRightExtraField, &SecondRefRemovalVal}}) {
      const auto v = typedNumber(rt::editTextIn(kToolWindow, field));
      if (v && *v == std::trunc(*v) && *v >= 0 && *v <= refs::kMostExtra) *kept = int16_t(*v);
    }
  }
  // A recorded step stays only while fixes stand; a replayed one keeps the values used.
  if (run.step() >= 1 && !r.table.empty()) {
    writeStepWords(run.step(), r);
    run.complete();
  } else if (run.step() == 0 && step >= 1 && step <= 40) {
    writeStepWords(step, r);
  }
  closeToolWindows();
  RestoreTheToolBar();
  action = eventID = 0;
}

}  // namespace qv
