#pragma once
// The calculator windows' shared test set-up: defaults, no file, sounds heard and window 8's
// fields as each button click found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

namespace calctest {

using Fields = std::map<int, std::string>;

class CalculatorWindowTest : public ::testing::Test {
 protected:
  // Window 8 as each button click found it (the click is heard before the button acts).
  std::vector<Fields> seen;
  std::vector<std::string> heard;

  void SetUp() override {
    using namespace qv;
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    setPreferencesPaths(installedPreferencesPath(), qvtest::tempDir("calculators") + "/QVprefs.QVpr");
    GiveDefaults();
    action = eventID = 0;
    MenuIDENTIFIER = MenuItem = 0;
    gQuitPending = false;
    TheFileInUse = -1;
    LastCalculatorResult = 0;
    meanValue = 0;
    click = 1;
    prefsArray[7] = 20;
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name == "click.mp3" && rt::windowExists(8)) seen.push_back(fields());
    });
  }
  void TearDown() override {
    qv::rt::setSoundObserver(nullptr);
    qv::TheFileInUse = -1;
  }

  static Fields fields() {
    using namespace qv;
    Fields f;
    for (int id : {3,   11,  12,  13,  101, 103, 104, 105, 106, 108, 111, 112, 113, 114, 115, 116, 117,
                   123, 131, 141, 143, 200, 210, 211, 212, 213, 214, 215, 216, 217})
      if (rt::controlExistsIn(8, id)) f[id] = rt::editTextIn(8, id);
    f[-29] = rt::controlExistsIn(8, 29) ? std::to_string(rt::buttonStateIn(8, 29)) : "";
    return f;
  }
  bool heardSound(const std::string& name) const {
    return std::find(heard.begin(), heard.end(), name) != heard.end();
  }
  int bzots() const { return int(std::count(heard.begin(), heard.end(), "bzot.mp3")); }
  static double number(const std::string& text) { return qv::rt::PSval(text); }
};

}  // namespace calctest
