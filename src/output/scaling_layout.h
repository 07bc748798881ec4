#pragma once
// Where the controls of "Scaling Factors for Results" go for a file of n channels: one row a
// channel, 22 pixels apart; a list too tall for the screen is set in columns side by side.
#include <vector>

#include "runtime/geometry.h"

namespace qv {

struct ScalingRowPlace {
  rt::Point caption;  // base line of "channel k,"
  rt::Rect label, multiply, divide, factor;
  rt::Point plus;  // base line of "+"
  rt::Rect constant;
};

struct ScalingLayout {
  int width = 0, height = 0;
  int columns = 1, rowsPerColumn = 0;
  std::vector<ScalingRowPlace> rows;  // rows[k - 1] for channel k
  int lineY = 0, lineRight = 0;       // the engraved line under the list
  rt::Rect clearAll, done;
};

// `maxHeight` is the tallest the window may be (the screen's height below its top at y 60).
// One column while it fits: 528 x 315, or 22n + 51 high beyond 12 channels.
ScalingLayout scalingWindowLayout(int channels, int maxHeight);

}  // namespace qv
