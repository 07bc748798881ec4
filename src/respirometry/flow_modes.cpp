#include "respirometry/flow_modes.h"

namespace qv {

int16_t flowModeShown(int16_t gasType, FlowWindow window, int16_t mode) {
  const bool co2 = gasType == 2;
  if (window == FlowWindow::Chambers) {
    if (mode < 1 || mode > 5) mode = 1;
    if (co2 && mode > 4) mode = 4;
  } else {
    if (mode < 6 || mode > 10) mode = 6;
    if (co2 && mode > 8) mode = 8;
  }
  return mode;
}

bool flowNeedsHumidity(int16_t gasType, int16_t mode) {
  if (gasType == 1) return mode == 1 || mode == 2 || mode == 9 || mode == 10;
  if (gasType == 2) return mode == 1 || mode == 4 || mode == 8;
  return false;
}

}  // namespace qv
