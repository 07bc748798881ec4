// Edit > "Custom Transforms..." (the manager) and the selection list of the transformations
// window: window 150.
#include <algorithm>

#include "core/help.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/view_state.h"
#include "runtime/windows.h"
#include "transforms/commands.h"
#include "transforms/custom_list.h"
#include "transforms/custom_table.h"
#include "transforms/transform_state.h"

namespace qv {

namespace {

constexpr int kManagerWindow = 150;
constexpr int kDelete = 51, kSelectionOK = 52, kCancel = 53, kInspect = 54;

// Rows of the list: two columns of 20, so never more than 20 rows.
int listRows() { return std::min<int>(NumberOfCustomTransforms, 20); }

void buildManagerButtons(int16_t mode) {
  const int y = customManagerButtonTop(NumberOfCustomTransforms);
  rt::setOutputWindow(kManagerWindow);
  for (int id : {kDelete, kInspect, kCancel, kSelectionOK}) rt::removeControl(id);
  rt::FBButton(kDelete, 1, "Delete Transformation(s)...", {20, y, 220, y + 20}, 1);
  rt::FBButton(kInspect, 0, "Inspect/Edit...", {230, y, 345, y + 20}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {430, y, 530, y + 20}, 1);
  rt::FBButton(kSelectionOK, 1, mode == 1 ? "Selection OK" : "Done", {540, y, 660, y + 20}, 4);
}

void buildManager(int16_t mode) {
  const int height = 20 * listRows() + 86;
  int bottom = BottomOfPlotArea + 10, top = bottom - height;
  if (top < 40) {
    top = 80;
    bottom = top + height;
  }
  BuildWINDOW(kManagerWindow, "Custom Transformations", 50, int16_t(top), 725, int16_t(bottom), 6);
  SetTextStyle(3, 28, 1);
  PrintAt(20, 32, mode == 1 ? "Select a custom transformation" : "Custom transformation manager");
  LoadCustomTransformsArray(0, 1);
  buildManagerButtons(mode);
}

void select(int16_t& selected, int k) {
  if (selected >= 1 && rt::controlExists(selected)) rt::setControlValue(selected, 0);
  selected = int16_t(k);
  rt::setControlValue(k, 1);
  rt::setButtonState(kInspect, 1);
}

void afterDeletion(int16_t mode, int16_t& selected) {
  const int before = NumberOfCustomTransforms;
  rt::setOutputWindow(kManagerWindow);
  for (int k = 1; k <= before; ++k) rt::removeControl(k);
  LoadCustomTransformsArray(0, 0);
  buildManager(mode);
  selected = 0;
}

}  // namespace

int customManagerButtonTop(int records) { return 20 * std::clamp(records, 0, 20) + 56; }

int16_t GetCustomTransformation(int16_t mode) {
  SavedHandlers saved;
  HelpSubject = 239;
  LoadCustomTransformsArray(0, 0);
  buildManager(mode);
  installModalHandlers();
  int16_t selected = 0;
  int16_t result = 0;
  action = eventID = 0;
  for (;;) {
    waitForAction();
    const int id = eventID;
    const int a = action;
    action = eventID = 0;
    if (a == 1 && id >= 1 && id <= NumberOfCustomTransforms) {
      select(selected, id);
    } else if (a == 1 && id == kDelete) {
      DeleteCustomTransformation();
      afterDeletion(mode, selected);
    } else if (a == 1 && id == kInspect && selected >= 1) {
      const std::string name = InspectOrEditTransform(selected);
      rt::setOutputWindow(kManagerWindow);
      rt::bringWindowForward(kManagerWindow);
      rt::setControlTitle(selected, name);
    } else if ((a == 1 && id == kSelectionOK) || a == 16 || (a == 4 && id == kManagerWindow)) {
      result = selected;
      break;
    } else if (a == 1 && id == kCancel) {
      break;
    }
  }
  rt::closeWindow(kManagerWindow);
  return result;
}

}  // namespace qv
