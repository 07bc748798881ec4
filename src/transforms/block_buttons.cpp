// The block fill and the copy, new-channel and block-value controls of the transformations
// window.
#include <algorithm>

#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "core/event_state.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/transform_windows.h"

namespace qv {

void ZEROBLOCK(float value, int16_t quiet) {
  action = eventID = 0;
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  if (!quiet) {
    MAKEBACKUP(ActiveChannel);
    LastChan = ActiveChannel;
  }
  const int32_t first = std::max<int32_t>(BeginBlock[f], 0), last = std::min<int32_t>(EndBlock[f], nCases[f]);
  for (int32_t k = first; k <= last; ++k) PutDatum(f, ActiveChannel, k, value);
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  if (quiet) return;
  if (prefsArray[7] >= 26) PlaySound("downvip.mp3");
  if (FileSHORTS[f][kViewModeWord] != 0) DrawONEmultichan();
  else if (rt::windowExists(1000 + f)) UpdateSCREEN(0, 0);
  if (rt::controlExists(21)) rt::setButtonState(21, 1);
}

void COPYBUTTON() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (nChannels[f] < kMaxChannels) {
    const std::string next = rt::PSstrLong(nChannels[f] + 1);
    rt::FBButton(157, 1, "Copy Channel" + rt::PSstrLong(ActiveChannel) + " to New Channel" + next, {8, 132, 312, 150}, 1);
    rt::FBButton(155, 1, "Store Results in New Channel" + next, {8, 154, 312, 172}, 2);
  } else {
    rt::removeControl(157);
    rt::removeControl(155);
  }
  if (FileSHORTS[f][kBlockStateWord] == 2) {
    rt::FBButton(158, 1, rt::macRomanChar(198) + " Block to:", {8, 176, 104, 194}, 1);
    rt::FBButton(558, 1, " = Last Result", {194, 176, 312, 194}, 1);
    EFForeColor = EFBackColor = 1;
    buildef(1, 205, "0", 108, 177, 190, 193, 1, 0);
  }
}

}  // namespace qv
