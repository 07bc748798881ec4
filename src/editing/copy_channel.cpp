// Edit > Duplicate Channel, the "D" key, script step 18, and the way other tools get a new
// channel that starts as a copy of the one they work on.
#include "editing/copy_channel.h"

#include <algorithm>
#include <cstring>

#include "core/menus.h"
#include "core/filetable.h"
#include "core/popups.h"
#include "core/view_state.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t DestinationChannel = 0;

namespace {

constexpr int16_t kCopyStep = 18;

void redrawAfterCopy(int f) {
  if (!rt::windowExists(1000 + f)) return;
  if (FileSHORTS[f][7] != 0) {
    if (FileSHORTS[f][2] == 2) DrawBLOCK();
    return;
  }
  FindMinMax();
  rt::bringWindowForward(1000 + f);
  DrawPlot(0, 0, 0, 1);
}

}  // namespace

std::string scratchChannelLabel(int16_t blockChannel, int32_t halfWidth) {
  std::string s = "FFT: channel" + rt::PSstrLong(blockChannel) + ";" + rt::PSstrLong(int64_t(2) * halfWidth) + " points    ";
  return s.substr(0, kLabelWidth);
}

void copyDisplayRow(const float* source, float* destination) {
  std::copy(source, source + 14, destination);
  destination[1] = source[1] + 100.0f;
}

void COPYCHAN(int16_t redraw) {
  EditRun run(kCopyStep);
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || nChannels[f] >= kMaxChannels) return;
  const int16_t source = ActiveChannel;
  if (source < 0 || source > nChannels[f]) return;
  if (!newChannelOrRefuse(run.step(), "Duplicate Channel")) return;
  const int16_t d = nChannels[f];
  DestinationChannel = d;
  copyDisplayRow(fileVariableArray[f][source], fileVariableArray[f][d]);
  std::memcpy(channelData(f, d), channelData(f, source), (size_t(nCases[f]) + 1) * sizeof(float));
  ActiveChannel = d;
  SetChannelLabel(f, d, source == 0 ? scratchChannelLabel(chanB, ABunit) : RetrieveLabelOf(f, source));
  chanB = d;
  logEdit(1, source, "copy to new channel" + rt::PSstrLong(d));
  run.complete();
  if (redraw) redrawAfterCopy(f);
  FileSHORTS[f][kChangeMarkWord] = 1;
  FBMenu(kViewMenu, 9, 1);
  FBMenu(kViewMenu, 12, 1, "Show Multiple Channels...");
  MakeChannelSelectionsPopUp();
}

}  // namespace qv
