#include "open_road_fixture.h"

#include <cstring>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "app/startup.h"
#include "core/stub_log.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "support/qvtest.h"

using namespace qv;

namespace opentest {

namespace {

uint64_t hashSamples(int s) {
  uint64_t h = 1469598103934665603ull;
  for (int c = 0; c <= nChannels[s] && c <= kMaxChannels; ++c) {
    const float* a = gPointersToFileData[s][c].get();
    if (!a) continue;
    for (int32_t k = 0; k <= nCases[s]; ++k) {
      uint32_t bits;
      std::memcpy(&bits, &a[k], 4);
      h = (h ^ bits) * 1099511628211ull;
    }
  }
  return h;
}

void clearTable() {
  for (int s = 0; s < kSlots; ++s) {
    FreeFileSlot(s);
    nChannels[s] = 0;
    std::memset(FileSHORTS[s], 0, sizeof FileSHORTS[s]);
    FileName[s].clear();
    CFURLarrayMain[s].clear();
    CFURLarrayLast[s].clear();
    CFURLarrayOutput[s].clear();
  }
  NumberOfOpenFiles = 0;
}

}  // namespace

TablePicture pictureOfTable() {
  TablePicture t;
  for (int s = 0; s < kMaxOpenFiles; ++s) {
    SlotPicture p;
    p.cases = nCases[s];
    p.channels = nChannels[s];
    p.shorts.assign(FileSHORTS[s], FileSHORTS[s] + 15);
    p.info.assign(FileInfoFLOATS[s], FileInfoFLOATS[s] + 10);
    p.name = FileName[s];
    p.date = StartDate[s];
    p.time = StartTime[s];
    for (int k = 1; k <= 5; ++k) p.labels += LabelStrings[s][k];
    p.comment = CommentContainer[s];
    p.path = CFURLarrayMain[s];
    p.output = CFURLarrayOutput[s];
    for (int m = 1; m <= FileSHORTS[s][5] && m <= kMaxMarkers; ++m) p.markers.push_back(MarkersArray[s][m][1]);
    p.samples = hashSamples(s);
    for (int c = 0; c <= kMaxChannels; ++c) p.arrays.push_back(gPointersToFileData[s][c].get());
    p.window = rt::windowExists(1000 + s);
    t.slots.push_back(std::move(p));
  }
  t.fileInUse = TheFileInUse;
  t.activeChannel = ActiveChannel;
  t.openFiles = NumberOfOpenFiles;
  return t;
}

void OpenRoad::SetUp() {
  qvtest::resetRuntime();
  dir = qvtest::tempDir("open-road");
  setPreferencesPaths(installedPreferencesPath(), dir + "/QVprefs.QVpr");
  clearTable();
  GiveDefaults();
  TheFileInUse = 0;  // as from the splash on
  action = eventID = 0;
  MenuIDENTIFIER = MenuItem = MENU_or_ToolBar_PICKED = 0;
  gQuitPending = false;
  MergeThisFile = 0;
  TypeOfFile = 0;
  setNotBuiltRecorder([this](const std::string& c) { stubCalls.push_back(c); });
  rt::setSoundObserver([this](const std::string& s) {
    if (s != "click.mp3") sounds.push_back(s);
  });
}

void OpenRoad::TearDown() {
  setNotBuiltRecorder(nullptr);
  rt::setSoundObserver(nullptr);
  setLoadAllocator(nullptr);
  clearTable();
  TheFileInUse = -1;
  RecordSCRIPT = RunScript = ScriptCOUNT = 0;
  FileJustLoaded = 0;
}

std::string OpenRoad::writeRecording(const std::string& name, int32_t cases, int channels,
                                     const std::function<float(int, int32_t)>& value, int markers, float interval) {
  DataFile f;
  f.nCases = cases;
  f.nChannels = int16_t(channels);
  for (int c = 1; c <= channels; ++c) {
    f.channels[size_t(c)] = allocateSamples(cases);
    for (int32_t k = 1; k <= cases; ++k) f.channels[size_t(c)][k] = value ? value(c, k) : float(c * 100 + k % 50 + 1);
    f.channels[size_t(c)][0] = f.channels[size_t(c)][1];
    f.meta.labels[size_t(c)] = "channel " + std::to_string(c);
  }
  f.meta.info[1] = interval;
  f.meta.comment = "made for " + name;
  for (int m = 1; m <= markers; ++m) f.meta.markers.push_back({1 + (m - 1) % cases, 65});
  std::vector<int16_t> list;
  for (int c = 1; c <= channels; ++c) list.push_back(int16_t(c));
  const BinarySaveResult r = saveFPBinary(viewOf(f), 0, cases, list, "05/14/2024", "09:15:00");
  EXPECT_TRUE(r.ok()) << r.error;
  return writeBytes(name, r.bytes);
}

std::string OpenRoad::writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = dir + "/" + name;
  EXPECT_TRUE(rt::writeFileAtomic(path, bytes));
  return path;
}

std::string OpenRoad::writeText(const std::string& name, const std::string& text) {
  return writeBytes(name, std::vector<uint8_t>(text.begin(), text.end()));
}

int OpenRoad::openThroughMenu(const std::string& path) {
  const std::string answer = "open " + path;
  qvtest::script({answer.c_str()});
  DoMENU(1, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "the open panel took its answer";
  return TheFileInUse;
}

void OpenRoad::openFiles(int count) {
  for (int i = openFileCount(); i < count; ++i) {
    const std::string path = writeRecording("file" + std::to_string(i) + ".KXdata", 40 + i, 2);
    openThroughMenu(path);
  }
}

}  // namespace opentest
