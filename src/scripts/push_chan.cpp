// The channel keys of the plot window: the arrows step through the channels, the digits and
// shifted digits choose one; each change is a script step.
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/popups.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"

namespace qv {

namespace {

constexpr int kChannelPopup = 333;

void retitleChannelPopup(int f, int16_t channel) {
  const int w = 1000 + f;
  if (!rt::controlExistsIn(w, kChannelPopup)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(w);
  rt::setControlTitle(kChannelPopup, (ScreenWidth >= 996 ? "Channel" : "Chan") + rt::PSstrLong(channel));
  rt::setControlValue(kChannelPopup, channel);
  if (rt::menuExists(kChannelPopup)) {
    if (old >= 1 && old <= nChannels[f]) rt::menuSetItemState(kChannelPopup, old, 1);
    rt::menuSetItemState(kChannelPopup, channel, 2);
  }
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace

void PUSHCHAN(uint16_t mode) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int16_t channel = pushedChannel(mode, ActiveChannel, nChannels[f], eventID);
  if (channel == 0) return;
  RecordScriptStep(1, {float(channel)});
  const bool multi = FileSHORTS[f][7] != 0;
  if (multi) wssst();
  old = ActiveChannel;
  ActiveChannel = channel;
  retitleChannelPopup(f, channel);
  action = eventID = 0;
  if (multi) {
    MakeChannelSelectionsPopUp();
    MultiChannelIndicator();
  }
  DrawNewChan(1);
}

}  // namespace qv
