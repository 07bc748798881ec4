// Edit > Change or Remove > "Change Blocks..." and the block window's change-block button:
// the blocks picked on the plot (the selected block first) all set to one typed value.
#include <algorithm>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/baseline_points.h"
#include "editing/block_values.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "plot/block_support.h"
#include "plot/cursor_pick.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kSetBlocksWindow = 9, kValueField = 101, kChangeButton = 1, kCancelButton = 2;
constexpr int kWidth = 330, kHeight = 92;

void buildWindow(int f) {
  rt::Rect plot{10, 40, 600, 400};
  if (rt::windowExists(plot::kPlotWindowBase + f)) plot = rt::windowContentRect(plot::kPlotWindowBase + f);
  const rt::Rect screen = rt::screenRect();
  const int left = std::clamp(plot.left, 0, screen.right - kWidth);
  const int top = std::clamp(plot.bottom + 30, 40, screen.bottom - kHeight - 10);
  BuildWINDOW(int16_t(kSetBlocksWindow), "Set Blocks (Channel" + rt::PSstrLong(ActiveChannel) + ") ", int16_t(left),
              int16_t(top), int16_t(left + kWidth), int16_t(top + kHeight), 6);
  DrawIcon(129, 12, 46);  // y is the icon's foot
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(56, 28, "change block values to:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kValueField, rt::PSstr(blockvalue), 210, 14, 310, 32, 3, 1);
  rt::FBButton(kCancelButton, 1, "Cancel", {120, 56, 200, 78}, 1);
  rt::FBButton(kChangeButton, 1, "Change Block(s) ", {210, 56, 320, 78}, 4);
}

// The blocks picked one after another until the user clicks in the window or ends picking.
std::vector<CaseWindow> pickBlocks(int f, std::vector<CaseWindow> blocks) {
  BASELINE = 2;
  BaseLineButton = 0;
  for (;;) {
    if (blocks.size() >= size_t(kMaxBaselinePoints)) {
      refuseEdit(0, "Set Blocks", {"At most" + rt::PSstrLong(kMaxBaselinePoints) + " blocks can be set at once;",
                                   "picking ended there."});
      break;
    }
    if (!GetBlocksWithCursor(0)) break;
    if (BeginBlock[f] >= 0 && EndBlock[f] <= nCases[f]) {
      Tick();
      blocks.push_back({BeginBlock[f], EndBlock[f]});
    }
  }
  BASELINE = 0;
  BaseLineButton = 0;
  return blocks;
}

void redraw(int f) {
  if (!rt::windowExists(plot::kPlotWindowBase + f)) return;
  if (FileSHORTS[f][kViewModeWord] != 0) {
    RefreshSCREEN();
    return;
  }
  RefreshSCREEN();
  UpdateSCREEN(0, 0);
}

void apply(int f, const std::vector<CaseWindow>& blocks, float v, bool remembered, CaseWindow kept) {
  MAKEBACKUP(ActiveChannel);
  LastChan = ActiveChannel;
  const std::span<float> channel{channelData(f, ActiveChannel), size_t(nCases[f]) + 1};
  for (const CaseWindow& b : blocks) {
    setBlockValue(channel, b.first, b.last, v);
    logEdit(0, ActiveChannel,
            "block from" + rt::PSstrLong(b.first) + " to" + rt::PSstrLong(b.last) + " changed to" + rt::PSstr(v));
  }
  if (remembered) {
    BeginBlock[f] = kept.first;
    EndBlock[f] = kept.last;
    FileSHORTS[f][kBlockStateWord] = 2;
  }
  finishEdit(ActiveChannel);
  if (prefsArray[7] >= 26) PlaySound("downvip.mp3", "DIduzodu");
  blockvalue = v;
}

}  // namespace

void BLOCKSET() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f] || !channelData(f, ActiveChannel)) return;
  action = eventID = BaseLineButton = 0;
  HideTheToolBar();
  buildWindow(f);
  std::vector<CaseWindow> blocks;
  const bool remembered = FileSHORTS[f][kBlockStateWord] == 2;
  const CaseWindow kept{BeginBlock[f], EndBlock[f]};
  if (remembered) blocks.push_back(kept);
  if (rt::windowExists(plot::kPlotWindowBase + f)) rt::bringWindowForward(plot::kPlotWindowBase + f);
  blocks = pickBlocks(f, std::move(blocks));
  wssst();
  rt::bringWindowForward(kSetBlocksWindow);
  bool done = blocks.empty();
  if (done) redraw(f);
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, noMENU);
  while (!done) {
    action = eventID = 0;
    const auto [a, id] = takeAction();
    if (a == 4) {
      done = true;
      DrawPlot(0, 0, 0, 0);
      DrawBLOCK();
    } else if (a == 1 && id == kCancelButton) {
      done = true;
      FileSHORTS[f][kBlockStateWord] = 0;
      redraw(f);
    } else if ((a == 1 && id == kChangeButton) || a == 16 || (a == 3 && id != kSetBlocksWindow)) {
      const std::string text = rt::editTextIn(kSetBlocksWindow, kValueField);
      const auto v = typedNumber(text);
      if (!v) {
        refuseEdit(0, "Set Blocks", {"The value must be a number; \"" + text + "\" is not one.", "Nothing was changed."});
        continue;
      }
      ChangedChan = ActiveChannel;
      apply(f, blocks, float(*v), remembered, kept);
      done = true;
    }
  }
  rt::closeWindow(kSetBlocksWindow);
  RestoreTheToolBar();
  action = eventID = 0;
}

}  // namespace qv
