#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core_files.h"

using namespace qv;

namespace {

constexpr float kUntouched = 7.0f;

struct Marker {
  int32_t kase, code;
};

// Flags of cases 0..n+1 after the build: the two ends are guards that must stay untouched.
std::vector<float> build(int32_t n, const std::vector<Marker>& markers, int32_t count = -1) {
  std::vector<float> flags(size_t(std::max(n, 0)) + 2, kUntouched);
  std::vector<int32_t> records(3 * (markers.size() + 1), 0);
  for (size_t k = 0; k < markers.size(); ++k) {
    records[3 * (k + 1) + 1] = markers[k].kase;
    records[3 * (k + 1) + 2] = markers[k].code;
  }
  BuildInterpolationFlags(flags.data(), n, reinterpret_cast<const int32_t(*)[3]>(records.data()),
                          count < 0 ? int32_t(markers.size()) : count);
  return flags;
}

std::vector<float> expected(int32_t n, const std::vector<std::pair<int, int>>& spans) {
  std::vector<float> flags(size_t(std::max(n, 0)) + 2, 0.0f);
  flags.front() = flags.back() = kUntouched;
  for (auto [s, e] : spans)
    for (int k = s; k <= e; ++k) flags[size_t(k)] = 1.0f;
  return flags;
}

}  // namespace

TEST(Interpolation, SpansBecomeFlagsAndNothingIsWrittenOutsideTheFile) {
  struct Case {
    const char* what;
    int32_t n;
    std::vector<Marker> markers;
    std::vector<std::pair<int, int>> spans;
  } cases[] = {
      {"normal span", 200, {{100, 200}, {150, 199}}, {{100, 150}}},
      {"other markers around", 200, {{20, 83}, {100, 200}, {120, 65}, {150, 199}, {170, 83}}, {{100, 150}}},
      {"unclosed span", 200, {{50, 200}}, {{50, 200}}},
      {"two openings", 200, {{10, 200}, {20, 200}, {30, 199}}, {{10, 30}}},
      {"one-case span", 200, {{5, 200}, {5, 199}}, {{5, 5}}},
      {"closing before opening", 200, {{80, 200}, {40, 199}}, {}},
      {"start before the file", 200, {{-5, 200}, {3, 199}}, {{1, 3}}},
      {"end beyond the file", 200, {{190, 200}, {500, 199}}, {{190, 200}}},
      {"span wholly beyond", 200, {{300, 200}, {400, 199}}, {}},
      {"extreme cases", 200, {{INT32_MIN, 200}, {INT32_MAX, 199}}, {{1, 200}}},
      {"unsorted overlapping", 200, {{50, 200}, {60, 199}, {10, 200}, {100, 199}, {95, 200}, {120, 199}}, {{10, 120}}},
      {"a code is its low 16 bits", 200, {{30, 0x100C8}, {40, 0x7FFF00C7}}, {{30, 40}}},
      {"a lone closing marker", 200, {{30, 199}}, {}},
      {"one case", 1, {{1, 200}}, {{1, 1}}},
      {"one case, no markers", 1, {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(build(c.n, c.markers), expected(c.n, c.spans)) << c.what;
  // No cases: nothing is written at all.
  EXPECT_EQ(build(0, {{1, 200}}), std::vector<float>(2, kUntouched));
  EXPECT_EQ(build(-3, {{1, 200}}), std::vector<float>(2, kUntouched));
}

TEST(Interpolation, MarkerCountIsHeldToTheTable) {
  // A count read from a damaged file reaches no further than the 32,500 records.
  std::vector<Marker> markers(kMaxMarkers, {1, 83});
  markers[kMaxMarkers - 1] = {10, 200};
  EXPECT_EQ(build(20, markers, 40000), expected(20, {{10, 20}}));
}

TEST(Interpolation, RecordOfTheFileInUseGoesToRowFive) {
  coretest::makeFile(2, 1, 30);
  TheFileInUse = 2;
  MarkersArray[2][1][1] = 5, MarkersArray[2][1][2] = 200;
  MarkersArray[2][2][1] = 9, MarkersArray[2][2][2] = 199;
  FileSHORTS[2][kMarkerCountWord] = 2;
  ASSERT_TRUE(MakeInterpolationRecord());
  float* row = BackupCacheRow(kInterpolationRow);
  for (int k = 1; k <= 30; ++k) EXPECT_EQ(row[k], k >= 5 && k <= 9 ? 1.0f : 0.0f) << k;
  FreeFileSlot(2);
}
