// The step walk with fake operations and a fake plot window: which entries run, with what
// step and settings, when the pause button shows, and what stops a run.
#include <gtest/gtest.h>

#include <limits>

#include <cstring>
#include <set>
#include <vector>

#include "core/prefs.h"
#include "core/script_state.h"
#include "editing/commands.h"
#include "core/output_state.h"
#include "respirometry/commands.h"
#include "scripts/replay_table.h"
#include "scripts/replay_walk.h"

using namespace qv;

namespace {

struct Call {
  int code, step, gasType, derive, analysis;
  bool operator==(const Call&) const = default;
};

struct FakeHost : ReplayHost {
  bool block = false;
  int16_t channels = 6;
  std::vector<int16_t> shown, buttons;
  int requests = 0, waits = 0;
  void showStep(int16_t s) override { shown.push_back(s); }
  bool blockSelected() override { return block; }
  int16_t channelCount() override { return channels; }
  void requestBlock() override { ++requests; }
  void pauseButton(int16_t, int16_t s) override { buttons.push_back(s); }
  // The user selects a block: the plot's mouse handler repeats the analysis on it.
  void waitForUser(bool) override {
    ++waits;
    block = true;
    if (AnalysisCode > 0) replayEntry(int(ScriptSequenceArray[ScriptCOUNT][1]))(ScriptCOUNT);
  }
  void endBlockStep(bool clear) override {
    if (clear) block = false;
  }
};

class ReplayWalk : public ::testing::Test {
 protected:
  std::vector<Call> calls;
  void SetUp() override {
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    clearReplayEntries();
    RunScript = 1;
    AnalysisCode = 0;
  }
  void TearDown() override {
    RegisterReplayOperations();
    RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void fake(int code, bool ok = true) {
    setReplayEntry(code, [this, code, ok](int16_t s) {
      calls.push_back({code, s, GasType, derive, AnalysisCode});
      if (!ok) {
        ScriptStepFailed = s;
        ScriptFailureText = "refused";
      }
      return ok;
    });
  }
  void steps(std::initializer_list<int> codes) {
    int s = 1;
    for (int c : codes) {
      ScriptSequenceArray[s][1] = float(c);
      if (c == 1) ScriptSequenceArray[s][2] = 3.0f;
      ++s;
    }
  }
};

int expectedAnalysis(int code) {
  switch (code) {
    case 30: return 22;
    case 36: return 23;
    case 37: return 24;
    case 38: return 25;
    case 39: return 26;
    case 45: return 27;
    default: return code;
  }
}

TEST_F(ReplayWalk, EveryCodeCallsItsEntryWithItsStepAndSettings) {
  const std::set<int> acting{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                             20, 21, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 45};
  for (int c : acting) fake(c);
  const std::set<int> blocks{12, 13, 14, 15, 16, 17, 19, 21, 28, 30, 36, 37, 38, 39, 45};
  // Two scripts hold codes 0..45 but 25, and 99; a third ends at 25.
  const std::vector<std::vector<int>> scripts{
      {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24},
      {26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 99}};
  for (const auto& script : scripts) {
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    for (size_t i = 0; i < script.size(); ++i) {
      ScriptSequenceArray[i + 1][1] = float(script[i]);
      ScriptSequenceArray[i + 1][2] = 3.0f;
    }
    calls.clear();
    FakeHost host;
    const WalkResult r = walkSteps(host);
    EXPECT_EQ(r.stoppedAt, 0) << r.why;
    EXPECT_EQ(host.shown.size(), 40u);
    std::vector<int> called;
    for (const Call& c : calls) {
      called.push_back(c.code);
      EXPECT_EQ(float(c.code), ScriptSequenceArray[c.step][1]) << "step " << c.step;
      if (c.code >= 8 && c.code <= 10) {
        EXPECT_EQ(c.gasType, c.code - 7);
      }
      if (c.code == 4 || c.code == 5) {
        EXPECT_EQ(c.derive, c.code - 4);
      }
      if (blocks.count(c.code)) {
        EXPECT_EQ(c.analysis, expectedAnalysis(c.code)) << c.code;
      }
    }
    std::vector<int> expected;
    for (int c : script)
      if (acting.count(c)) expected.push_back(c);
    EXPECT_EQ(called, expected);
  }
  calls.clear();
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  steps({2, 25, 3});
  FakeHost host;
  walkSteps(host);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].code, 2);
}

