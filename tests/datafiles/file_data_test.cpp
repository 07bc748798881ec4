// Edit File Data: what typed fields become in the file table, what is refused and kept, when
// the file counts as changed, and the window's roads through the information and comments
// windows.
#include <filesystem>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/view_state.h"
#include "datafiles/datafiles.h"
#include "datafiles/file_data_values.h"
#include "datafiles/file_data_window.h"
#include "open_road_fixture.h"
#include "plot/plot_state.h"
#include "runtime/scripted.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;

TEST(FileDataValues, LabelsStartTimesAndIntervals) {
  const std::string cut = labelCell("VO2 µmol/min at 25 °C, ∆ dry gas");
  EXPECT_EQ(cut, "VO2 µmol/min at 25 °C, ∆ dry g");
  EXPECT_EQ(rt::charCount(cut), 30u);
  EXPECT_EQ(labelCell("O2"), "O2" + std::string(28, ' '));

  EXPECT_EQ(startTimeMinutes("07:05:00"), 425.0f);
  EXPECT_EQ(startTimeMinutes("13:30:30"), 810.5f);
  EXPECT_EQ(startTimeMinutes("23:59:59").value_or(0) > 1439, true);
  for (const char* bad : {"7:05:00", "24:00:00", "12:60:00", "12:30:60", "12:30", "99:99:99", "ab:cd:ef", "12:30:00 "})
    EXPECT_FALSE(startTimeMinutes(bad)) << bad;

  EXPECT_EQ(intervalValue("0.5"), 0.5f);
  for (const char* bad : {"0", "-1", "", "abc", "1e39", "nan"}) EXPECT_FALSE(intervalValue(bad)) << bad;
  EXPECT_EQ(finiteValue(""), 0.0f) << "a blank value still writes 0";
  EXPECT_FALSE(finiteValue("-1e39"));
}

TEST(FileDataValues, OnlyWhatTheFileKeepsMarksItChanged) {
  FileDescription d;
  d.labels = {"O2", "CO2"};
  d.info[1] = 1, d.info[6] = 28.4f, d.info[8] = 552;
  d.time = "09:12:00";
  d.fio2 = 20.95f;
  FileDataEntry e;
  e.labels = {{"O2", "O2"}, {"CO2", "CO2"}};
  e.info[1] = {" 1", " 1"};
  // A field left as shown keeps its stored value, however the text rounded it.
  d.info[5] = 1.0f / 3;
  e.info[5] = {" 0.33333", " 0.33333"};
  EXPECT_FALSE(applyFileData(e, d).fileChanged);
  EXPECT_EQ(d.info[5], 1.0f / 3);

  FileDataEntry settings = e;
  settings.fio2.typed = "21";
  EXPECT_FALSE(applyFileData(settings, d).fileChanged);
  EXPECT_EQ(d.fio2, 21.0f);

  FileDataEntry refused = e;
  refused.info[1].typed = "0";
  refused.time = {"09:12:00", "24:00:00"};
  refused.info[6] = {" 28.4", "1e39"};
  refused.date = {"", "02-30-2024"};
  const FileDataOutcome out = applyFileData(refused, d);
  EXPECT_FALSE(out.fileChanged);
  EXPECT_EQ(out.refused, (std::vector<std::string>{"sample interval", "mass", "start time", "start date"}));
  EXPECT_EQ(d.info[1], 1.0f);
  EXPECT_EQ(d.time, "09:12:00");

  FileDataEntry edited = e;
  edited.labels[1].typed = "CO2 %";
  edited.time.typed = "07:05:00";
  edited.date.typed = "05-14-2024";
  EXPECT_TRUE(applyFileData(edited, d).fileChanged);
  EXPECT_EQ(d.labels[1], labelCell("CO2 %"));
  EXPECT_EQ(d.info[8], 425.0f);
  EXPECT_EQ(d.date, "05-14-2024");
}

