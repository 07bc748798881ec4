// Window 1200, the channel picker: a narrow floating column at the right of the plot window
// with one button per strip, level with its strip; the close box folds it to a stub.
#include <algorithm>
#include <string>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/results_scaling.h"
#include "plot/draw_support.h"
#include "plot/multichannel.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kPickerWidth = 32;

}  // namespace

void MultiChannelChanSelectWindow(int16_t keep) {
  const int f = TheFileInUse;
  rt::closeWindow(kChannelPickerWindow);
  if (!slotIsOpen(f) || FileSHORTS[f][kViewModeWord] == 0 || !rt::windowExists(1000 + f)) return;
  const int saved = rt::outputWindow();
  const rt::Rect plot = rt::windowContentRect(1000 + f);
  const bool open = MultiChanSelectorWindow != 0;
  // Open, it reaches down to the last strip's end so every channel's button is whole.
  int height = 20;
  if (open) {
    for (int c : plot::shownChannels(f)) height = std::max(height, plot::stripOfChannel(f, c).bottom);
    height = std::min(height, std::max(plot.height(), 20));
  }
  const int left = plot.right;
  rt::openWindow(kChannelPickerWindow, " ", {left, plot.top, left + kPickerWidth, plot.top + height}, rt::kFloatingWindowClass,
                 rt::kAttrCloseBox);
  rt::setWindowBackground(kChannelPickerWindow, ToolBarBackgroundColor);
  // The background colour serves later erases; the new canvas is painted with it here.
  rt::foreColor(ToolBarBackgroundColor);
  rt::paintRect({0, 0, kPickerWidth, height});
  if (open) {
    // The picker shows the active channel's scale, as its strip was drawn with.
    plot::takeActiveChannelScale();
    rt::textFont(1);
    rt::textSize(10);
    for (int c : plot::shownChannels(f)) {
      const plot::StripEdges e = plot::stripOfChannel(f, c);
      const int bottom = std::min(e.bottom, height);
      if (e.top + 1 >= bottom) continue;
      rt::FBButton(600 + c, c == ActiveChannel ? 2 : 1, std::to_string(c), {1, e.top + 1, 31, bottom}, 1);
      if (keep == 0) LastBottom = int16_t(e.bottom - 1);
    }
  }
  // White on the dark tool-bar colours, black on the light ones, where white could not be read.
  const RGB& back = ToolBarBackgroundColor;
  const bool light = 0.299 * back.red + 0.587 * back.green + 0.114 * back.blue > 0.6 * 65535;
  rt::foreColor(light ? RGBblack : RGBwhite);
  rt::textFont(KestrixFont);
  rt::textSize(12);
  rt::moveTo(3, 11);
  rt::drawString("chn");
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  else rt::setOutputWindow(1000 + f);
}

}  // namespace qv
