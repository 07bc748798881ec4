// Reference removal: the scan and the replacement on small tables, the long straight line,
// and the window's fixes, markers, Undo and replay through scripted input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/edit_fixture.h"
#include "editing/commands.h"
#include "editing/references.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace qv::refs;

namespace {

using edittest::channel;

// Finds and replaces over the whole channel as one press does.
std::vector<float> fixed(std::vector<float> x, const Settings& s) {
  const Found f = findStretches(x, 1, int32_t(x.size()) - 1, s, {}, kMostStretches);
  for (const Stretch& st : f.stretches) replaceStretch(x, st, s);
  return x;
}

Settings settings(bool down, float cutoff, int32_t extra, bool interpolate = true, float value = 0) {
  Settings s;
  s.downwards = down;
  s.cutoff = cutoff;
  s.leftExtra = s.rightExtra = extra;
  s.interpolate = interpolate;
  s.fixedValue = value;
  return s;
}

}  // namespace

TEST(References, StretchesAndTheirReplacement) {
  const auto data = channel({10, 10, 2, 3, 10, 10});
  struct Case {
    Settings s;
    std::vector<float> out;
  };
  const std::vector<Case> cases{
      {settings(true, 5, 0), channel({10, 10, 2, 6, 10, 10})},
      {settings(true, 5, 1), channel({10, 10, 10, 10, 10, 10})},
      {settings(true, 5, 0, false, 0), channel({10, 10, 0, 0, 0, 10})},
      {settings(false, 10, 0), channel({10, 6, 2, 3, 10, 10})},
      {settings(true, 3, 0), channel({10, 10, 2, 6, 10, 10})},  // equality is a reference reading
  };
  for (size_t k = 0; k < cases.size(); ++k) EXPECT_EQ(fixed(data, cases[k].s), cases[k].out) << "case " << k;

  // The case after a stretch and the end of the range: none begins at the last case.
  const Found f = findStretches(channel({10, 2, 2, 10, 2}), 1, 5, settings(true, 5, 0), {}, kMostStretches);
  ASSERT_EQ(f.stretches.size(), 1u);
  EXPECT_EQ(f.stretches[0], (Stretch{2, 4}));
}

TEST(References, EdgesAtMarkersOrNone) {
  std::vector<float> x(1001, 20.0f);
  for (int i = 200; i <= 209; ++i) x[size_t(i)] = 1.0f;
  for (int i = 600; i <= 609; ++i) x[size_t(i)] = 1.0f;
  Settings s = settings(true, 5, 10);
  s.leftToMarker = s.rightToMarker = true;
  const std::vector<int32_t> marks{100, 300};
  const Found f = findStretches(x, 1, 1000, s, marks, kMostStretches);
  ASSERT_EQ(f.stretches.size(), 1u);
  EXPECT_EQ(f.stretches[0], (Stretch{100, 300}));
  EXPECT_EQ(f.skipped, 1) << "no marker after the second stretch";
  EXPECT_EQ(findStretches(x, 1, 1000, settings(true, 5, 0), {}, 1).full, true);
}

TEST(References, TheLineReachesItsEndsAndRefusesNothingToSpan) {
  std::vector<float> x(3001, 0.0f);
  x[1] = 20.93f;
  x[3000] = 20.95f;
  ASSERT_TRUE(replaceStretch(x, {1, 3000}, settings(true, 0, 0)));
  EXPECT_EQ(x[3000], 20.95f);
  EXPECT_EQ(x[1], 20.93f);
  // Over 100,000 cases the line still rises case by case rather than in one jump.
  std::vector<float> y(100001, 0.0f);
  y[1] = 20.90f;
  y[100000] = 20.95f;
  replaceStretch(y, {1, 100000}, settings(true, 0, 0));
  EXPECT_GT(y[50000], 20.92f);
  EXPECT_LT(y[50000], 20.93f);
  // R = L, or an edge that is a gap: nothing is written.
  auto z = channel({1, 2, 3});
  EXPECT_FALSE(replaceStretch(z, {2, 2}, settings(true, 0, 0)));
  z[3] = NAN;
  EXPECT_FALSE(replaceStretch(z, {1, 3}, settings(true, 0, 0)));
  EXPECT_EQ(z[2], 2.0f);
  EXPECT_EQ(wordCount(-50, 0, 10), 0);
  EXPECT_EQ(wordCount(NAN, 0, 10), 0);
  EXPECT_EQ(wordCount(40000, 0, 32767), 32767);
}

