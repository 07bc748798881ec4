// The menu rules: items enabled, disabled and checked from the state of the file in use, its
// block and the tool bar.
#include "plot/menu_rules.h"

#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/menus.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// Tool-bar buttons, when the tool bar exists. The output window is put back afterwards.
struct ToolBarButtons {
  int savedOutput = rt::outputWindow();
  bool exists = rt::windowExists(kToolBarWindow);
  ToolBarButtons() {
    if (exists) rt::setOutputWindow(kToolBarWindow);
  }
  ~ToolBarButtons() {
    if (exists && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  }
  void hide(std::initializer_list<int> ids) const {
    for (int id : ids)
      if (rt::controlExists(id)) rt::setControlShown(id, false);
  }
  void show(std::initializer_list<int> ids, int state = 1) const {
    for (int id : ids)
      if (rt::controlExists(id)) {
        rt::setControlShown(id, true);
        rt::setButtonState(id, state);
      }
  }
  void enable(std::initializer_list<int> ids, int state = 1) const {
    for (int id : ids)
      if (rt::controlExists(id)) rt::setButtonState(id, state);
  }
};

void noBlockState(int f, bool zoomed) {
  if (EndBlock.inUse() >= 1 && EndBlock.inUse() <= nCases[f]) FBMenu(kEditMenu, 2, 1);
  FBMenu(kFileMenu, 8, 0);
  if (rt::windowExists(kToolBarWindow)) {
    const int front = rt::frontWindow();
    ToolBarButtons tb;
    tb.hide({565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 592, 593, 595, 591, 589});
    if (zoomed) tb.show({589, 590});
    tb.enable({598});
    if (front) rt::bringWindowForward(front);
  }
  FBMenu(kMarkersMenu, 3, 0);
  FBMenu(kViewMenu, 6, 0);
  FBMenu(kViewMenu, 7, zoomed ? 1 : 0);
  FBMenu(kRespirometryMenu, 12, 0);
  FBMenu(kEditMenu, 7, 0);
  FBMenu(kChangeRemoveMenu, 2, 0);
  FBMenu(kChangeRemoveMenu, 3, 0);
  for (int16_t i : {25, 26, 30}) FBMenu(kEditMenu, i, 0);
  for (int16_t i = 1; i <= 22; ++i) FBMenu(kAnalyzeMenu, i, 0);
  for (int16_t i : {12, 27, 28}) FBMenu(kAnalyzeMenu, i, 0);
  FBMenu(kAnalyzeMenu, 8, 1);
  FBMenu(kAnalyzeMenu, 9, 1);
}

void blockState(int f, bool zoomed) {
  FBMenu(kFileMenu, 8, 1);
  FBMenu(kEditMenu, 2, 0);
  FBMenu(kEditMenu, 7, 1);
  FBMenu(kMarkersMenu, 3, 1);
  FBMenu(kViewMenu, 6, zoomed ? 2 : 1);
  FBMenu(kViewMenu, 7, zoomed ? 1 : 0);
  if (rt::windowExists(kToolBarWindow)) {
    const int front = rt::frontWindow();
    if (BaselineON == 0) RestoreTheToolBar();
    ToolBarButtons tb;
    // Buttons built hidden show once a block is set, without a rebuild of the bar.
    if (zoomed) tb.hide({589});
    else tb.show({589});
    tb.show({565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 591, 592, 593, 595});
    if (zoomed) tb.show({589, 590});
    // Regress Channels needs two channels, as its menu item does.
    if (nChannels[f] < 2) tb.enable({574}, 0);
    tb.enable({598});
    if (front) rt::bringWindowForward(front);
  }
  FBMenu(kRespirometryMenu, 12, 1);
  FBMenu(kEditMenu, 7, 1);
  FBMenu(kChangeRemoveMenu, 2, 1);
  FBMenu(kChangeRemoveMenu, 3, 1);
  for (int16_t i : {25, 26, 30}) FBMenu(kEditMenu, i, 1);
  for (int16_t i = 1; i <= 22; ++i) FBMenu(kAnalyzeMenu, i, 1);
  for (int16_t i : {12, 27, 28}) FBMenu(kAnalyzeMenu, i, 1);
  if (nChannels[f] == 1) {
    FBMenu(kAnalyzeMenu, 16, 0);
    FBMenu(kAnalyzeMenu, 18, 0);
  }
}

}  // namespace

void SETMENU(uint16_t mode) {
  const int f = TheFileInUse;
  FBMenu(kEditMenu, 2, 0);
  if (mode) RestoreTheToolBar();
  FBMenu(kWindowMenu, 0, 1);
  FBMenu(kFileMenu, 4, 1);
  if (f < 0 || f > 20) return;
  FBMenu(kEditMenu, 32, nChannels[f] >= 2 ? 1 : 0);
  // Reset Last Block (item 2) is left to the block rules below: it is offered only while the
  // last block still lies inside the file.
  for (int16_t i : {1, 4, 5, 7}) FBMenu(kEditMenu, i, 1);
  FBMenu(kMarkersMenu, 6, NumberOfNotes[f] ? 1 : 0);
  const bool zoomed = FileSHORTS[f][6] != 0;
  if (FileSHORTS[f][2] != 2) noBlockState(f, zoomed);
  else blockState(f, zoomed);
  FBMenu(kEditMenu, 31, nChannels[f] >= kMaxChannels ? 0 : 1);
  FBMenu(kChangeRemoveMenu, 4, nChannels[f] == 1 ? 0 : 1);
  if (nCases[f] >= 128) FBMenu(kAnalyzeMenu, 13, 1);
}

}  // namespace qv
