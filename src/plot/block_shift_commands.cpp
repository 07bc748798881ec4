// Shift Block Left and Right: the block moves one width through the file, its highlight and
// the block window follow, and with automatic repeat the last analysis runs on it again.
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/output_state.h"
#include "plot/block_geometry.h"
#include "plot/block_shift.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"

namespace qv {

namespace {

void shiftBlock(int direction) {
  const int f = TheFileInUse;
  // Only a block that is shown can be shifted: with no highlight on the plot there is
  // nothing to move, and a pending first edge has no width yet.
  if (!slotIsOpen(f) || FileSHORTS[f][2] != 2) return;
  const auto moved = plot::shiftedBlock(BeginBlock[f], EndBlock[f], nCases[f], prefsArray[39] == 1, direction);
  if (!moved) return;
  RefreshPLOTBLOCK(0);  // the old highlight goes, wherever it was drawn
  BeginBlock[f] = moved->begin;
  EndBlock[f] = moved->end;
  // The kept pixel edges belong to the old cases: the new highlight gets them anew.
  const plot::BlockView v = plot::blockViewOfSlot(f);
  FileSHORTS[f][11] = plot::caseColumn(v, moved->begin);
  FileSHORTS[f][12] = plot::caseColumn(v, moved->end);
  RefreshPLOTBLOCK(0);
  DrawBLOCK();
  // A shifted block is a new block, as one selected with the mouse: the last analysis runs
  // on it again when automatic repeat is on.
  if (AnalysisCode > 0 && prefsArray[14]) AUTO_REPEAT();
}

}  // namespace

void ShiftBlockLeft() { shiftBlock(-1); }
void ShiftBlockRight() { shiftBlock(1); }

}  // namespace qv
