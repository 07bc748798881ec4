#pragma once
// The open road driven as the user drives it: files written to a folder, the menu bar and
// defaults of a started program, and a snapshot of every open file to show that a load
// that did not go through changed nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "datafiles/datafile.h"

namespace opentest {

// What the file table holds for one slot, samples by a hash and by where they live.
struct SlotPicture {
  int32_t cases = 0;
  int16_t channels = 0;
  std::vector<int16_t> shorts;
  std::vector<float> info;
  std::string name, date, time, labels, comment, path, output;
  std::vector<int32_t> markers;
  uint64_t samples = 0;
  std::vector<const float*> arrays;
  bool window = false;
  bool operator==(const SlotPicture&) const = default;
};

struct TablePicture {
  std::vector<SlotPicture> slots;  // 0..19
  int16_t fileInUse = 0, activeChannel = 0, openFiles = 0;
  bool operator==(const TablePicture&) const = default;
};
TablePicture pictureOfTable();

class OpenRoad : public ::testing::Test {
 protected:
  std::string dir;
  std::vector<std::string> stubCalls;
  std::vector<std::string> sounds;

  void SetUp() override;
  void TearDown() override;

  // A recording of `cases` cases in the program's own binary format; sample k of channel c
  // is value(c, k) (by default a gentle ramp of its own for each channel).
  std::string writeRecording(const std::string& name, int32_t cases, int channels = 2,
                             const std::function<float(int, int32_t)>& value = {}, int markers = 0,
                             float interval = 1.0f);
  std::string writeBytes(const std::string& name, const std::vector<uint8_t>& bytes);
  std::string writeText(const std::string& name, const std::string& text);

  // File > Open answered with `path`; the slot of the file in use afterwards.
  int openThroughMenu(const std::string& path);
  // Opens files until `count` are open (each its own small recording).
  void openFiles(int count);
};

}  // namespace opentest
