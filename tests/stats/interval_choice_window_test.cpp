#include <gtest/gtest.h>

#include "core/prefs.h"
#include "plot/block_shift.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "stats/commands.h"
#include "stats_window_fixture.h"

namespace qv {
namespace {

// The Block Width window offers the buttons: a preset, then halved, becomes the block width.
TEST(IntervalChoiceWindow, BlockWidthTakesAPresetAndAnAdjuster) {
  statstest::recordingWithBlock(8000, {[](int32_t k) { return float(k); }}, 100, 300);
  qvtest::script({"click 43", "click 59", "click 111"});
  AUTOBLOCK();
  EXPECT_EQ(prefsArray[36], 1);
  EXPECT_EQ(ABunit, plot::blockHalfWidth(15.0, 2.0, 8000).cases);
}

}  // namespace
}  // namespace qv
