// The roads that closing a plot window takes: the data-files layer above provides them (the
// shell installs them at start-up) and tests put in roads of their own.
#include "plot/close_roads.h"

namespace qv::plot {

namespace {

struct Roads {
  SaveRoad save;
  LoadRoad load;
};

Roads& installed() {
  static Roads r;
  return r;
}

Roads& standard() {
  static Roads r;
  return r;
}

}  // namespace

SaveOutcome saveFileInUse() {
  const SaveRoad& road = installed().save ? installed().save : standard().save;
  return road ? road() : SaveOutcome::Cancelled;
}

bool loadNewFile() {
  const LoadRoad& road = installed().load ? installed().load : standard().load;
  return road ? road() : false;
}

void setSaveRoad(SaveRoad road) { installed().save = std::move(road); }
void setLoadRoad(LoadRoad road) { installed().load = std::move(road); }

void setStandardRoads(SaveRoad save, LoadRoad load) {
  standard().save = std::move(save);
  standard().load = std::move(load);
}

}  // namespace qv::plot
