#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "datafiles/text_data_format.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"

using namespace qv;

namespace {

std::string asText(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }
std::span<const uint8_t> bytesOf(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

DataFile makeFile(int32_t cases, int16_t channels) {
  DataFile f;
  f.nCases = cases;
  f.nChannels = channels;
  for (int c = 0; c <= channels; ++c) {
    f.channels[size_t(c)] = allocateSamples(cases);
    for (int32_t k = 0; k <= cases; ++k) f.channels[size_t(c)][k] = 0;
  }
  return f;
}

// Six cases of two channels, made by hand from the layout.
DataFile smallFile() {
  DataFile f = makeFile(6, 2);
  const float ch1[] = {20.9f, 20.95f, 21, 0.005f, -3, 100000};
  const float ch2[] = {37, 37.125f, 36.5f, 5e9f, 0, -0.001f};
  for (int k = 1; k <= 6; ++k) {
    f.channels[1][k] = ch1[k - 1];
    f.channels[2][k] = ch2[k - 1];
  }
  FileMeta& m = f.meta;
  m.info[1] = 0.5f, m.info[2] = 150, m.info[3] = 25.5f, m.info[4] = 760, m.info[5] = 0, m.info[6] = 35.2f;
  m.info[7] = 3;
  m.startDate = "03/14/2024";
  m.startTime = "09:30:00";
  m.comment = "Run 3: \"fast\"\r\xC2\xB5-scale 20 \xC2\xB0" "C";
  m.labels[1] = "O2 (%)";
  m.labels[2] = "Temp \"core\" \xC2\xB0" "C";
  m.variables[1][3] = 1;
  m.variables[2][2] = -1.25f;
  m.variables[2][3] = 0.01f;
  m.variables[1][14] = 7;
  m.markers = {{0, 65}, {1, 200}, {4, 66}, {6, 199}};
  return f;
}

// The same file as the format writes it (Mac Roman: 0xA5 bullet, 0xA1 degree, 0xB5 micro).
const std::string kSmallFileText =
    " 6, 0.5, 2\r"
    "\"03/14/2024\",\"09:30:00\"\r"
    "\"Run 3: \xA5" "fast\xA5 \xB5" "-scale 20 \xA1" "C\"\r"
    " 0, 1, 0, 0, 0,\"O2 (%)                        \"\r"
    "-1.25, 0.01, 0, 0, 0,\"Temp \xA5" "core\xA5 \xA1" "C                \"\r"
    " 150, 35.2, 760, 25.5, 0\r"
    " 3\r"
    " 1, 200\r"
    " 4, 66\r"
    " 6, 199\r"
    " 20.9, 37,\r"
    " 20.95, 37.125,\r"
    " 21, 36.5,\r"
    " 5E-03, 5E+09,\r"
    "-3, 0,\r"
    " 100000,-1E-03,\r"
    " 3\r"
    " 7, 0, 0, 0, 0, 0\r";

const int16_t kBoth[] = {1, 2};

// What a sample becomes after a trip through the format's number text.
float atTextPrecision(float x) { return float(rt::PSval(rt::PSstr(x))); }

}  // namespace

TEST(TextDataFormat, WritesTheLayoutByteForByte) {
  DataFile f = smallFile();
  TextWriteResult w = encodeTextDataFile(viewOf(f), 0, 6, kBoth);
  ASSERT_TRUE(w.ok()) << w.error;
  EXPECT_EQ(asText(w.bytes), kSmallFileText);
}

TEST(TextDataFormat, ReadsTheLayoutBack) {
  TextReadResult r = decodeTextDataFile(bytesOf(kSmallFileText));
  ASSERT_TRUE(r.ok());
  const DataFile& f = *r.file;
  EXPECT_EQ(f.nCases, 6);
  EXPECT_EQ(f.nChannels, 2);
  const float ch2[] = {37, 37.125f, 36.5f, 5e9f, 0, -0.001f};
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(f.channels[2][k], ch2[k - 1]) << k;
  EXPECT_EQ(f.channels[1][4], 0.005f);
  EXPECT_EQ(f.channels[1][0], f.channels[1][1]);  // entry 0 is taken from case 1
  EXPECT_EQ(f.channels[2][0], 37.0f);
  const FileMeta& m = f.meta;
  EXPECT_EQ(m.info[1], 0.5f);
  EXPECT_EQ(m.info[2], 150.0f);
  EXPECT_EQ(m.info[6], 35.2f);
  EXPECT_EQ(m.info[4], 760.0f);
  EXPECT_EQ(m.info[3], 25.5f);
  EXPECT_EQ(m.info[7], 3.0f);
  EXPECT_EQ(m.startDate, "03/14/2024");
  EXPECT_EQ(m.startTime, "09:30:00");
  EXPECT_EQ(m.comment, "Run 3: \xE2\x80\xA2" "fast\xE2\x80\xA2 \xC2\xB5-scale 20 \xC2\xB0" "C");
  EXPECT_EQ(m.labels[2], "Temp \xE2\x80\xA2" "core\xE2\x80\xA2 \xC2\xB0" "C                ");
  EXPECT_EQ(rt::charCount(m.labels[2]), 30u);
  EXPECT_EQ(m.variables[2][2], -1.25f);
  EXPECT_EQ(m.variables[2][3], 0.01f);
  EXPECT_EQ(m.variables[1][14], 7.0f);
  ASSERT_EQ(m.markers.size(), 3u);
  EXPECT_EQ(m.markers[0].kase, 1);
  EXPECT_EQ(m.markers[0].code, 200);
  EXPECT_EQ(m.markers[2].kase, 6);  // the marker at the last case is kept
  EXPECT_EQ(m.markers[2].code, 199);
  EXPECT_EQ(r.markersInFile, 3);
}

TEST(TextDataFormat, RoundTripKeepsSamplesAtTheirTextPrecision) {
  const int32_t n = 500;
  DataFile f = makeFile(n, 3);
  for (int32_t k = 1; k <= n; ++k) {
    f.channels[1][k] = float(std::sin(k * 0.1) * 20.9 + 0.0001 * k);
    f.channels[2][k] = float(std::ldexp(1.0 + k / 997.0, (k % 70) - 30)) * (k % 3 ? 1.0f : -1.0f);
    f.channels[3][k] = float(k) * 1e-6f;  // all below 2^-7: exponent notation
  }
  f.meta.info[1] = 0.1f;
  f.meta.labels[3] = std::string(35, 'x');  // cut to 30 characters
  f.meta.markers = {{1, 65}, {250, 66}, {n, 67}};
  std::string comment;
  for (int i = 0; i < 50; ++i) comment += "\"\xC2\xB0\xC2\xB5\r.x";  // 300 characters
  f.meta.comment = comment;

  rt::gFBFloatMaxDigits = 2;  // a report lowered the digits: the data keep 5
  TextWriteResult w = encodeTextDataFile(viewOf(f), 0, n, std::vector<int16_t>{1, 2, 3});
  EXPECT_EQ(rt::gFBFloatMaxDigits, 2);
  rt::gFBFloatMaxDigits = 5;
  ASSERT_TRUE(w.ok());
  TextReadResult r = decodeTextDataFile(w.bytes);
  ASSERT_TRUE(r.ok());
  const DataFile& g = *r.file;
  ASSERT_EQ(g.nCases, n);
  ASSERT_EQ(g.nChannels, 3);
  for (int c = 1; c <= 3; ++c)
    for (int32_t k = 1; k <= n; ++k)
      ASSERT_EQ(g.channels[size_t(c)][k], atTextPrecision(f.channels[size_t(c)][k])) << c << " " << k;
  EXPECT_EQ(g.channels[3][5], 5e-6f);
  EXPECT_EQ(g.meta.info[1], 0.1f);
  EXPECT_EQ(g.meta.labels[3], std::string(30, 'x'));
  ASSERT_EQ(g.meta.markers.size(), 3u);
  EXPECT_EQ(g.meta.markers[0].kase, 1);
  EXPECT_EQ(g.meta.markers[2].kase, n);

  std::string kept;
  for (int i = 0; i < 42; ++i) kept += "\xE2\x80\xA2\xC2\xB0\xC2\xB5 .x";  // 252 characters
  EXPECT_EQ(g.meta.comment, kept);
}

TEST(TextDataFormat, NonNumbersAndInfinitiesRoundTrip) {
  DataFile f = makeFile(6, 2);
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  const float ch1[] = {nan, inf, -inf, 1.5f, -nan, FLT_MAX};
  for (int k = 1; k <= 6; ++k) f.channels[1][k] = ch1[k - 1], f.channels[2][k] = float(k);
  TextWriteResult w = encodeTextDataFile(viewOf(f), 0, 6, kBoth);
  ASSERT_TRUE(w.ok());
  EXPECT_NE(asText(w.bytes).find(" NAN, 1,\r INF, 2,\r-INF, 3,\r"), std::string::npos);
  TextReadResult r = decodeTextDataFile(w.bytes);
  ASSERT_TRUE(r.ok());
  const float* back = r.file->channels[1].get();
  EXPECT_TRUE(std::isnan(back[1]));
  EXPECT_EQ(back[2], inf);
  EXPECT_EQ(back[3], -inf);
  EXPECT_EQ(back[4], 1.5f);
  EXPECT_TRUE(std::isnan(back[5]));
  EXPECT_EQ(back[6], atTextPrecision(FLT_MAX));
  EXPECT_TRUE(std::isnan(back[0]));  // entry 0 is case 1
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(r.file->channels[2][k], float(k)) << "the row kept its place";
}

// A file of several chunks: every row arrives whole across the chunk ends, and a sink that
// refuses stops the writing.
TEST(TextDataFormat, StreamsInChunksAndStopsWhenTheSinkRefuses) {
  const int32_t n = 6000;
  DataFile f = makeFile(n, 40);
  std::vector<int16_t> all;
  for (int16_t c = 1; c <= 40; ++c) {
    all.push_back(c);
    for (int32_t k = 1; k <= n; ++k) f.channels[size_t(c)][k] = float(k) * 0.37f - float(c) * 1.3e-3f;
  }
  std::vector<uint8_t> text;
  int chunks = 0, progressCalls = 0;
  const std::string error = writeTextDataFile(
      viewOf(f), 0, n, all,
      [&](std::span<const uint8_t> chunk) {
        EXPECT_LE(chunk.size(), kTextChunkBytes);
        text.insert(text.end(), chunk.begin(), chunk.end());
        return ++chunks > 0;
      },
      [&](int32_t, int32_t) { ++progressCalls; });
  ASSERT_EQ(error, "");
  EXPECT_GE(chunks, 2);
  EXPECT_GT(progressCalls, 1);
  TextReadResult r = decodeTextDataFile(text);
  ASSERT_TRUE(r.ok());
  for (int c = 1; c <= 40; ++c)
    for (int32_t k = 1; k <= n; ++k)
      ASSERT_EQ(r.file->channels[size_t(c)][k], atTextPrecision(f.channels[size_t(c)][k])) << c << " " << k;

  int calls = 0;
  const std::string refused =
      writeTextDataFile(viewOf(f), 0, n, all, [&calls](std::span<const uint8_t>) { return ++calls < 2; });
  EXPECT_EQ(refused, kTextSinkRefused);
  EXPECT_EQ(calls, 2);
}

TEST(TextDataFormat, BlockAndChannelSubset) {
  DataFile f = makeFile(30, 7);
  for (int c = 1; c <= 7; ++c)
    for (int32_t k = 1; k <= 30; ++k) f.channels[size_t(c)][k] = float(100 * c + k);
  for (int c = 1; c <= 7; ++c) f.meta.variables[c][14] = float(c);
  f.meta.markers = {{10, 1}, {11, 2}, {20, 3}, {21, 4}};
  const int16_t some[] = {2, 5};
  TextWriteResult w = encodeTextDataFile(viewOf(f), 10, 20, some);
  ASSERT_TRUE(w.ok());
  const std::string text = asText(w.bytes);
  EXPECT_EQ(text.rfind(" 1, 2, 3, 4, 5, 6\r"), text.size() - 18);  // six trailer values, saved or not
  TextReadResult r = decodeTextDataFile(w.bytes);
  ASSERT_TRUE(r.ok());
  const DataFile& g = *r.file;
  EXPECT_EQ(g.nCases, 10);
  EXPECT_EQ(g.nChannels, 2);
  EXPECT_EQ(g.channels[1][1], 211.0f);   // case 11 of channel 2
  EXPECT_EQ(g.channels[2][10], 520.0f);  // case 20 of channel 5
  ASSERT_EQ(g.meta.markers.size(), 2u);  // the marker at the first case lies outside
  EXPECT_EQ(g.meta.markers[0].kase, 1);
  EXPECT_EQ(g.meta.markers[0].code, 2);
  EXPECT_EQ(g.meta.markers[1].kase, 10);
  EXPECT_EQ(g.meta.markers[1].code, 3);
}

TEST(TextDataFormat, WriterRefusesWhatItCannotWriteReadably) {
  DataFile f = makeFile(10, 2);
  struct Case {
    int32_t first, last;
    std::vector<int16_t> channels;
  } cases[] = {
      {-1, 10, {1}}, {0, 11, {1}}, {6, 5, {1}}, {3, 7, {1}},  // range outside or under 5 cases
      {0, 10, {}},   {0, 10, {3}}, {0, 10, {0}},              // no channel, or one the file lacks
  };
  for (const auto& c : cases) {
    TextWriteResult w = encodeTextDataFile(viewOf(f), c.first, c.last, c.channels);
    EXPECT_FALSE(w.ok()) << c.first << ".." << c.last;
    EXPECT_TRUE(w.bytes.empty());
  }
  EXPECT_TRUE(encodeTextDataFile(viewOf(f), 5, 10, kBoth).ok());
}

TEST(TextDataFormat, LineEndsOfOtherSystemsReadTheSame) {
  std::string lf = kSmallFileText, crlf;
  for (char& ch : lf)
    if (ch == '\r') ch = '\n';
  for (char ch : kSmallFileText) crlf += ch == '\r' ? std::string("\r\n") : std::string(1, ch);
  for (const std::string& text : {lf, crlf}) {
    TextReadResult r = decodeTextDataFile(bytesOf(text));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.file->channels[2][6], -0.001f);
    EXPECT_EQ(r.file->meta.info[7], 3.0f);
    EXPECT_EQ(r.file->meta.variables[1][14], 7.0f);
  }
}

