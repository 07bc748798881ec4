// On-line notes: one note in window 1990, the notes list in window 6000 "notes", and the
// notes file written from that list.
#include <algorithm>
#include <string>

#include "core/colors.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/warning.h"
#include "core/saved_handlers.h"
#include "core/text_format.h"
#include "plot/notes_list.h"
#include "plot/notes_table.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kNoteWindow = 1990, kNoteText = 100;
constexpr int kNotesWindow = 6000, kNotesView = 1, kDone = 2, kSave = 11;
constexpr int kBand = 56;

// Any press of the mouse button ends the note's window.
void endOnMouse() {
  action = -999;
  eventID = 0;
}

void buildNoteWindow(int f, int k) {
  const int width = rt::windowContentRect(1000 + f).width();
  const int centre = plot::noteWindowCentre(HorizPosition, width);
  HorizPosition = int16_t(centre);
  const rt::Rect plot = rt::windowContentRect(1000 + f);
  const int left = plot.left + centre - 230, top = plot.top + BottomOfPlotArea;
  const OnlineNote& note = fileRemarks[f][size_t(k - 1)];
  BuildWINDOW(kNoteWindow, plot::noteTitle(k, note), int16_t(left), int16_t(top), int16_t(left + 460),
              int16_t(top + 75), 5);
  rt::setCursor(rt::Cursor::Arrow);
  rt::foreColor(darkGray);
  rt::paintRect({0, 0, 600, 100});
  EFForeColor = 0;
  EFBackColor = 8;
  rt::textFont(3);
  rt::textSize(12);
  buildef(0, kNoteText, note.text, 5, 5, 455, 70, 7, 0);
}

}  // namespace

void ShowOnLineNOTE(int16_t k) {
  const int f = TheFileInUse;
  // Buttons run to 5300 while a file may carry fewer notes: a button past them shows nothing.
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  if (k < 1 || k > NumberOfNotes[f] || k > int(fileRemarks[f].size())) return;
  SavedHandlers saved;
  buildNoteWindow(f, k);
  rt::setHandler(rt::Vector::Mouse, endOnMouse);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  action = eventID = 0;
  do {
    rt::FBHandleEvents();
    if (action == 1 || action == 16) action = eventID = 0;  // a key or the note's text: not an end
  } while (action == 0 && !rt::Button());
  action = eventID = 0;
  rt::FlushEvents();
  rt::closeWindow(kNoteWindow);
}

void ShowNotes() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  TempContainer = plot::notesListText(fileRemarks[f], NumberOfNotes[f]);
  rt::closeWindow(kNotesWindow);
  HideTheToolBar();
  BuildScrollingNOTESWindow();
  RestoreTheToolBar();
}

void FitNotesWindow() {
  const rt::Rect r = rt::windowContentRect(kNotesWindow);
  const int w = r.width(), h = r.height();
  rt::setOutputWindow(kNotesWindow);
  rt::removeControl(kDone);
  rt::removeControl(kSave);
  rt::setControlShown(kNotesView, true);
  rt::removeControl(kNotesView);
  rt::FBTextView(kNotesView, {0, 0, w, h - kBand}, false);
  TxtViewSetMargins(kNotesView, 8, 0, 0, 0);
  TextViewSetTextFromMyNotes(kNotesView);
  rt::eraseRect({0, 0, w, h});
  rt::foreColor(VeryLightGray);
  rt::paintRect({0, h - kBand, w, h});
  rt::foreColor(RGBblack);
  DoubleLINE(0, int16_t(w), int16_t(h - 55));
  rt::FBButton(kDone, 1, "Done", {w - 120, h - 31, w - 20, h - 12}, 1);
  rt::FBButton(kSave, 1, "Save", {w - 230, h - 31, w - 130, h - 12}, 1);
  EmbossPrint(1, "Real-time notes", 28, 30, int16_t(h - 14));
}

void BuildScrollingNOTESWindow() {
  SavedHandlers saved;
  rt::openWindow(kNotesWindow, "notes", {50, 100, 590, 314}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(kNotesWindow, 360, 200);
  installModalHandlers();
  rt::Rect drawn{};
  action = eventID = 0;
  for (;;) {
    const rt::Rect now = rt::windowContentRect(kNotesWindow);
    if (now.width() != drawn.width() || now.height() != drawn.height()) {
      FitNotesWindow();
      drawn = now;
    }
    rt::FBHandleEvents();
    const int a = action, id = eventID;
    action = eventID = 0;
    if (a == 1 && id == kSave) SaveNotes();
    else if ((a == 1 && id == kDone) || (a == 4 && id == kNotesWindow)) break;
  }
  rt::closeWindow(kNotesWindow);
  PlotForward();
}

void SaveNotes() {
  // The save panel asks before it replaces a file; the notes never overwrite a file unasked.
  const auto path = rt::OSpanelSave("Notes file", "notes.txt");
  if (!path) return;
  const std::string text = plot::notesFileText(TempContainer);
  std::string error;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &error))
    Warn(1166, "The notes file could not be written.", {*path, error});
}

}  // namespace qv
