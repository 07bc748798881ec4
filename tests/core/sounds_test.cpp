#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/prefs.h"
#include "core/sounds.h"
#include "core/script_state.h"
#include "runtime/sound.h"
#include "support/qvtest.h"

using namespace qv;

TEST(Sounds, LevelQuietFlagAndScriptsDecideWhatPlays) {
  qvtest::resetRuntime();
  std::vector<std::string> heard;
  rt::setSoundObserver([&](const std::string& s) { heard.push_back(s); });
  struct Case {
    int16_t level, beeps, quiet, script;
    std::vector<std::string> expected;
  } cases[] = {
      {25, 0, 0, 0, {"piiing.mp3", "tick.mp3", "scream.mp3"}},
      {26, 0, 0, 0, {"skid.mp3", "bup.mp3", "tick.mp3", "scream.mp3"}},
      {60, 1, 0, 0, {"skid.mp3", "bup.mp3", "tick.mp3", "endbeep.mp3", "scream.mp3"}},
      {0, 1, 0, 0, {"endbeep.mp3", "scream.mp3"}},
      {60, 1, 1, 0, {"scream.mp3"}},
      {60, 1, 0, 1, {"scream.mp3"}},
  };
  for (const auto& c : cases) {
    prefsArray[7] = c.level, prefsArray[29] = c.beeps, prefsArray[48] = c.quiet, RunScript = c.script;
    heard.clear();
    skid();
    bup();
    Tick();
    EndBeep();
    scream();
    EXPECT_EQ(heard, c.expected) << c.level << " " << c.beeps << " " << c.quiet << " " << c.script;
  }
  rt::setSoundObserver(nullptr);
  RunScript = 0;
  SetPreferenceDefaults();
}
