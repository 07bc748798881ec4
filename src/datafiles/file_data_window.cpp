// Edit File Data (window 6): the labels, the file's parameters, its start date and time and
// the respirometry settings, written back by UpdateLabels.
#include <algorithm>
#include <string>

#include "core/help.h"
#include "core/splash.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_data_values.h"
#include "datafiles/file_data_window.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"

namespace qv {

namespace {

constexpr int kEditWindow = 6;
constexpr int kHelpButton = 336, kInfoButton = 335, kCommentsButton = 333, kDoneButton = 334;
constexpr int16_t kStepEditFileData = 29;

// Field ids of FileInfoFLOATS words 1 to 6.
constexpr int kInfoField[7] = {0, 230, 225, 226, 233, 237, 234};
constexpr int kDateField = 238, kTimeField = 239, kFiO2Field = 240, kFiCO2Field = 241, kRQField = 242;

// What the fields showed when the window was built: a field left alone keeps its value.
FileDataEntry gShown;

std::string numberText(float v) { return rt::PSstr(v); }

void captionLeftOf(int fieldLeft, int baseline, const std::string& text) {
  PrintAt(fieldLeft - 6 - rt::stringWidth(text), baseline, text);
}

void field(int id, const std::string& text, rt::Rect r, FieldText& shown) {
  rt::FBEditField(id, text, r, 0, 0);
  shown.shown = shown.typed = text;
}

rt::Rect windowRect(int f, int n) {
  int hOff = 0, vOff = 0, bottomOfPlot = 240;
  if (FileSHORTS[f][kPlotWindowWord] && rt::windowExists(1000 + f)) {
    const rt::Rect plot = rt::windowContentRect(1000 + f);
    hOff = plot.left;
    vOff = plot.top - 20;
    bottomOfPlot = BottomOfPlotArea;
  }
  int top = (n >= 14 ? 264 - 22 * n : 0) + 62 + vOff + bottomOfPlot, bottom = vOff + bottomOfPlot + 402;
  if (top < 45) top = 45, bottom = 21 * n + 45;
  // The buttons along the bottom stay clear of the last label.
  bottom = std::max(bottom, top + 20 * n + 50);
  return {hOff + 4, top, hOff + 645, bottom};
}

}  // namespace

rt::Rect fileDataWindowRect(int slot) { return windowRect(slot, nChannels[slot]); }

void LabelText() {
  const int f = TheFileInUse, n = nChannels[f];
  gShown = FileDataEntry{};
  gShown.labels.resize(size_t(n));
  SetTextStyle(KestrixFont, 11, 0);
  for (int c = 1; c <= n; ++c) {
    rt::FBButton(c, c == ActiveChannel ? 2 : 1, "Channel" + rt::PSstr(c), {5, 20 * c - 18, 80, 20 * c}, 1);
    field(100 + c, RetrieveLabel(c), {87, 20 * c - 15, 302, 20 * c - 3}, gShown.labels[size_t(c - 1)]);
    rt::setEditFont(100 + c, 4, 10, 0);
  }
  const float* info = FileInfoFLOATS[f];
  PrintAt(332, 110, "sample interval");
  PrintAt(332, 124, "(seconds):");
  field(230, StringFormatter(info[1]), {332, 128, 427, 143}, gShown.info[1]);
  captionLeftOf(555, 104, "flow (ml/min):");
  field(225, numberText(info[2]), {555, 92, 622, 107}, gShown.info[2]);
  captionLeftOf(555, 136, "flow temp (" + degC + "):");
  field(226, numberText(info[3]), {555, 124, 622, 139}, gShown.info[3]);
  captionLeftOf(555, 168, "eff. volume (ml):");
  field(237, numberText(info[5]), {555, 156, 622, 171}, gShown.info[5]);
  captionLeftOf(388, 72, "mass (g):");
  field(234, numberText(info[6]), {388, 60, 463, 75}, gShown.info[6]);
  captionLeftOf(555, 72, "B.P. (torr):");
  field(233, numberText(info[4]), {555, 60, 622, 75}, gShown.info[4]);
  captionLeftOf(390, 206, "FiO2 (%):");
  field(kFiO2Field, StringFormatter(FiO2), {390, 193, 457, 210}, gShown.fio2);
  captionLeftOf(555, 206, "FiCO2 (%):");
  field(kFiCO2Field, StringFormatter(FiCO2), {555, 193, 622, 207}, gShown.fico2);
  captionLeftOf(390, 231, "RQ:");
  field(kRQField, numberText(RQ), {390, 219, 440, 233}, gShown.rq);
  captionLeftOf(500, 256, "start date (mo-day-year):");
  field(kDateField, StartDate[f], {500, 244, 604, 259}, gShown.date);
  captionLeftOf(500, 280, "start time (hr:min:sec):");
  field(kTimeField, StartTime[f], {500, 268, 604, 282}, gShown.time);
  rt::setEditFont(kTimeField, 3, 12, 0);
}

bool UpdateLabels() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(kEditWindow)) return false;
  const int n = std::min<int>(nChannels[f], int(gShown.labels.size()));
  FileDataEntry entry = gShown;
  auto typed = [](FieldText& t, int id) { t.typed = rt::editTextIn(kEditWindow, id); };
  for (int c = 1; c <= n; ++c) typed(entry.labels[size_t(c - 1)], 100 + c);
  for (int w = 1; w <= 6; ++w) typed(entry.info[w], kInfoField[w]);
  typed(entry.date, kDateField);
  typed(entry.time, kTimeField);
  typed(entry.fio2, kFiO2Field);
  typed(entry.fico2, kFiCO2Field);
  typed(entry.rq, kRQField);

  FileDescription d;
  for (int c = 1; c <= n; ++c) d.labels.push_back(RetrieveLabelOf(f, c));
  std::copy(FileInfoFLOATS[f], FileInfoFLOATS[f] + 10, d.info);
  d.date = StartDate[f];
  d.time = StartTime[f];
  d.fio2 = FiO2, d.fico2 = FiCO2, d.rq = RQ;
  const FileDataOutcome out = applyFileData(entry, d);

  for (int c = 1; c <= n; ++c) SetChannelLabel(f, c, d.labels[size_t(c - 1)]);
  std::copy(d.info, d.info + 10, FileInfoFLOATS[f]);
  StartDate[f] = d.date;
  StartTime[f] = d.time;
  FiO2 = d.fio2, FiCO2 = d.fico2, RQ = d.rq;
  // What is written back is shown now: a later write-back starts from it.
  gShown = entry;
  if (!out.refused.empty()) {
    Warn(1166, "Caution: ", refusedFieldLines(out.refused));
    gShown = FileDataEntry{};
    const int saved = rt::outputWindow();
    rt::setOutputWindow(kEditWindow);
    LabelText();
    if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  }
  return out.fileChanged;
}

