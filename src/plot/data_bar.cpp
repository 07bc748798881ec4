// The data bar's readouts while the pointer moves over the plot: the case and its elapsed
// time, its time of day and the active channel's value there.
#include <algorithm>

#include "core/filetable.h"
#include "plot/block_support.h"
#include "plot/data_bar_texts.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

void UpdateDataBar(float seconds, int32_t kase) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int win = plot::kPlotWindowBase + f;
  if (!rt::windowExists(win)) return;
  if (rt::controlExistsIn(win, 54)) rt::setEditTextIn(win, 54, plot::dataBarCaseText(seconds, kase));
  const double minutesOfDay = double(FileInfoFLOATS[f][1]) * kase / 60 + FileInfoFLOATS[f][8];
  if (rt::controlExistsIn(win, 55)) rt::setEditTextIn(win, 55, plot::clockText(minutesOfDay));
  const float* samples = plot::channelSamples(f, ActiveChannel);
  if (!samples || ActiveChannel < 1 || nCases[f] < 1) return;
  // The case under the pointer can lie past either end of the file: its nearest sample.
  tmFloat = samples[std::clamp<int32_t>(kase, 1, nCases[f])];
  if (rt::frontWindow() == win && rt::controlExistsIn(win, 56))
    rt::setEditTextIn(win, 56, plot::dataBarValueText(tmFloat));
}

}  // namespace qv