TEST(TextDataFormat, ShortFileReadsZerosForWhatIsMissing) {
  const std::string text =
      " 8, 1, 2\r\"d\",\"t\"\r\"c\"\r 0, 1, 0, 0, 0,\"a\"\r 0, 1, 0, 0, 0,\"b\"\r 1, 2, 3, 4, 5\r 0\r"
      " 1, 2,\r 3, 4,\r 5,";
  TextReadResult r = decodeTextDataFile(bytesOf(text));
  ASSERT_TRUE(r.ok());
  const DataFile& f = *r.file;
  EXPECT_EQ(f.nCases, 8);
  EXPECT_EQ(f.channels[1][3], 5.0f);
  EXPECT_EQ(f.channels[2][3], 0.0f);
  for (int32_t k = 4; k <= 8; ++k) EXPECT_EQ(f.channels[1][k], 0.0f);
  EXPECT_EQ(f.meta.info[7], 0.0f);
  EXPECT_EQ(f.meta.labels[1], "a" + std::string(29, ' '));
}

TEST(TextDataFormat, RefusesCountsAndSizesItCannotHold) {
  const std::string rest = "\"d\",\"t\"\r\"c\"\r 0, 1, 0, 0, 0,\"a\"\r 0, 0, 0, 0, 0\r 0\r";
  std::string rest3 = "\"d\",\"t\"\r\"c\"\r";
  for (int c = 0; c < 3; ++c) rest3 += " 0, 1, 0, 0, 0,\"a\"\r";
  rest3 += " 0, 0, 0, 0, 0\r 0\r";
  std::string rows;
  for (int k = 0; k < 10; ++k) rows += " 1,\r";
  struct Case {
    const char* name;
    std::string text;
    int16_t refusal;
  } cases[] = {
      {"4 cases", " 4, 1, 1\r" + rest + rows, kRefusedFormat},
      {"6,100,001 cases", " 6100001, 1, 1\r" + rest + rows, kRefusedFormat},
      {"41 channels", " 10, 1, 41\r" + rest + rows, kRefusedFormat},
      {"no channel", " 10, 1, 0\r" + rest + rows, kRefusedFormat},
      {"not a number", "abc\r" + rest + rows, kRefusedFormat},
      {"6,100,000 x 40 values in a few bytes", " 6100000, 1, 40\r\"d\",\"t\"\r\"c\"\r", kRefusedDamaged},
      {"more values than bytes left", " 10, 1, 3\r" + rest3 + " 1, 2, 3,\r 1, 2, 3,\r", kRefusedDamaged},
      {"negative marker count", " 10, 1, 1\r\"d\",\"t\"\r\"c\"\r 0, 1, 0, 0, 0,\"a\"\r 0, 0, 0, 0, 0\r-1\r" + rows,
       kRefusedDamaged},
  };
  for (const auto& c : cases) {
    TextReadResult r = decodeTextDataFile(bytesOf(c.text));
    EXPECT_FALSE(r.ok()) << c.name;
    EXPECT_EQ(r.refusal, c.refusal) << c.name;
  }
  EXPECT_TRUE(decodeTextDataFile(bytesOf(" 10, 1, 1\r" + rest + rows)).ok());
}

