// Window 17 of a stack: which of the second file's channels are added, at most as many as
// the file in use has room for; for the program's own formats also where the start time,
// date and file values, the comments and the markers come from.
#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_constants.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "datafiles/datafiles.h"
#include "datafiles/merge_windows.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kAllButton = 444, kMergeButton = 351, kCancelButton = 352;
constexpr int kInitialData = 349, kNewData = 350, kOldComments = 247;
constexpr int kMarkersInitial = 250, kMarkersNew = 251, kMarkersBoth = 252;
constexpr int kRowsPerColumn = 20, kRowHeight = 18, kColumnWidth = 300;
// Room of a check box's mark and the gap between columns, beside its title.
constexpr int kBoxMark = 30;
// Where the radio buttons of the data and marker choices start, clear of their captions.
constexpr int kChoiceX = 150, kChoiceStep = 130;

void radio(int id, const char* label, int x, int y, bool on) {
  rt::FBButton(id, on ? 2 : 1, label, {x, y, x + 120, y + 18}, 3);
}

void countsLine(int y, const char* who, int channels, int32_t cases) {
  PrintAt(20, y, bullet + who + rt::PSstrLong(channels) + " channels\t     with" + rt::PSstrLong(cases) + " cases");
}

int extendedChoices(int y) {
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(20, y + 14, "Use data from");
  radio(kInitialData, "Initial File", kChoiceX, y, true);
  radio(kNewData, "New File", kChoiceX + kChoiceStep, y, false);
  rt::FBButton(kOldComments, 2, "Use Old Comments", {20, y + 26, 220, y + 44}, 2);
  PrintAt(20, y + 66, "Use markers from");
  radio(kMarkersInitial, "Initial File", kChoiceX, y + 52, false);
  radio(kMarkersNew, "New File", kChoiceX + kChoiceStep, y + 52, false);
  radio(kMarkersBoth, "Both", kChoiceX + 2 * kChoiceStep, y + 52, true);
  return y + 84;
}

int fixedStatement(int y) {
  SetTextStyle(KestrixFont, 12, rt::kItalic);
  PrintAt(20, y + 12, "The merged file will use the interval, time, and date from the current file.");
  PrintAt(20, y + 30, "Markers are combined; comments are catenated.");
  rt::textFace(0);
  return y + 44;
}

struct StackLayout {
  int width = 0, height = 0;
};

std::string channelTitle(const DataFile& b, int k) {
  return "Channel" + rt::PSstrLong(k) + ": " + rt::trimRight(b.meta.labels[size_t(k)]);
}

// Wide enough for the longest channel title, so that no label is cut.
int columnWidth(const DataFile& b) {
  SetTextStyle(KestrixFont, 12, 0);
  int widest = 0;
  for (int k = 1; k <= b.nChannels; ++k) widest = std::max(widest, rt::stringWidth(channelTitle(b, k)));
  return std::max(kColumnWidth, widest + kBoxMark);
}

StackLayout buildStackWindow(const SecondFile& second, int allowed) {
  const int f = TheFileInUse;
  const DataFile& b = *second.file;
  const int columns = (b.nChannels + kRowsPerColumn - 1) / kRowsPerColumn;
  const int rows = std::min<int>(b.nChannels, kRowsPerColumn);
  const int listTop = second.fixedFormat ? 150 : 190;
  const int column = columnWidth(b);
  StackLayout l{std::max(620, 40 + columns * column), listTop + rows * kRowHeight + 60};
  BuildWINDOW(kMergeDetailWindow, "File Merge:  Channel Selection", 120, 60, int16_t(120 + l.width),
              int16_t(60 + l.height), 6);
  SetTextStyle(KestrixFont, 12, 0);
  countsLine(24, " current file: ", nChannels[f], nCases[f]);
  countsLine(42, " to merge: ", b.nChannels, b.nCases);
  if (second.fixedFormat) fixedStatement(56);
  else extendedChoices(56);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  if (nChannels[f] + b.nChannels <= kMaxChannels) {
    PrintAt(20, listTop - 10, "add any of these channels");
    rt::FBButton(kAllButton, 1, "All", {250, listTop - 26, 310, listTop - 6}, 1);
  } else {
    PrintAt(20, listTop - 10, "add up to" + rt::PSstrLong(allowed) + " of these channels");
  }
  SetTextStyle(KestrixFont, 12, 0);
  for (int k = 1; k <= b.nChannels; ++k) {
    const int x = 20 + ((k - 1) / kRowsPerColumn) * column, y = listTop + ((k - 1) % kRowsPerColumn) * kRowHeight;
    rt::FBButton(k, 1, channelTitle(b, k), {x, y, x + column - 10, y + kRowHeight}, 2);
  }
  const int by = l.height - 40;
  rt::FBButton(kCancelButton, 1, "Cancel", {l.width - 260, by, l.width - 150, by + 24}, 1);
  rt::FBButton(kMergeButton, 1, "Merge File", {l.width - 130, by, l.width - 20, by + 24}, 4);
  return l;
}

void setRadio(std::initializer_list<int> group, int on) {
  for (int id : group) rt::setButtonState(id, id == on ? 2 : 1);
}

}  // namespace

bool STACKstatus(const SecondFile& second, MergeChoices& choices) {
  SavedHandlers saved;
  const DataFile& b = *second.file;
  const int allowed = channelsThatFit(nChannels[TheFileInUse]);
  choices = MergeChoices{};
  choices.addChannels = true;
  choices.commentMode = 2;
  HideTheToolBar();
  buildStackWindow(second, allowed);
  installModalHandlers();
  int picked = 0;
  bool merge = false;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 4 || gQuitPending) break;
    if (action != 1) continue;
    const int id = eventID;
    if (id >= 1 && id <= b.nChannels) {
      const bool on = choices.picker[size_t(id)] == 0;
      if (on && picked + 1 > allowed) {
        rt::setButtonState(id, 1);
        TooManyChannelsWarning(allowed);
        continue;
      }
      choices.picker[size_t(id)] = on ? 1 : 0;
      picked += on ? 1 : -1;
      rt::setButtonState(id, on ? 2 : 1);
    } else if (id == kAllButton && b.nChannels <= allowed) {
      for (int k = 1; k <= b.nChannels; ++k) {
        choices.picker[size_t(k)] = 1;
        rt::setButtonState(k, 2);
      }
      picked = b.nChannels;
    } else if (id == kInitialData || id == kNewData) {
      choices.keepOldFileData = id == kInitialData;
      setRadio({kInitialData, kNewData}, id);
    } else if (id == kOldComments) {
      choices.commentMode = choices.commentMode == 2 ? 1 : 2;
      rt::setButtonState(id, choices.commentMode == 2 ? 2 : 1);
    } else if (id >= kMarkersInitial && id <= kMarkersBoth) {
      choices.markers = int16_t(id == kMarkersInitial ? 1 : id == kMarkersNew ? 2 : 0);
      setRadio({kMarkersInitial, kMarkersNew, kMarkersBoth}, id);
    } else if (id == kMergeButton && picked == 0) {
      bzot();  // nothing to add
    } else if (id == kMergeButton || id == kCancelButton) {
      merge = id == kMergeButton;
      done = true;
    }
  }
  action = eventID = 0;
  rt::closeWindow(kMergeDetailWindow);
  RestoreTheToolBar();
  if (!merge) MakeSlider();
  MergeFileCommentHandling = choices.commentMode;
  return merge;
}

}  // namespace qv
