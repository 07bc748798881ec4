#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "datafiles/binary_format.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_fixes.h"
#include "runtime/files.h"

using namespace qv;

// The recording the program opens on `make run` must load exactly as it was made.
TEST(ExampleRecording, LoadsUnchanged) {
  const auto bytes = rt::readWholeFile(QV_RESOURCE_DIR "/examples/respirometry-run.KXdata");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(detectDataFormat(*bytes).type, kTypeOwnBinary);
  BinaryLoadResult r = decodeBinaryFile(*bytes);
  ASSERT_TRUE(r.ok()) << r.error;
  const DataFile& f = r.file;
  EXPECT_EQ(f.nCases, 10800);
  EXPECT_EQ(f.nChannels, 5);
  EXPECT_EQ(f.meta.info[1], 1.0f);
  EXPECT_FALSE(r.report.zeroInterval);
  EXPECT_TRUE(r.report.warnings.empty());
  EXPECT_GT(f.meta.markers.size(), 0u);
  EXPECT_LE(f.meta.markers.size(), 100u);
  EXPECT_FALSE(f.meta.comment.empty());

  // The reader's start-of-array fix changed nothing: the file is written back as it was read.
  std::vector<int16_t> channels{1, 2, 3, 4, 5};
  EXPECT_EQ(saveFPBinary(viewOf(f), 0, f.nCases, channels, f.meta.startDate, f.meta.startTime).bytes, *bytes);
  for (int c = 1; c <= f.nChannels; ++c) {
    SCOPED_TRACE(c);
    const float* a = f.channels[size_t(c)].get();
    EXPECT_EQ(a[0], a[1]);
    for (int i = 0; i <= 2; ++i) EXPECT_TRUE(std::fabs(a[i]) >= 1e-6f && std::fabs(a[i]) <= 1e7f);
    // The fixes of the open road leave it alone too.
    std::vector<float> v(a, a + f.nCases + 1), fixed = v;
    fixAberrantEnds(fixed);
    spikeCheckChannel(fixed);
    EXPECT_EQ(0, std::memcmp(v.data(), fixed.data(), v.size() * 4));
  }
}
