// The custom-transform file against bytes made by hand from its layout, the table's limits,
// and the manager's deletion window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "runtime/files.h"
#include "support/qvtest.h"
#include "transforms/commands.h"
#include "transforms/custom_file.h"
#include "transforms/custom_list.h"
#include "transforms/custom_table.h"
#include "transforms/transform_state.h"

using namespace qv;

namespace {

// "VO2 µl/min at 25°C" (µ B5, ° A1 in Mac Roman), code 18, words [1] 2, [2] -2, [5] 1.5,
// [6] 2.4, [8] 44, [9] 18, [10] 9, [11] 0.5, [12..20] 1..9.
std::vector<uint8_t> handRecord() {
  std::vector<uint8_t> b{0x56, 0x4F, 0x32, 0x20, 0xB5, 0x6C, 0x2F, 0x6D, 0x69,
                         0x6E, 0x20, 0x61, 0x74, 0x20, 0x32, 0x35, 0xA1, 0x43};
  b.resize(48, 0x20);
  const uint8_t rest[] = {0x00, 0x02, 0xFF, 0xFE, 0x00, 0x12, 0x00, 0x00,              // [1]..[4]
                          0x3F, 0xC0, 0x00, 0x00, 0x40, 0x19, 0x99, 0x9A, 0, 0, 0, 0,  // [5]..[7]
                          0x00, 0x2C, 0x00, 0x12, 0x00, 0x09,                          // [8]..[10]
                          0x3F, 0x00, 0x00, 0x00,                                      // [11]
                          0x3F, 0x80, 0, 0, 0x40, 0x00, 0, 0, 0x40, 0x40, 0, 0, 0x40, 0x80, 0, 0, 0x40, 0xA0, 0, 0,
                          0x40, 0xC0, 0, 0, 0x40, 0xE0, 0, 0, 0x41, 0x00, 0, 0, 0x41, 0x10, 0, 0};
  b.insert(b.end(), std::begin(rest), std::end(rest));
  return b;
}

CustomRecord typedRecord() {
  CustomRecord r;
  r.name = "VO2 \u00B5l/min at 25\u00B0C";
  r.words = {0, 2.7f, -2.7f, 18, 0, 1.5f, 2.4f, 0, 44, 18, 9, 0.5f, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  return r;
}

std::vector<uint8_t> records(int n) {
  std::vector<uint8_t> all;
  for (int k = 0; k < n; ++k) {
    auto r = handRecord();
    r[0] = uint8_t('A' + k);  // tells the records apart
    all.insert(all.end(), r.begin(), r.end());
  }
  return all;
}

class CustomFile : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    dir_ = qvtest::tempDir("custom_transforms");
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    rt::makeFolders(dir_ + "/Quorvelant");
    NumberOfCustomTransforms = 0;
  }
  void writeDefault(const std::vector<uint8_t>& bytes) { ASSERT_TRUE(rt::writeFileAtomic(customTransformsPath(), bytes)); }
  std::vector<uint8_t> readDefault() { return rt::readWholeFile(customTransformsPath()).value_or(std::vector<uint8_t>{}); }
  std::string dir_;
};

}  // namespace

TEST(CustomCodec, HandMadeRecordReadsAndWritesBackByteForByte) {
  const auto bytes = handRecord();
  ASSERT_EQ(bytes.size(), kCustomRecordBytes);
  const CustomFileContents c = decodeCustomTransforms(bytes, 40);
  ASSERT_EQ(c.records.size(), 1u);
  EXPECT_EQ(c.records[0].name, "VO2 \u00B5l/min at 25\u00B0C" + std::string(30, ' '));
  EXPECT_EQ(c.records[0].words[1], 2.0f);
  EXPECT_EQ(c.records[0].words[2], -2.0f);
  EXPECT_EQ(c.records[0].words[5], 1.5f);
  EXPECT_EQ(c.records[0].words[20], 9.0f);
  EXPECT_EQ(encodeCustomTransforms(c.records), bytes);
  EXPECT_EQ(encodeCustomTransforms({typedRecord()}), bytes);

  CustomRecord odd = typedRecord();
  odd.name = std::string(60, 'n');
  odd.words[10] = std::nanf("");
  odd.words[1] = 1e6f;
  const auto out = encodeCustomTransforms({odd});
  ASSERT_EQ(out.size(), kCustomRecordBytes);
  EXPECT_EQ(std::string(out.begin(), out.begin() + 48), std::string(48, 'n'));
  EXPECT_EQ(out[48], 0x7F);  // 1e6 clamped to 32767
  EXPECT_EQ(out[72], 0x00);  // NaN as 0
  EXPECT_EQ(out[73], 0x00);
}

