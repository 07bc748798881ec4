// The time-scale windows: the merge's choice of interval (200), "Adjust Time Scale..." (20)
// and the refusal of a file that would grow past the table's capacity (21).
#include <algorithm>

#include "core/help.h"
#include "core/colors.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_constants.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/warning.h"
#include "datafiles/datafiles.h"
#include "datafiles/merge_windows.h"
#include "datafiles/resample.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kHelpButton = 1, kOriginal = 2, kNew = 3, kAdjust = 4, kProceed = 6;
constexpr int kCancel = 1, kOk = 2, kCopyFirst = 3, kTimeHelp = 4, kIntervalField = 21;

void buildIntervalWindow(float original, float second) {
  BuildWINDOW(kMergeIntervalWindow, "Time Scale Adjustment", 220, 140, 700, 400, 6);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(129, 20, 60);
  SetTextStyle(KestrixFont, 18, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(62, 44, "Caution: ");
  rt::foreColor(RGBblack);
  rt::drawString(" different sample intervals!");
  SetTextStyle(KestrixFont, 13, 0);
  rt::FBButton(kOriginal, 2, "  Use Original Interval: " + rt::PSstr(original) + " sec", {62, 80, 440, 100}, 3);
  rt::FBButton(kNew, 1, "  Use New Interval: " + rt::PSstr(second) + " sec", {62, 110, 440, 130}, 3);
  rt::FBButton(kAdjust, 1, "  Adjust New Data to Original Sample Interval", {62, 140, 440, 160}, 3);
  rt::FBButton(kHelpButton, 1, "?", {62, 200, 92, 224}, 1);
  rt::FBButton(kProceed, 1, "Proceed", {330, 200, 440, 224}, 4);
}

void buildTimeScaleWindow(float interval) {
  BuildWINDOW(kTimeScaleWindow, "Time Scale Adjustment", 200, 120, 680, 440, 6);
  WARNINGSTRIPES(1, 10, 33, 6);
  if (!prefsArray[48]) PlaySound("bzot.mp3");
  DrawIcon(129, 20, 60);
  SetTextStyle(KestrixFont, 16, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(62, 44, "Caution:  ");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 13, 0);
  rt::drawString("time scale adjustment is not undo-able.  ");
  PrintAt(62, 64, "If you time-adjust and then save the file, your data will be");
  PrintAt(62, 82, "permanently altered.");
  PrintAt(62, 106, bullet + "  You might  want to save a copy first...");
  PrintAt(62, 150, "Current sample interval is " + rt::PSstr(interval) + " sec");
  PrintAt(62, 184, "New sample interval:");
  buildef(1, kIntervalField, rt::PSstr(interval), 210, 170, 300, 188, 0, 2);
  PrintAt(308, 184, "sec");
  rt::FBButton(kTimeHelp, 1, "?", {62, 260, 92, 284}, 1);
  rt::FBButton(kCopyFirst, 1, "Make a Copy First", {110, 260, 260, 284}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {270, 260, 350, 284}, 1);
  rt::FBButton(kOk, 1, "OK: Adjust", {360, 260, 460, 284}, 4);
  rt::selectEditField(kIntervalField, 0, 32767);
}

void logAdjustment(int f, float oldInterval, float newInterval) {
  if (prefsArray[44] == 0) return;
  EditRecord = "\r   *** Time scale adjustment ***\r";
  CommentContainer[f] += EditRecord + "            old sample interval" + rt::PSstr(oldInterval) + " sec;  " +
                         "new sample interval" + rt::PSstr(newInterval) + " sec\r";
}

}  // namespace

void TimeScaleWarning(int16_t mode) {
  bzot();
  WarningSpec s;
  s.window = kTooManyCasesWindow;
  s.title = "Too Many Cases";
  s.heading = "Warning:  ";
  s.lines = {"the resulting file will be", " larger than the maximum possible",
             "size (" + rt::PSstrLong(kMaxCases) + " cases)."};
  if (mode == 1) s.lines.push_back(bullet + "  Pick a lower sample rate.");
  s.buttons = {};
  s.sound = "";
  s.icon = 128;
  s.width = 420;
  ShowWarning(s);
}