namespace {

void buildEditWindow(int f) {
  const rt::Rect r = fileDataWindowRect(f);
  HideTheToolBar();
  BuildWINDOW(kEditWindow, "Channel labels  .  .  .  .  .  .  .  .  .  .  and file parameters", int16_t(r.left),
              int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  rt::setCursor(rt::Cursor::Arrow);
  upvip();
  LabelText();
  const int h = r.height(), top = h - 48, bottom = h - 28;
  rt::FBButton(kHelpButton, 1, "?", {90, top, 120, bottom}, 1);
  rt::FBButton(kInfoButton, 1, "Show Acquisition Data...", {130, top, 340, bottom}, 1);
  rt::FBButton(kCommentsButton, 1, "Edit Comments...", {350, top, 480, bottom}, 1);
  rt::FBButton(kDoneButton, 1, "Done", {490, top, 605, bottom}, 4);
}

void backToEditWindow() {
  HideTheToolBar();
  if (rt::windowExists(kEditWindow)) {
    rt::bringWindowForward(kEditWindow);
    rt::setOutputWindow(kEditWindow);
  }
}

void markChanged(int f) {
  FileSHORTS[f][kChangeMarkWord] = 1;
  MakeChannelSelectionsPopUp();
}

// The loop; returns the channel button clicked, 0 for none.
int runEditLoop(int f) {
  SavedHandlers saved;
  installModalHandlers();
  action = eventID = 0;
  EditFieldWasSelected = 0;
  rt::selectEditField(234, 0, 32767);
  int channel = 0;
  for (;;) {
    rt::FBHandleEvents();
    if (gQuitPending) break;
    if (action == 1 && eventID >= 1 && eventID <= nChannels[f]) {
      channel = eventID;
      break;
    }
    if (action == 1 && eventID == kInfoButton) {
      FILEINFO(FileName[f], StartDate[f], StartTime[f], 1);
      backToEditWindow();
      // Closing the information window leaves its close box for this loop: not ours.
      if (action == 4 && eventID != kEditWindow) action = eventID = 0;
      if (action == 3 && eventID == kEditWindow) action = eventID = 0;
    } else if (action == 1 && eventID == kCommentsButton) {
      if (UpdateLabels()) markChanged(f);
      FixCOMMENTS(1);
      backToEditWindow();
      action = eventID = 0;
    } else if (action == 1 && eventID == kHelpButton) {
      HelpSubject = 277;
      OpenHelpBook();
    }
    if ((action == 1 && eventID == kDoneButton) || (action == 4 && eventID == kEditWindow) || action == 16 ||
        (action == 3 && eventID != kEditWindow) || gQuitPending)
      break;
    action = eventID = 0;
  }
  action = eventID = 0;
  return channel;
}

}  // namespace

void EditFileData(int16_t redraw) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (redraw) {
    PlotForward();
    if (FileSHORTS[f][kBlockStateWord] == 2) REFRESHBLOCK();
  }
  const float interval = FileInfoFLOATS[f][1];
  FirstDoubleclickLoad = 0;
  RecordScriptStep(kStepEditFileData);
  buildEditWindow(f);
  const int channel = runEditLoop(f);
  if (channel) {
    ActiveChannel = int16_t(channel);
    ActiveChannelArray[f] = int16_t(channel);
  }
  rt::setOutputWindow(kEditWindow);
  const bool changed = UpdateLabels();
  PlotForward();
  if (changed) markChanged(f);
  if (!channel && FileInfoFLOATS[f][1] == interval) DRAWLABELSTUFF();
  else if (FileSHORTS[f][kViewModeWord]) RefreshMULTICHAN();
  else RefreshSCREEN();
  rt::closeWindow(kEditWindow);
  PlotForward();
  if (FileSHORTS[f][kBlockStateWord] == 2) REFRESHBLOCK();
  RestoreTheToolBar();
  DRAWTIMEDATE();
}

}  // namespace qv
