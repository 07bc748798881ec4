// Whole-channel copies: every byte lands, whatever the size and the alignment of either end.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/bulk_copy.h"
#include "runtime/helper_threads.h"

using namespace qv;

namespace {

TEST(BulkCopy, EveryByteLandsAtAnySizeAndAlignment) {
  constexpr size_t kMB = size_t(1) << 20;
  struct Case {
    size_t bytes, toOffset, fromOffset;
  };
  // Plain copies, the smallest streamed one, uneven tails, and ends on no common boundary.
  const Case cases[] = {{0, 0, 0},          {1, 3, 0},           {100, 1, 7},          {8 * kMB - 1, 0, 0},
                        {8 * kMB, 0, 0},    {8 * kMB + 13, 5, 0}, {8 * kMB + 63, 0, 9}, {13 * kMB + 5, 11, 3},
                        {24400004, 4, 4}};
  for (const Case& c : cases) {
    std::vector<uint8_t> from(c.bytes + c.fromOffset + 16), to(c.bytes + c.toOffset + 16, 0xEE);
    for (size_t i = 0; i < from.size(); ++i) from[i] = uint8_t(i * 131 + (i >> 12));
    rt::copyBulk(to.data() + c.toOffset, from.data() + c.fromOffset, c.bytes);
    ASSERT_EQ(std::memcmp(to.data() + c.toOffset, from.data() + c.fromOffset, c.bytes), 0) << c.bytes << " bytes";
    for (size_t i = 0; i < c.toOffset; ++i) ASSERT_EQ(to[i], 0xEE) << "before, " << c.bytes << " bytes";
    for (size_t i = c.toOffset + c.bytes; i < to.size(); ++i) ASSERT_EQ(to[i], 0xEE) << "after, " << c.bytes << " bytes";
  }
}

TEST(HelperThreads, EachStartedHelperRunsItsLoopAndIsJoined) {
  std::atomic<unsigned> ran{0};
  unsigned started = 0;
  {
    const auto loop = [&] { ++ran; };
    const rt::HelperThreads helpers(5, loop);
    started = helpers.started();
  }
  EXPECT_EQ(started, 5u);
  EXPECT_EQ(ran.load(), started);
  const rt::HelperThreads none(0, [] {});
  EXPECT_EQ(none.started(), 0u);
}

}  // namespace