namespace {

class EditFileDataWindow : public OpenRoad {
 protected:
  void SetUp() override {
    OpenRoad::SetUp();
    ASSERT_EQ(openThroughMenu(writeRecording("run.KXdata", 200, 3)), 0);
    f = TheFileInUse;
    SetChannelLabel(f, 1, "O2");
    SetChannelLabel(f, 2, "CO2");
    FileSHORTS[f][kChangeMarkWord] = 0;
  }
  void TearDown() override {
    RecordSCRIPT = 0;
    ScriptCOUNT = 0;
    OpenRoad::TearDown();
  }
  int f = 0;
};

}  // namespace

TEST_F(EditFileDataWindow, DoneWithoutEditsLeavesTheFileUnchanged) {
  qvtest::script({"click 334"});
  EditFileData(1);
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
  EXPECT_FALSE(rt::windowExists(6));
  EXPECT_EQ(FileInfoFLOATS[f][1], 1.0f);
}

TEST_F(EditFileDataWindow, EditsReachTheFileAndMarkIt) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 0;
  qvtest::script({"type 101 VO2 µmol/min at 25 °C, ∆ dry gas", "type 230 0.5", "type 239 07:05:00", "click 334"});
  EditFileData(1);
  EXPECT_EQ(RetrieveLabelOf(f, 1), "VO2 µmol/min at 25 °C, ∆ dry g");
  EXPECT_EQ(RetrieveLabelOf(f, 2), labelCell("CO2"));
  EXPECT_EQ(FileInfoFLOATS[f][1], 0.5f);
  EXPECT_EQ(StartTime[f], "07:05:00");
  EXPECT_EQ(FileInfoFLOATS[f][8], 425.0f);
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 1);
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 29.0f);
}

TEST_F(EditFileDataWindow, ARefusedFieldKeepsItsValueAndIsNamed) {
  const float fio2 = FiO2;
  qvtest::script({"type 230 0", "type 240 21", "click 334", "click 1"});  // the warning's OK
  EditFileData(1);
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "one warning";
  EXPECT_EQ(FileInfoFLOATS[f][1], 1.0f);
  EXPECT_EQ(FiO2, 21.0f);
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0) << "FiO2 is a setting of the program";
  FiO2 = fio2;
}

TEST_F(EditFileDataWindow, InformationAndCommentsOnTheWayKeepTheLabels) {
  qvtest::script({"type 101 Oxygen", "click 335", "dialog 4 444", "click 333", "click 2", "click 334"});
  EditFileData(1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(RetrieveLabelOf(f, 1), labelCell("Oxygen"));
  EXPECT_EQ(RetrieveLabelOf(f, 2), labelCell("CO2"));
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 1);
}

TEST_F(EditFileDataWindow, AChannelButtonMakesItsChannelActive) {
  qvtest::script({"click 2"});
  EditFileData(1);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(ActiveChannelArray[f], 2);
  EXPECT_FALSE(rt::windowExists(6));
}

TEST_F(EditFileDataWindow, ManyChannelsRaiseTheWindowAndKeepItOnTheScreen) {
  const int16_t n = nChannels[f];
  nChannels[f] = 14;
  const rt::Rect fourteen = fileDataWindowRect(f);
  nChannels[f] = 20;
  const rt::Rect twenty = fileDataWindowRect(f);
  EXPECT_EQ(fourteen.top - twenty.top, 132);
  nChannels[f] = 40;
  const rt::Rect forty = fileDataWindowRect(f);
  EXPECT_GE(forty.height() - 48, 20 * 40) << "the bottom buttons stay below the last label";
  EXPECT_LE(forty.bottom, 900);
  nChannels[f] = n;
}

TEST_F(OpenRoad, FortyChannelsFitTheScreenInBothWindows) {
  ASSERT_EQ(openThroughMenu(writeRecording("forty.KXdata", 100, 40)), 0);
  const std::string info = "shot 444 " + dir + "/info40.png", edit = "shot 6 " + dir + "/edit40.png";
  qvtest::script({info.c_str(), "dialog 4 444", edit.c_str(), "click 334"});
  FILEINFO("", "", "", 1);
  EditFileData(1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  for (const char* png : {"/info40.png", "/edit40.png"}) EXPECT_TRUE(std::filesystem::exists(dir + png)) << png;
}
