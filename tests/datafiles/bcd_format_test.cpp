// The older BCD format: its numbers, a file made by hand from the layout with and without
// its trailer, and counts the format cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "datafiles/bcd_format.h"
#include "datafiles/hand_bytes.h"

using namespace qv;
using qvtest::HandBytes;

namespace {

float bcd(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint8_t bytes[4] = {a, b, c, d};
  return Read_BCD(std::span<const uint8_t, 4>(bytes, 4));
}

// A whole number from 0 to 999,999 as the format stores it.
HandBytes& bcdWhole(HandBytes& h, int v) {
  if (v == 0) return h.u8(0).u8(0).u8(0).u8(0);
  std::string digits = std::to_string(v);
  const int exponent = int(digits.size()) - 1;
  digits.resize(6, '0');
  h.u8(uint8_t(exponent));
  for (int i = 0; i < 6; i += 2) h.u8(uint8_t((digits[size_t(i)] - '0') << 4 | (digits[size_t(i) + 1] - '0')));
  return h;
}

// 3 channels of 100 cases, interval 2 s; entry k of channel c is c * 1000 + k; two markers,
// one of them past the last case.
std::vector<uint8_t> bcdFixture(int cases = 100, int channels = 3, bool trailer = false, int commentLength = 0) {
  HandBytes h;
  h.u8('-').u8('9').u8('9').cr();
  bcdWhole(h, cases);
  bcdWhole(h, 2);
  bcdWhole(h, channels);
  h.padded("03-01-2024", 10).padded("09:15:00", 8);
  bcdWhole(h, commentLength);
  for (int c = 1; c <= channels; ++c) {
    for (int w = 2; w <= 6; ++w) bcdWhole(h, w);
    h.padded("chan " + std::to_string(c), 30);
  }
  for (int v : {120, 70, 750, 25, 3}) bcdWhole(h, v);  // info words 2, 6, 4, 3, 5
  bcdWhole(h, 2);
  bcdWhole(bcdWhole(h, 50), 7);
  bcdWhole(bcdWhole(h, 101), 8);
  for (int c = 1; c <= channels; ++c)
    for (int k = 0; k <= cases; ++k) bcdWhole(h, c * 1000 + k);
  if (trailer) {
    h.f32(3.5f);
    for (int v = 1; v <= 6; ++v) bcdWhole(h, 10 * v);
  }
  return h.b;
}

}  // namespace

TEST(BCDFormat, NumbersDecode) {
  EXPECT_EQ(bcd(0x02, 0x10, 0x00, 0x00), 100.0f);
  EXPECT_EQ(bcd(0x00, 0x12, 0x50, 0x00), 1.25f);
  EXPECT_EQ(bcd(0x7F, 0x50, 0x00, 0x00), 0.5f);
  EXPECT_EQ(bcd(0x81, 0x12, 0x50, 0x00), -12.5f);
  EXPECT_EQ(bcd(0x7D, 0x10, 0x00, 0x00), 0.001f);
  EXPECT_EQ(bcd(0x05, 0x00, 0x00, 0x00), 0.0f);
  const float tiny = bcd(0xC1, 0x25, 0x00, 0x00);  // -2.5e-63 is below any float
  EXPECT_EQ(tiny, 0.0f);
  EXPECT_TRUE(std::signbit(tiny));
  EXPECT_EQ(bcd(0x01, 0x2F, 0x00, 0x00), 20.0f);  // a nibble above 9 ends the digits
}

TEST(BCDFormat, HandFixtureWithAndWithoutTrailer) {
  for (bool trailer : {false, true}) {
    SCOPED_TRACE(trailer);
    const std::vector<uint8_t> bytes = bcdFixture(100, 3, trailer);
    const BCDLoadResult r = decodeBCDFile(SpanSource(bytes));
    ASSERT_TRUE(r.ok());
    const DataFile& f = r.file;
    EXPECT_EQ(f.nCases, 100);
    EXPECT_EQ(f.nChannels, 3);
    EXPECT_EQ(f.meta.info[1], 2.0f);
    EXPECT_EQ(f.meta.startDate, "03-01-2024");
    EXPECT_EQ(f.meta.startTime, "09:15:00");
    EXPECT_EQ(f.meta.comment, "(no comments) ");
    EXPECT_EQ(f.meta.labels[3].substr(0, 6), "chan 3");
    EXPECT_EQ(f.meta.variables[2][6], 6.0f);
    EXPECT_EQ(f.meta.info[2], 120.0f);
    EXPECT_EQ(f.meta.info[6], 70.0f);
    EXPECT_EQ(f.meta.info[4], 750.0f);
    EXPECT_EQ(f.meta.info[3], 25.0f);
    EXPECT_EQ(f.meta.info[5], 3.0f);
    EXPECT_EQ(f.channels[1][0], 1000.0f);  // entry 0 as written
    EXPECT_EQ(f.channels[3][100], 3100.0f);
    ASSERT_EQ(f.meta.markers.size(), 1u);
    EXPECT_EQ(f.meta.markers[0].kase, 50);
    EXPECT_EQ(f.meta.markers[0].code, 7);
    EXPECT_EQ(r.markersDropped, 1);
    EXPECT_EQ(r.hasTrailer, trailer);
    EXPECT_EQ(f.meta.info[7], trailer ? 3.5f : 0.0f);
    EXPECT_EQ(f.meta.variables[5][14], trailer ? 50.0f : 0.0f);
  }
}

TEST(BCDFormat, CountsTheFormatCannotHoldAndCutFilesAreRefused) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int16_t kind;
  };
  const std::vector<uint8_t> good = bcdFixture();
  const Case cases[] = {
      {"41 channels", bcdFixture(10, 41), 3},
      {"32,767 cases", bcdFixture(32767, 1), 3},
      {"no cases", bcdFixture(0, 1), 3},
      {"comment past the end", bcdFixture(10, 1, false, 900000), 0},
      {"data cut", std::vector<uint8_t>(good.begin(), good.end() - 1), 0},
      {"no first line", std::vector<uint8_t>{'-', '9', '9'}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const BCDLoadResult r = decodeBCDFile(SpanSource(c.bytes));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.badFileKind, c.kind);
  }
}
