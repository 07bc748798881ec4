#include "plot/window_name.h"

#include "core/filetable.h"
#include "core/menu_state.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

std::string plot::plainPlotTitle(int slot, const std::string& fileName, int channels, int32_t cases) {
  return "Plot Window" + rt::PSstrLong(slot + 1) + ":  '" + fileName + "' (" + rt::PSstrLong(channels) +
         " Channels," + rt::PSstrLong(cases) + " Samples ) ";
}

void RestoreWindowName() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (rt::windowExists(1000 + f))
    rt::setWindowTitle(1000 + f, plot::plainPlotTitle(f, FileName[f], nChannels[f], nCases[f]));
  FIxWINDOWSmenu();
  WindowsMenuCheckmark(int16_t(f + 1));
}

}  // namespace qv
