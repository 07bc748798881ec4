// The data-files roads that closing a plot window takes. The save is a stand-in until that
// subsystem is connected: replace the body of standInSave with
//   return SAVEDATAFILE(0, 1, 0) == SaveResult::Saved ? SaveOutcome::Saved : ...;
// A new file is asked for with the file-type chooser and loaded by the open road, whose own
// result says whether a file came in.
#include "plot/close_roads.h"

#include "core/chooser.h"
#include "core/notices.h"
#include "datafiles/datafiles.h"

namespace qv::plot {

namespace {

SaveOutcome standInSave() {
  NotAvailable("Save");
  return SaveOutcome::Failed;
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

SaveOutcome saveFileInUse() { return saveRoad() ? saveRoad()() : standInSave(); }
bool loadNewFile() { return loadRoad() ? loadRoad()() : openRoadLoad(); }

void setSaveRoad(SaveRoad road) { saveRoad() = std::move(road); }
void setLoadRoad(LoadRoad road) { loadRoad() = std::move(road); }

}  // namespace qv::plot
