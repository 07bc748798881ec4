#include "app/shell_hooks.h"

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "core/shell_hooks.h"
#include "datafiles/datafiles.h"
#include "editing/commands.h"
#include "plot/close_roads.h"
#include "respirometry/commands.h"
#include "scripts/commands.h"

namespace qv {

namespace {

// Save, as the File menu's: where the file came from, or where the user says when it has no
// place of its own. A save that left part of the changes unwritten (some channels or cases
// only) keeps the file open, as a cancel does.
plot::SaveOutcome saveInPlace() {
  switch (SAVEDATAFILE(0, 1, 0)) {
    case SaveResult::Saved: return plot::SaveOutcome::Saved;
    case SaveResult::Failed: return plot::SaveOutcome::Failed;
    case SaveResult::Cancelled:
    case SaveResult::Partial: break;
  }
  return plot::SaveOutcome::Cancelled;
}

// A new file asked for with the file-type chooser and loaded by the open road, whose own
// result says whether a file came in.
bool openRoadLoad() {
  SelectFileTYPE(0, 120, 200, 1, 0);
  return LOADFILE(0) == 0;
}

}  // namespace

void InstallShellHooks() {
  hooks::mainMenuHandler = HANDLEMENU;
  hooks::startupMenuHandler = StartupMenuHandler;
  hooks::mainLoopPass = MainLoopPass;
  hooks::repeatLastAnalysis = RepeatLastAnalysis;
  hooks::runCalculator = RunCalculatorOverTool;
  hooks::flashScriptStep = FLASHSCRIPTsequenceStep;
  hooks::fileInfo = FILEINFO;
  hooks::fixComments = FixCOMMENTS;
  hooks::cutBlock = CUTBLOCK;
  hooks::removeMarkersFromBlock = RemoveMarkersFromBlock;
  hooks::smoothing = SMOOTHING;
  hooks::constantVolumeWindow = ConstantVolumeRespirometry;
  plot::setStandardRoads(saveInPlace, openRoadLoad);
}

}  // namespace qv
