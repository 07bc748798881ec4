#pragma once
// A 6-channel file with its plot window, an empty script, and script files written by hand
// from the layout: 52 records of 28 big-endian floats, then the automatic-run switch.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/menus_fixture.h"
#include "runtime/scripted.h"
#include "core/script_state.h"
#include "scripts/commands.h"

namespace scripttest {

// Bytes of a script file, word by word.
struct HandScript {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(5826, 0);
  void word(int record, int w, uint32_t bits) {
    const size_t at = size_t(record) * 112 + size_t(w) * 4;
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(bits >> (24 - 8 * i));
  }
  void value(int record, int w, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    word(record, w, bits);
  }
  void autoscript(uint16_t v) {
    bytes[5824] = uint8_t(v >> 8);
    bytes[5825] = uint8_t(v);
  }
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScriptTest : public menutest::MenusTest {
 protected:
  std::string dir;
  void SetUp() override {
    MenusTest::SetUp();
    openFile(0, 6, 100);
    dir = qvtest::tempDir("scripts");
    std::memset(qv::ScriptSequenceArray, 0, sizeof qv::ScriptSequenceArray);
    qv::RecordSCRIPT = qv::ScriptCOUNT = qv::RunScript = qv::autoscript = qv::ScriptRunOnce = 0;
    qv::ScriptIsLoaded = 0;
    qv::ScriptFileName.clear();
  }
  void TearDown() override {
    qv::RecordSCRIPT = qv::ScriptCOUNT = qv::RunScript = qv::autoscript = 0;
    std::memset(qv::ScriptSequenceArray, 0, sizeof qv::ScriptSequenceArray);
    MenusTest::TearDown();
  }
  // Runs f on scripted input and expects it to return with every record used.
  template <class F>
  void drive(std::initializer_list<const char*> records, F&& f) {
    qvtest::script(records);
    EXPECT_EQ(qvtest::exitStatusOf(f), -1);
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  }
  int stepsWithCodes() const {
    int n = 0;
    for (int k = 1; k <= 40; ++k) n += qv::ScriptSequenceArray[k][1] != 0.0f;
    return n;
  }
};

}  // namespace scripttest