IntervalChoice MERGEFileTimeScaleAdjust(float originalInterval, float newInterval) {
  HelpSubject = 241;
  if (originalInterval == newInterval) return IntervalChoice::Original;
  SavedHandlers saved;
  buildIntervalWindow(originalInterval, newInterval);
  installModalHandlers();
  // The selection shown is the one applied, clicked or not.
  IntervalChoice choice = IntervalChoice::Original;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && eventID >= kOriginal && eventID <= kAdjust) {
      choice = eventID == kOriginal ? IntervalChoice::Original : eventID == kNew ? IntervalChoice::New : IntervalChoice::Adjust;
      for (int id = kOriginal; id <= kAdjust; ++id) rt::setButtonState(id, id == eventID ? 2 : 1);
    } else if (action == 1 && eventID == kHelpButton) {
      OpenHelpBook();
      rt::bringWindowForward(kMergeIntervalWindow);
    } else if ((action == 1 && eventID == kProceed) || action == 4 || action == 16 || action == 3 || gQuitPending) {
      done = true;
    }
  }
  action = eventID = 0;
  rt::closeWindow(kMergeIntervalWindow);
  return choice;
}

TimeScaleRefusal adjustSlotTimeScale(int f, float newInterval) {
  if (f < 0 || f >= kMaxOpenFiles || !slotIsOpen(f)) return TimeScaleRefusal::NoCases;
  DataFile d;
  d.nCases = nCases[f];
  d.nChannels = nChannels[f];
  for (int c = 0; c <= d.nChannels; ++c) d.channels[size_t(c)] = std::move(gPointersToFileData[f][c]);
  d.meta.info[1] = FileInfoFLOATS[f][1];
  const int nm = std::clamp<int>(FileSHORTS[f][kMarkerCountWord], 0, kMaxMarkers);
  for (int k = 1; k <= nm; ++k) d.meta.markers.push_back({MarkersArray[f][k][1], MarkersArray[f][k][2]});
  const float oldInterval = FileInfoFLOATS[f][1];
  const TimeScaleRefusal r = adjustTimeScale(d, newInterval);
  for (int c = 0; c <= d.nChannels; ++c) gPointersToFileData[f][c] = std::move(d.channels[size_t(c)]);
  if (r != TimeScaleRefusal::None) return r;
  for (int k = 1; k <= nm; ++k) MarkersArray[f][k][1] = d.meta.markers[size_t(k - 1)].kase;
  nCases[f] = d.nCases;
  FileInfoFLOATS[f][1] = newInterval;
  logAdjustment(f, oldInterval, newInterval);
  // The samples are new: the change mark, no undo copy of the old count, no block past it.
  FileSHORTS[f][kChangeMarkWord] = 1;
  InvalidateUndoOfSlot(int16_t(f));
  BeginBlock[f] = EndBlock[f] = 0;
  FileSHORTS[f][kBlockLeftWord] = FileSHORTS[f][kBlockRightWord] = 0;
  FileSHORTS[f][kBlockStateWord] = 0;
  raiseDataGeneration(f);
  return r;
}

void AdjustTimeScale() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  HelpSubject = 240;
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildTimeScaleWindow(FileInfoFLOATS[f][1]);
  installModalHandlers();
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && eventID == kOk) {
      const float wanted = float(rt::PSval(rt::editTextIn(kTimeScaleWindow, kIntervalField)));
      const TimeScaleRefusal r = wanted > 0 ? adjustSlotTimeScale(f, wanted) : TimeScaleRefusal::BadInterval;
      if (r == TimeScaleRefusal::None) done = true;
      else if (r == TimeScaleRefusal::TooManyCases) TimeScaleWarning(1);
      else if (r == TimeScaleRefusal::NoMemory) Warn(kTooManyCasesWindow, "Warning:  ", {"Not enough memory to adjust the time scale."});
      else bzot();
    } else if (action == 1 && eventID == kCopyFirst) {
      SAVEDATAFILE(1, 0, 0);
      rt::bringWindowForward(kTimeScaleWindow);
    } else if (action == 1 && eventID == kTimeHelp) {
      OpenHelpBook();
      rt::bringWindowForward(kTimeScaleWindow);
    } else if ((action == 1 && eventID == kCancel) || action == 4 || action == 16 ||
               (action == 3 && eventID != kTimeScaleWindow) || gQuitPending) {
      done = true;
    }
  }
  action = eventID = 0;
  rt::closeWindow(kTimeScaleWindow);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  RefreshSCREEN();
}

}  // namespace qv