// Block steps: the first asks for a block, the next uses it at once; the pause button only
// when a step follows that is neither empty nor the end, and the step does not forbid it.
TEST_F(ReplayWalk, BlockStepsAndThePauseButton) {
  fake(12);
  fake(2);
  struct {
    std::vector<int> codes;
    float pauseFlag;
    std::vector<int16_t> buttons;
    int requests;
  } cases[] = {
      {{12, 12}, 0.0f, {1}, 1},      // the second runs on the block of the first, no button
      {{12, 25, 12}, 0.0f, {}, 1},   // the end follows: no button, the run ends
      {{12, 2}, 1.0f, {}, 1},        // word [0] = 1.0
      {{12, 2}, 0.0f, {1}, 1},
  };
  for (const auto& c : cases) {
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    for (size_t i = 0; i < c.codes.size(); ++i) ScriptSequenceArray[i + 1][1] = float(c.codes[i]);
    ScriptSequenceArray[1][0] = c.pauseFlag;
    calls.clear();
    FakeHost host;
    walkSteps(host);
    EXPECT_EQ(host.buttons, c.buttons);
    EXPECT_EQ(host.requests, c.requests);
  }
  // Step 40 is the last: record 41 is no step, whatever it holds.
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  ScriptSequenceArray[40][1] = 12.0f;
  ScriptSequenceArray[41][1] = 12.0f;
  calls.clear();
  FakeHost host;
  walkSteps(host);
  EXPECT_TRUE(host.buttons.empty());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].step, 40);
}

// Choosing the block of a rescaling step repeats no analysis; AnalysisCode comes back after.
TEST_F(ReplayWalk, ScaleToBlockHoldsTheAnalysisWhileItsBlockIsChosen) {
  fake(41);
  AnalysisCode = 16;
  prefsArray[14] = 0;
  steps({41});
  FakeHost host;
  walkSteps(host);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(host.waits, 1);
  EXPECT_EQ(calls[0].analysis, 16);
  EXPECT_FALSE(host.block);  // cleared after the rescaling
  EXPECT_EQ(prefsArray[14], 1);
  prefsArray[14] = 0;
}

TEST_F(ReplayWalk, WhatStopsARun) {
  fake(1);
  fake(2);
  fake(3, false);
  struct {
    std::vector<int> codes;
    float channel;
    int16_t stoppedAt;
    const char* why;
    std::vector<int> called;
  } cases[] = {
      {{2, 1, 2}, 7.0f, 2, "Channel 7 does not exist: the file has 5 channels.", {2}},
      {{1, 2}, 0.0f, 1, "Channel 0 does not exist", {}},
      {{1, 2}, -1.0f, 1, "Channel -1 does not exist", {}},
      {{1, 2}, std::numeric_limits<float>::quiet_NaN(), 1, "The channel of step 1 is not a number", {}},
      {{1, 2}, 5.0f, 0, "", {1, 2}},
      {{2, 4, 2}, 1.0f, 2, "\"INTEGRATE\" is not in this build.", {2}},
      {{15}, 1.0f, 1, "\"WAVEFORM\" is not in this build.", {}},
      {{2, 3, 2}, 1.0f, 2, "refused", {2, 3}},
      {{21}, 1.0f, 1, "Operation 21 is not in this build.", {}},
  };
  for (const auto& c : cases) {
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    for (size_t i = 0; i < c.codes.size(); ++i) {
      ScriptSequenceArray[i + 1][1] = float(c.codes[i]);
      ScriptSequenceArray[i + 1][2] = c.channel;
    }
    calls.clear();
    FakeHost host;
    host.channels = 5;
    const WalkResult r = walkSteps(host);
    EXPECT_EQ(r.stoppedAt, c.stoppedAt) << c.why;
    EXPECT_NE(r.why.find(c.why), std::string::npos) << r.why;
    std::vector<int> called;
    for (const Call& k : calls) called.push_back(k.code);
    EXPECT_EQ(called, c.called) << c.why;
  }
  // A word that is no number is no code and no channel.
  std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  uint32_t nan = 0x7fc00000u;
  std::memcpy(&ScriptSequenceArray[1][1], &nan, 4);
  calls.clear();
  FakeHost host;
  EXPECT_EQ(walkSteps(host).stoppedAt, 0);
  EXPECT_TRUE(calls.empty());
}

}  // namespace

TEST(ReplayRegistration, EveryOperationBuiltHasAnEntry) {
  RegisterReplayOperations();
  for (int code : {1, 2, 3, 6, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 28, 29, 30, 32, 33, 34, 35, 40, 41})
    EXPECT_TRUE(bool(replayEntry(code))) << code;
}
