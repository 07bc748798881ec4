#include "core/channel_selection.h"

#include <algorithm>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/view_state.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t OverlayArray[21][4 * kOverlayRowLength] = {};
int16_t ChannelSelectControlFlag = 1;
int16_t printblock = 0;
int16_t DefaultSave = 0, DefaultSaveAs = 0;
int16_t CustomOverlay = 0;
int16_t DrawAllScaleMode = 2;

namespace {

constexpr int16_t kDialogWindow = 10;
constexpr int16_t kBlockOnly = 125, kCustom = 133, kClear = 139, kNext = 233, kStandardFormat = 234, kAll = 237,
                  kNone = 238;

void prepareRow(int16_t* flags, int n, int16_t kind, int16_t mode) {
  if (mode != kModeOverlay) {
    if (kind == kSelectNone) std::fill(flags + 1, flags + n + 1, int16_t(0));
    else if (kind != kSelectKeepFlags) std::fill(flags + 1, flags + n + 1, int16_t(1));
  }
  std::fill(flags + n + 1, flags + 41, int16_t(0));
}

void buildControls(int f, int n, const int16_t* flags, int16_t excluded, int16_t kind, int16_t blockOffer,
                   int16_t mode, int16_t compacted) {
  const int extra = channelSelectionExtraHeight(n);
  for (int c = 1; c <= n; ++c) {
    // Every box shows its flag; the excluded channel can be neither ticked nor left ticked.
    const int state = c == excluded ? 0 : flags[c] ? 2 : 1;
    rt::FBButton(c, state, "Channel" + rt::PSstrLong(c) + ":  " + RetrieveLabel(c), {10, 18 * c - 13, 360, 18 * c + 5},
                 2);
  }
  const int top = extra + 305, bottom = extra + 325;
  rt::FBButton(kAll, 1, "All", {10, top, 62, bottom}, 1);
  rt::FBButton(kNone, 1, "None", {72, top, 133, bottom}, 1);
  if (kind == kSelectNone) {
    rt::FBButton(kNext, 1, "Done", {300, top, 390, bottom}, 4);
    if (mode == kModeOverlay) rt::FBButton(kCustom, 1, "Custom...", {210, top, 289, bottom}, 1);
  } else if (mode == kModeSave && !compacted) {
    rt::FBButton(kNext, 1, "Select format...", {160, top, 305, bottom}, 4);
  } else {
    rt::FBButton(kNext, 1, "Next...", {210, top, 305, bottom}, 4);
  }
  if (blockOffer && FileSHORTS[f][2] == 2)
    rt::FBButton(kBlockOnly, 1, "Block Only", {23, extra + 277, 117, extra + 297}, 2);
  if (compacted) {
    buildef(0, 130, "Parsed (compacted) files are always saved as ASCII text-format spreadsheets.", 10,
            int16_t(extra + 335), 305, int16_t(extra + 365), 7, 0);
    rt::setEditFont(130, 3, 12, 0);
  } else if (mode == kModeSave) {
    rt::FBButton(kStandardFormat, 1, "Standard Kestrix Format", {120, extra + 277, 310, extra + 297}, 1);
    buildef(1, 130,
            "'Standard  Kestrix Format' stores all channels in Kestrix binary format (you select the file name).", 10,
            int16_t(extra + 335), 305, int16_t(extra + 365), 7, 0);
    rt::setEditFont(130, 3, 12, 0);
  }
}

void setAll(int window, int16_t* flags, int n, int16_t excluded, int16_t value) {
  for (int c = 1; c <= n; ++c) {
    if (c == excluded) continue;
    flags[c] = value;
    rt::setButtonStateIn(window, c, value ? 2 : 1);
  }
}

bool isReturn(int16_t kind, int16_t id) { return kind == 16 && (id == 13 || id == 3); }

// The window that asks how all channels are scaled; returns the event kind that ended it.
int16_t scalingWindow(int f) {
  const int16_t left = int16_t((ScreenWidth - 500) / 2);
  BuildWINDOW(kDialogWindow, "Scaling Mode", left, 60, int16_t(left + 312), 310, 6);
  GrayBOX(1, 10, 10, 302, 240);
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(24, 36, "Print ");
  rt::textFace(rt::kUnderline);
  rt::drawString("all");
  rt::textFace(0);
  PrintAt(24, 56, " channels in:");
  const char* titles[] = {"Normal Mode", "Include Zero Mode", "Maximum Resolution Mode", "Use Current Channel Settings"};
  for (int i = 1; i <= 4; ++i) rt::FBButton(i, i == 1 ? 2 : 1, titles[i - 1], {30, 50 + 30 * i, 290, 70 + 30 * i}, 3);
  rt::FBButton(23, 1, "Done", {200, 212, 290, 234}, 4);
  DrawAllScaleMode = 2;
  int16_t last = 0;
  while (!last) {
    const auto [kind, id] = takeAction();
    if (kind == 1 && id >= 1 && id <= 4) {
      for (int i = 1; i <= 4; ++i) rt::setButtonStateIn(kDialogWindow, i, i == id ? 2 : 1);
      if (id <= 3) DrawAllScaleMode = int16_t(id == 1 ? 2 : id == 2 ? 1 : 0);
    } else if (kind == 1 && id == 23) {
      last = 3;
    } else if (kind == 3 || kind == 4 || kind == 6 || isReturn(kind, id)) {
      last = kind;
    }
  }
  if (FileSHORTS[f][7] && rt::menuExists(51)) {
    const int checked = DrawAllScaleMode == 1 ? 3 : DrawAllScaleMode == 0 ? 2 : 4;
    for (int item = 1; item <= 4; ++item) rt::menuSetItemState(51, item, item == checked ? 2 : 1);
  }
  rt::closeWindow(kDialogWindow);
  return last;
}

}  // namespace