TEST(TextDataFormat, KeepsTheFirst32500Markers) {
  std::string text = " 5, 1, 1\r\"d\",\"t\"\r\"c\"\r 0, 1, 0, 0, 0,\"a\"\r 0, 0, 0, 0, 0\r 32501\r";
  for (int k = 1; k <= 32501; ++k) text += " " + std::to_string(k % 5 + 1) + ", " + std::to_string(k) + "\r";
  text += " 1,\r 2,\r 3,\r 4,\r 5,\r 9\r";
  TextReadResult r = decodeTextDataFile(bytesOf(text));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.markersInFile, 32501);
  EXPECT_EQ(r.file->meta.markers.size(), size_t(kMaxMarkers));
  EXPECT_EQ(r.file->meta.markers.back().code, 32500);
  EXPECT_EQ(r.file->channels[1][5], 5.0f);
  EXPECT_EQ(r.file->meta.info[7], 9.0f);
}

TEST(TextDataFormat, FortyChannelsLandEightToALabelString) {
  DataFile f = makeFile(5, 40);
  for (int c = 1; c <= 40; ++c) f.meta.labels[size_t(c)] = "ch" + std::to_string(c);
  std::vector<int16_t> all;
  for (int16_t c = 1; c <= 40; ++c) all.push_back(c);
  TextWriteResult w = encodeTextDataFile(viewOf(f), 0, 5, all);
  ASSERT_TRUE(w.ok());
  TextReadResult r = decodeTextDataFile(w.bytes);
  ASSERT_TRUE(r.ok());
  commitDataFile(std::move(*r.file), 3);
  EXPECT_EQ(rt::trimRight(rt::midChars(LabelStrings[3][5], 0, 30)), "ch33");
  EXPECT_EQ(rt::trimRight(rt::midChars(LabelStrings[3][5], 7 * 30, 30)), "ch40");
  EXPECT_EQ(rt::trimRight(rt::midChars(LabelStrings[3][2], 0, 30)), "ch9");
  freeSlotArrays(3);
}

TEST(TextDataFormat, SizeWarningFrom32768Cases) {
  EXPECT_FALSE(textSizeWarningDue(0, 32767));
  EXPECT_TRUE(textSizeWarningDue(0, 32768));
  EXPECT_TRUE(textSizeWarningDue(100, 32868));
}
