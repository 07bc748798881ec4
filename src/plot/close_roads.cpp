// Stand-ins for the data-files roads until that subsystem is connected: replace the bodies
// of standInSave and standInLoad with
//   return SAVEDATAFILE(0, 1, 0) == SaveResult::Saved ? SaveOutcome::Saved : ...;
//   SelectFileTYPE(0, 120, 200, 1, 0); return LOADFILE(0) == 0;
#include "plot/close_roads.h"

#include "core/notices.h"

namespace qv::plot {

namespace {

SaveOutcome standInSave() {
  NotAvailable("Save");
  return SaveOutcome::Failed;
}

bool standInLoad() {
  NotAvailable("Open");
  return false;
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
bool loadNewFile() { return loadRoad() ? loadRoad()() : standInLoad(); }

void setSaveRoad(SaveRoad road) { saveRoad() = std::move(road); }
void setLoadRoad(LoadRoad road) { loadRoad() = std::move(road); }

}  // namespace qv::plot