int16_t ChannelSelectionDialog(int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode, int16_t compacted) {
  const int f = TheFileInUse;
  if (f < 0 || f > 20) return kSelectionDone;
  const int n = std::clamp<int>(nChannels[f], 0, kMaxChannels);
  DefaultSave = DefaultSaveAs = printblock = 0;
  rt::textFont(1);
  rt::textSize(9);
  int16_t* flags = &OverlayArray[f][kOverlayRowLength * (kind == kSelectSave ? 2 : 1)];
  prepareRow(flags, n, kind, mode);
  if (excluded >= 1 && excluded <= n) flags[excluded] = 0;
  buildControls(f, n, flags, excluded, kind, blockOffer, mode, compacted);

  SavedHandlers saved;
  installModalHandlers();
  eventID = 0;
  CustomOverlay = 0;
  const int window = rt::outputWindow();
  bool closeBox = false;
  for (bool done = n <= 1; !done;) {
    const auto [what, id] = takeAction();
    if (isReturn(what, id) || what == 4) {
      closeBox = what == 4;
      done = true;
    } else if (what == 3) {
      if (rt::windowExists(window)) rt::bringWindowForward(window);
      done = true;
    } else if (what != 1) {
      continue;
    } else if (id >= 1 && id <= n) {
      flags[id] = flags[id] ? 0 : 1;
      rt::setButtonStateIn(window, id, id == excluded ? 0 : flags[id] ? 2 : 1);
    } else if (id == kBlockOnly) {
      printblock = printblock ? 0 : 1;
      rt::setButtonStateIn(window, kBlockOnly, printblock ? 2 : 1);
    } else if (id == kNext) {
      done = true;
    } else if (id == kStandardFormat) {
      DefaultSave = DefaultSaveAs = 1;
      done = true;
    } else if (id == kCustom) {
      CustomOverlay = 1;
      done = true;
    } else if (id == kClear) {
      rt::closeWindow(kDialogWindow);
      return kSelectionCleared;
    } else if (id == kAll || id == kNone) {
      setAll(window, flags, n, excluded, id == kAll ? 1 : 0);
    }
  }

  if (kind == kSelectNone) {
    rt::closeWindow(kDialogWindow);
    return closeBox && mode == kModeDelete ? kSelectionClosed : kSelectionDone;
  }
  if (ChannelSelectControlFlag == 99) return kSelectionDone;
  return scalingWindow(f);
}

int16_t SELECTCHANNELS(std::string_view title, int16_t excluded, int16_t kind, int16_t blockOffer, int16_t mode) {
  const int f = TheFileInUse;
  if (f < 0 || f > 20) return kSelectionDone;
  const int n = std::clamp<int>(nChannels[f], 0, kMaxChannels);
  const int extra = channelSelectionExtraHeight(n);
  const int plot = 1000 + f;
  rt::Rect at{0, 0, 0, 0};
  if (rt::windowExists(plot)) {
    rt::bringWindowForward(plot);
    at = rt::windowContentRect(plot);
  }
  int left, top, right, bottom;
  if (ChannelSelectControlFlag == -99 || ChannelSelectControlFlag == 0) {
    left = at.left + 6, right = at.left + 423;
    top = at.top + 15 + BottomOfPlotArea - extra, bottom = at.top + 355 + BottomOfPlotArea;
  } else {
    left = 0, right = 416;
    top = at.top + 70, bottom = at.top + 403 + extra;
  }
  if (top < 45) bottom += 45 - top, top = 45;
  BuildWINDOW(kDialogWindow, title, int16_t(left), int16_t(top), int16_t(right), int16_t(bottom), 6);
  HideTheToolBar();
  if (mode == kModeDelete && n < 15) {
    DrawIcon(129, 25, int16_t(extra + 297));
    DrawIcon(130, 316, int16_t(extra + 297));
  }
  if (mode == kModeDisplay && FileSHORTS[f][7]) blockOffer = 0;
  if (mode == kModeOverlay) rt::FBButton(kClear, 1, "Clear", {142, extra + 305, 198, extra + 325}, 1);
  const int16_t result = ChannelSelectionDialog(excluded, kind, blockOffer, mode, 0);
  rt::closeWindow(kDialogWindow);
  RestoreTheToolBar();
  return result;
}

}  // namespace qv
