// The open road at its limits: a huge file of no known format, intervals that are no length
// of time, what a reader dropped, and memory that runs out.
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "datafiles/open_road.h"
#include "hand_bytes.h"
#include "open_road_fixture.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;
using opentest::pictureOfTable;

namespace {

long statusKilobytes(const std::string& field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(field.size()));
  return -1;
}

// How far the resident set rose above its level at the start while `work` ran, in bytes.
template <class F>
long long peakGrowthOf(F&& work) {
  // Writing 5 starts the kernel's peak afresh; without it the peak of the whole run is all
  // there is, which can only hide growth, never invent it.
  { std::ofstream("/proc/self/clear_refs") << "5"; }
  const long before = statusKilobytes("VmRSS:");
  rusage r0{};
  getrusage(RUSAGE_SELF, &r0);
  work();
  const long peak = statusKilobytes("VmHWM:");
  if (before >= 0 && peak >= 0) return (peak - before) * 1024LL;
  rusage r1{};
  getrusage(RUSAGE_SELF, &r1);
  return (r1.ru_maxrss - r0.ru_maxrss) * 1024LL;
}

SampleArray throwingAllocation(int32_t) { throw std::bad_alloc(); }

// A binary file of 100 cases of one channel with the given interval and marker cases.
std::vector<uint8_t> handMadeRecording(float interval, std::initializer_list<int> markerCases) {
  qvtest::HandBytes b;
  b.text("-999").cr().i16(100).f32(interval).i16(1).padded("05/14/2024", 10).padded("09:00:00", 8).f32(0);
  b.f32(0).f32(1).f32(0).f32(0).f32(0).padded("O2", 30);
  for (int k = 0; k < 5; ++k) b.f32(0);
  b.i16(int(markerCases.size()));
  for (int m : markerCases) b.i16(m).i16(65);
  b.f32le(20.0f);
  for (int k = 1; k <= 100; ++k) b.f32(20.0f + float(k % 3));
  return b.b;
}

}  // namespace

TEST_F(OpenRoad, AFourGigabyteTextIsRefusedFromItsFirstBytes) {
  openFiles(1);
  const std::string path = writeText("letter.KXdata", "Dear colleague,\rthe recording follows.\r");
  // Sparse: four gigabytes on paper, a few bytes on the disk.
  ASSERT_EQ(::truncate(path.c_str(), off_t(4) << 30), 0);
  const opentest::TablePicture before = pictureOfTable();
  const std::string answer = "open " + path;
  qvtest::script({answer.c_str(), "dialog 3 1166"});
  const long long growth = peakGrowthOf([] { DoMENU(1, 1); });
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "the refusal was shown and dismissed";
  EXPECT_TRUE(pictureOfTable() == before);
  EXPECT_LT(growth, 64LL << 20) << "the file was read whole";
}

TEST_F(OpenRoad, AnIntervalThatIsNoLengthOfTimeIsAskedForAsZeroIs) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::string text =
      "6, -2.5, 1\r\"05/14/2024\",\"09:00:00\"\r\"c\"\r0, 1, 0, 0, 0,\"O2\"\r0, 0, 0, 0, 0\r0\r"
      "10,\r11,\r12,\r13,\r14,\r15,\r";
  const std::vector<std::string> files = {
      writeBytes("nan.KXdata", handMadeRecording(std::nanf(""), {})),
      writeBytes("inf.KXdata", handMadeRecording(inf, {})),
      writeBytes("negative.KXdata", handMadeRecording(-1.0f, {})),
      writeText("negative-text.KXdata", text),
  };
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const std::string answer = "open " + path;
    qvtest::script({answer.c_str(), "click 1"});  // window 99: "Continue..." with 9.999
    DoMENU(1, 1);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << "the interval window asked";
    EXPECT_FLOAT_EQ(FileInfoFLOATS[TheFileInUse][1], 9.999f);
  }
}

TEST_F(OpenRoad, DroppedMarkersAreToldInACautionThatWaitsForTheUser) {
  const std::string text =
      "6, 1, 1\r\"05/14/2024\",\"09:00:00\"\r\"c\"\r0, 1, 0, 0, 0,\"O2\"\r0, 0, 0, 0, 0\r"
      "3\r0, 65\r3, 65\r9, 65\r10,\r11,\r12,\r13,\r14,\r15,\r";
  const std::vector<std::string> files = {
      writeBytes("strays.KXdata", handMadeRecording(1.0f, {0, 50, 101})),
      writeText("strays-text.KXdata", text),
  };
  for (const std::string& path : files) {
    SCOPED_TRACE(path);
    const std::string answer = "open " + path;
    const std::string shot = path + ".png";
    const std::string shotLine = "shot 1166 " + shot;
    qvtest::script({answer.c_str(), shotLine.c_str(), "click 1"});
    DoMENU(1, 1);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << "the caution stayed until it was clicked";
    EXPECT_TRUE(std::filesystem::exists(shot));
    EXPECT_FALSE(rt::windowExists(1166));
    EXPECT_GT(nCases[TheFileInUse], 0);
    EXPECT_EQ(FileSHORTS[TheFileInUse][kMarkerCountWord], 1) << "the marker inside the file is kept";
  }
}

TEST_F(OpenRoad, ARefusedTextFileNamesTypeNine) {
  prefsArray[7] = 26;  // the refusal sounds, and the sound tells when it is up
  std::vector<int16_t> typeWhileRefused;
  rt::setSoundObserver([&](const std::string& s) {
    if (s == "bzot.mp3") typeWhileRefused.push_back(TypeOfFile);
  });
  const std::string answer = "open " + writeText("wide.KXdata", "5, 1, 41\r\"d\",\"t\"\r\"c\"\r");
  qvtest::script({answer.c_str(), "dialog 3 1166"});
  DoMENU(1, 1);
  EXPECT_EQ(typeWhileRefused, std::vector<int16_t>{9});
}

TEST_F(OpenRoad, AnAllocationThatThrowsIsARefusalAndTheProgramGoesOn) {
  openFiles(2);
  const opentest::TablePicture before = pictureOfTable();
  const std::string answer = "open " + writeRecording("big.KXdata", 500, 3);
  qvtest::script({answer.c_str(), "dialog 3 1166"});
  setLoadAllocator(throwingAllocation);
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 1); }), -1);
  setLoadAllocator(nullptr);
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "the refusal was shown";
  EXPECT_TRUE(pictureOfTable() == before);
  EXPECT_EQ(openThroughMenu(writeRecording("after.KXdata", 70)), 2);
}