TEST_F(CustomFile, EmptyPartialAndOverfullFiles) {
  writeDefault({});
  LoadCustomTransformsArray(0, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 0);
  EXPECT_EQ(customManagerButtonTop(0), 56);
  EXPECT_EQ(customManagerButtonTop(40), 456);  // the second column shares the rows of the first

  auto partial = records(1);
  partial.insert(partial.end(), 60, 0x41);  // 174 bytes: a name cut short
  writeDefault(partial);
  qvtest::script({"click 1"});  // the warning
  LoadCustomTransformsArray(0, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 1);
  ASSERT_TRUE(SAVECustomTransformsArray(0));
  EXPECT_EQ(readDefault(), records(1));

  writeDefault(records(41));
  qvtest::script({"click 1"});
  LoadCustomTransformsArray(0, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 40);
  qvtest::script({"click 1"});  // "the most the list holds"
  EXPECT_EQ(addCustomTransform("one more", {}), 0);
  EXPECT_EQ(NumberOfCustomTransforms, 40);
}

// A record no run can use (an unknown code, a constant that is no number) is named when the
// file is read; it keeps its place, so that the records after it keep their numbers.
TEST_F(CustomFile, ARecordNoRunCanUseIsNamedAndKeepsItsPlace) {
  auto bytes = records(3);
  bytes[kCustomRecordBytes + 52] = 0x03;  // record 2's code [3]: 18 becomes 999
  bytes[kCustomRecordBytes + 53] = 0xE7;
  const size_t aOfThird = 2 * kCustomRecordBytes + 56;  // record 3's a [5]: NaN
  bytes[aOfThird] = 0x7F, bytes[aOfThird + 1] = 0xC0, bytes[aOfThird + 2] = 0, bytes[aOfThird + 3] = 0;
  const CustomFileContents c = decodeCustomTransforms(bytes, 40);
  ASSERT_EQ(c.records.size(), 3u);
  ASSERT_EQ(c.unusable.size(), 2u);
  EXPECT_EQ(c.unusable[0].rfind("2 \"B", 0), 0u) << c.unusable[0];
  EXPECT_NE(c.unusable[0].find("999"), std::string::npos) << c.unusable[0];
  EXPECT_EQ(c.unusable[1].rfind("3 \"C", 0), 0u) << c.unusable[1];

  writeDefault(bytes);
  qvtest::script({"click 1"});  // the warning names them
  LoadCustomTransformsArray(0, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 3);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(CustomFile, ManagerDeletesMarkedRecordsOrNothing) {
  writeDefault(records(5));
  qvtest::script({"click 51", "click 2", "click 51", "click 53"});  // deletion cancelled
  EXPECT_EQ(GetCustomTransformation(0), 0);
  EXPECT_EQ(readDefault(), records(5));
  EXPECT_EQ(CustomTransformsArray[2][0], 0.0f);

  qvtest::script({"click 51", "click 2", "click 4", "click 52", "click 1", "click 52"});
  EXPECT_EQ(GetCustomTransformation(1), 1);
  const auto all = records(5);
  std::vector<uint8_t> kept;
  for (int k : {0, 2, 4}) kept.insert(kept.end(), all.begin() + k * 114, all.begin() + (k + 1) * 114);
  EXPECT_EQ(readDefault(), kept);
  EXPECT_EQ(NumberOfCustomTransforms, 3);
  EXPECT_EQ(CustomTransformsLabels[2].substr(0, 1), "C");
}

TEST_F(CustomFile, InspectWindowBoundsTheDegreeAndKeepsBadInputOut) {
  writeDefault(records(1));
  LoadCustomTransformsArray(0, 0);
  qvtest::script({"type 110 50", "type 333 renamed", "click 221", "type 105 abc", "click 221", "click 1", "click 222"});
  EXPECT_EQ(InspectOrEditTransform(1), "renamed" + std::string(41, ' '));
  EXPECT_EQ(CustomTransformsArray[1][10], 9.0f);
  EXPECT_EQ(CustomTransformsArray[1][5], 1.5f);  // "abc" was refused
  EXPECT_EQ(readDefault()[73], 9);
}

TEST_F(CustomFile, ExportAndImportThroughThePanels) {
  writeDefault(records(2));
  LoadCustomTransformsArray(0, 0);
  const std::string exported = dir_ + "/exported.VUvuv";
  qvtest::script({"save cancel"});
  EXPECT_TRUE(SAVECustomTransformsArray(1));
  EXPECT_FALSE(rt::fileExists(exported));
  qvtest::script({("save " + exported).c_str()});
  EXPECT_TRUE(SAVECustomTransformsArray(1));
  EXPECT_EQ(rt::readWholeFile(exported).value(), records(2));

  ASSERT_TRUE(rt::writeFileAtomic(exported, records(3)));
  qvtest::script({"open cancel"});
  LoadCustomTransformsArray(1, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 2);
  qvtest::script({("open " + exported).c_str()});
  LoadCustomTransformsArray(1, 0);
  EXPECT_EQ(NumberOfCustomTransforms, 3);
  EXPECT_EQ(readDefault(), records(2));  // the default file changes only with the table's next change
}
