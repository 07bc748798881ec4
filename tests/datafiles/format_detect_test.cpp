#include "datafiles/format_detect.h"

#include <gtest/gtest.h>

#include <string>

#include "hand_bytes.h"

using namespace qv;
using qvtest::HandBytes;

namespace {
std::vector<uint8_t> textFile(std::string_view s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(FormatDetection, FirstBytesDecideTheReader) {
  HandBytes sable;
  sable.f32le(1003.0f).text("-999\r");
  const auto detected = detectDataFormat(sable.b);
  EXPECT_EQ(detected.type, kTypeSable);

  struct Row {
    const char* start;
    int16_t type;
    int16_t badFileKind;
  };
  const Row rows[] = {
      {"-99\r", kTypeBCD, 0},          {"-999\r", kTypeOwnBinary, 0},   {"-9999\r", kTypeOwnBinary, 0},
      {"-99999\r", kTypeOwnBinary, 0}, {" 5, 1, 2\r", kTypeOwnText, 0}, {"6100000,0.5,1\r", kTypeOwnText, 0},
      {"4\r", kTypeRefused, 0},        {"0\r", kTypeRefused, 0},        {"-5\r", kTypeRefused, 0},
      {"7000000\r", kTypeRefused, 1},  {"Time,O2\r", kTypeRefused, 0},  {"", kTypeRefused, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.start);
    const FormatDetection d = detectDataFormat(textFile(r.start));
    EXPECT_EQ(d.type, r.type);
    if (r.type == kTypeRefused) {
      EXPECT_EQ(d.badFileKind, r.badFileKind);
    }
  }
  EXPECT_EQ(detectDataFormat(textFile(" 6100000\r")).firstNumber, 6100000);
  // Merging into a file of 100 cases: a text file of 6,100,000 more is too many.
  EXPECT_EQ(detectDataFormat(textFile("7000000\r"), 100).badFileKind, 1);
  EXPECT_EQ(detectDataFormat(textFile("-3\r"), 6100000).badFileKind, 0);
}

TEST(FormatDetection, FinderRoadsOwnClassification) {
  HandBytes sable;
  sable.f32le(1003.0f);
  EXPECT_EQ(finderDocumentType(sable.b), kTypeSable);
  EXPECT_EQ(finderDocumentType(textFile("-99\r")), kTypeOwnBinary);
  EXPECT_EQ(finderDocumentType(textFile("-99999\r")), kTypeOwnBinary);
  EXPECT_EQ(finderDocumentType(textFile("5,1,1\r")), kTypeOwnText);
  EXPECT_EQ(finderDocumentType(textFile("132768\r")), kTypeOwnText);
  EXPECT_EQ(finderDocumentType(textFile("132769\r")), 0);
  EXPECT_EQ(finderDocumentType(textFile("4\r")), 0);
  EXPECT_EQ(finderDocumentType(textFile("hello\r")), 0);
}

TEST(FormatDetection, AHandedOverDocumentThatIsSkippedIsNamedWithItsReason) {
  auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
  struct Case {
    std::string head;
    bool exists;
    std::string expected;
  } cases[] = {
      {"", false, "no such file"},
      {"Dear colleague,\r", true, "not a recording"},
      {"", true, "not a recording"},
      {"200000, 1, 1\r", true, "File > Open reads it"},
      {"9000000, 1, 1\r", true, "not a recording"},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> head = bytes(c.head);
    const std::vector<std::string> lines = handedOverRefusal("run.txt", head, c.exists);
    std::string all;
    for (const std::string& l : lines) all += l + " ";
    EXPECT_NE(all.find("\"run.txt\""), std::string::npos) << c.head;
    EXPECT_NE(all.find(c.expected), std::string::npos) << c.head << ": " << all;
  }
}
