// The flow-system fields and the heat-equivalence window: typed values are stored whole or
// not at all.
#include <gtest/gtest.h>

#include "core/channel_roles.h"
#include "core/core_files.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "respirometry/commands.h"
#include "respirometry/flow_fields.h"
#include "respirometry/heat_equivalence.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

FlowFieldTexts texts(std::optional<std::string> flow, std::string mass, std::string bp, std::string temp,
                     std::string volume) {
  return {std::move(flow), std::move(mass), std::move(bp), std::move(temp), std::move(volume)};
}

class Respirometry : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    coretest::makeFile(0, 3, 20);
    TheFileInUse = 0;
    FlowRateChannel = 0;
    for (int w = 1; w <= 9; ++w) FileInfoFLOATS[0][w] = 0;
    FileInfoFLOATS[0][2] = 500;
    FileInfoFLOATS[0][4] = 760;
    FileInfoFLOATS[0][6] = 30;
  }
  void TearDown() override {
    FreeFileSlot(0);
    TheFileInUse = -1;
  }
};

}  // namespace

TEST(FlowFields, TheChecksOfATypedBlock) {
  struct Case {
    FlowFieldTexts t;
    bool accepted;
    float volume;
  };
  const Case cases[] = {
      {texts("2", "30", "760", "20", "1000"), true, 1000},
      {texts(std::nullopt, "30", "760", "20", "1000"), true, 1000},
      {texts("2", "0", "760", "20", "0"), true, 0.1f},
      {texts("2", "30", "760", "20", ""), true, 0.1f},
      {texts("2", "30", "760", "20", "-1"), false, 0},
      {texts("2", "30", "0", "20", "5"), false, 0},
      {texts("2", "30", "760", "-300", "5"), false, 0},
      {texts("12a", "30", "760", "20", "5"), false, 0},
      {texts("0", "30", "760", "20", "5"), false, 0},
      {texts("2", "-1", "760", "20", "5"), false, 0},
      {texts("2", "abc", "760", "20", "5"), false, 0},
  };
  for (const Case& c : cases) {
    const FlowFieldCheck r = checkFlowFields(c.t);
    EXPECT_EQ(r.accepted, c.accepted) << r.message;
    if (c.accepted) EXPECT_EQ(r.values.volume, c.volume);
    else EXPECT_FALSE(r.message.empty());
  }
  EXPECT_EQ(*checkFlowFields(texts("2", "30", "760", "20", "5")).values.flow, 2.0f);
}

TEST_F(Respirometry, ReadFlowStoresAllOrNothing) {
  rt::openWindow(4, "", {10, 500, 400, 700}, rt::kDocumentWindowClass, 0);
  rt::setOutputWindow(4);
  prefsArray[53] = 1;  // litres per minute
  FLOWSTUFF();
  EXPECT_EQ(FieldX, 225);
  rt::setEditText(221, "2");
  rt::setEditText(225, "0");
  ASSERT_TRUE(READFLOW());
  EXPECT_EQ(FileInfoFLOATS[0][2], 2.0f);
  EXPECT_EQ(FileInfoFLOATS[0][5], 0.1f);

  rt::setEditText(221, "12a");
  rt::setEditText(222, "55");
  qvtest::script({"click 1"});
  EXPECT_FALSE(READFLOW());
  EXPECT_EQ(FileInfoFLOATS[0][2], 2.0f);
  EXPECT_EQ(FileInfoFLOATS[0][6], 30.0f) << "nothing of a refused read is stored";
  rt::closeWindow(4);

  FlowRateChannel = 2;
  rt::openWindow(4, "", {10, 500, 400, 700}, rt::kDocumentWindowClass, 0);
  rt::setOutputWindow(4);
  FLOWSTUFF();
  EXPECT_FALSE(rt::controlExists(221));
  ASSERT_TRUE(READFLOW());
  EXPECT_EQ(FileInfoFLOATS[0][2], 2.0f);
  rt::closeWindow(4);
}

TEST_F(Respirometry, HeatEquivalenceByFuelOrTyped) {
  GasType = 1;
  flowconO = 20.1f;
  qvtest::script({"click 2", "click 5"});
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(flowconO, 19.8f);
  EXPECT_EQ(flowcon, 19.8f * 0.0166667f);

  GasType = 2;
  qvtest::script({"click 4", "click 5"});
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(flowconC, 27.5f);

  for (const char* bad : {"abc", "-3"}) {
    const std::string typed = std::string("type 102 ") + bad;
    qvtest::script({typed.c_str(), "click 5", "click 1", "click 5"});
    SelectHeatEquivalence("", 50, 70);
    EXPECT_EQ(flowconC, 27.5f) << bad;
  }
}

// The field shows 6 characters: Done with the text untouched keeps all the stored digits.
TEST_F(Respirometry, HeatEquivalenceKeepsItsDigitsThroughTheShortField) {
  GasType = 1;
  flowconO = 20.123456f;
  qvtest::script({"click 5"});
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(flowconO, 20.123456f);
  EXPECT_EQ(flowcon, 20.123456f * 0.0166667f);
  qvtest::script({"type 102 20.12", "click 5"});  // typed, even as it was shown, it is taken
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(flowconO, 20.12f);
}

TEST_F(Respirometry, HeatFieldTextAndTheMassRule) {
  EXPECT_EQ(heatFieldText(20.1f), " 20.1");
  EXPECT_EQ(heatFieldText(20.123456f), " 20.12");
  GasType = 1;
  FileInfoFLOATS[0][6] = 0;
  qvtest::script({"click 5"});
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(FileInfoFLOATS[0][6], 1.0f);
  FileInfoFLOATS[0][6] = -5;
  qvtest::script({"click 5"});
  SelectHeatEquivalence("", 50, 70);
  EXPECT_EQ(FileInfoFLOATS[0][6], -5.0f);
}