namespace {

class ReferenceWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    coretest::makeFile(0, 2, 1000);
    TheFileInUse = 0;
    ActiveChannel = 1;
    FileSHORTS[0][kBlockStateWord] = 0;
    for (int32_t i = 0; i <= 1000; ++i) PutDatum(0, 1, i, i >= 200 && i <= 209 ? 1.0f : 20.0f);
    PutDatum(0, 1, 190, 19.0f);
    auto addMarker = [](int32_t kase, int32_t code) {
      const int n = ++FileSHORTS[0][kMarkerCountWord];
      MarkersArray[0][n][1] = kase;
      MarkersArray[0][n][2] = code;
    };
    addMarker(100, 'A');
    addMarker(300, 'B');
    FirstRefRemovalVal = SecondRefRemovalVal = 10;
    edittest::startScript();
  }
  void TearDown() override {
    edittest::closeAll();
  }
  static std::vector<std::pair<int32_t, int32_t>> markers() {
    std::vector<std::pair<int32_t, int32_t>> m;
    for (int k = 1; k <= FileSHORTS[0][kMarkerCountWord]; ++k) m.emplace_back(MarkersArray[0][k][1], MarkersArray[0][k][2]);
    return m;
  }
};

}  // namespace

TEST_F(ReferenceWindow, FixWithMarkersThenUndoLeavesTheOriginals) {
  qvtest::script({"type 111 5", "click 5", "click 10", "click 10", "click 9"});
  REMOVEREFS(0);
  EXPECT_EQ(GetDatum(0, 1, 190), 19.0f);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 205), 19.5f);
  EXPECT_EQ(GetDatum(0, 1, 220), 20.0f);
  using M = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(markers(), (M{{100, 'A'}, {190, 200}, {220, 199}, {300, 'B'}})) << "a re-press adds none";
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 40.0f);
  EXPECT_EQ(ScriptSequenceArray[1][6], 5.0f);
  EXPECT_EQ(ScriptSequenceArray[1][9], 10.0f);
  EXPECT_EQ(ScriptSequenceArray[1][11], 1.0f);
  EXPECT_NE(CommentContainer[0].find("reference removal; downgoing; \rinterpolate, \tcutoff =  5"), std::string::npos);

  // Fix and Undo in one opening: data, markers as they were, and no step.
  PutDatum(0, 1, 600, 1.0f);
  FileSHORTS[0][kChangeMarkWord] = 0;
  qvtest::script({"type 111 5", "click 5", "click 10", "click 8", "click 9"});
  REMOVEREFS(0);
  EXPECT_EQ(GetDatum(0, 1, 600), 1.0f);
  EXPECT_EQ(markers(), (M{{100, 'A'}, {190, 200}, {220, 199}, {300, 'B'}}));
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(ReferenceWindow, NothingFoundOrRefusedChangesNothing) {
  MAKEBACKUP(2);
  LastChan = 2;
  FileSHORTS[0][kChangeMarkWord] = 0;
  qvtest::script({"type 111 0", "click 10", "type 112 x", "click 10", "click 1", "type 112 1.5", "click 10", "click 1",
                  "dialog 4 4"});
  REMOVEREFS(0);
  EXPECT_EQ(GetDatum(0, 1, 205), 1.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(LastChan, 2);
  EXPECT_EQ(FirstRefRemovalVal, 10);
}

TEST_F(ReferenceWindow, FullMarkerListSaysSoAndStillFixes) {
  FileSHORTS[0][kMarkerCountWord] = 32499;
  for (int k = 3; k <= 32499; ++k) {
    MarkersArray[0][k][1] = 900;
    MarkersArray[0][k][2] = 'C' + k % 2;
  }
  qvtest::script({"type 111 5", "click 5", "click 10", "click 1", "click 9"});
  REMOVEREFS(0);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 205), 19.5f);
  for (auto [kase, code] : markers()) EXPECT_NE(code, 200);
}

TEST_F(ReferenceWindow, ReplayKeepsItsCountsInRange) {
  RecordSCRIPT = 0;
  autoscript = 1;
  ScriptRunOnce = 100;
  float* w = ScriptSequenceArray[40];
  w[1] = 40;
  w[4] = 1;
  w[5] = 1;
  w[6] = 5;
  w[7] = -50;
  w[9] = -3;
  w[10] = NAN;
  REMOVEREFS(40);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 205), 1.0f + (19.0f / 10) * 5);
  EXPECT_EQ(w[7], 0.0f);
  EXPECT_EQ(w[9], 0.0f);
  EXPECT_FALSE(rt::windowExists(4));
}
