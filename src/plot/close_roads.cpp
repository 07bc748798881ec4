// The data-files roads that closing a plot window takes: the save of the File menu, and a
// new file asked for with the file-type chooser and loaded by the open road, whose own
// result says whether a file came in.
#include "plot/close_roads.h"

#include "app/chooser.h"
#include "core/notices.h"
#include "datafiles/datafiles.h"

namespace qv::plot {

namespace {

// Save, as the File menu's: where the file came from, or where the user says when it has no
// place of its own. A save that left part of the changes unwritten (some channels or cases
// only) keeps the file open, as a cancel does.
SaveOutcome saveInPlace() {
  switch (SAVEDATAFILE(0, 1, 0)) {
    case SaveResult::Saved: return SaveOutcome::Saved;
    case SaveResult::Failed: return SaveOutcome::Failed;
    case SaveResult::Cancelled:
    case SaveResult::Partial: break;
  }
  return SaveOutcome::Cancelled;
}

bool openRoadLoad() {
  SelectFileTYPE(0, 120, 200, 1, 0);
  return LOADFILE(0) == 0;
}

SaveRoad& saveRoad() {
  static SaveRoad r;
  return r;
}

LoadRoad& loadRoad() {
  static LoadRoad r;
  return r;
}

}  // namespace

SaveOutcome saveFileInUse() { return saveRoad() ? saveRoad()() : saveInPlace(); }
bool loadNewFile() { return loadRoad() ? loadRoad()() : openRoadLoad(); }

void setSaveRoad(SaveRoad road) { saveRoad() = std::move(road); }
void setLoadRoad(LoadRoad road) { loadRoad() = std::move(road); }

}  // namespace qv::plot
