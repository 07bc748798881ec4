#pragma once
// A file in slot 0 for the save road's tests: its own folder, sounds and script steps
// watched, and helpers to read back what the road wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/stub_log.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafile.h"
#include "datafiles/datafiles.h"
#include "datafiles/save_names.h"
#include "datafiles/save_options.h"
#include "datafiles/text_data_format.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "support/qvtest.h"

namespace savetest {

// Samples of channel c at case k: c * 1000 + k.
inline float sampleOf(int c, int32_t k) { return float(c * 1000 + k); }

class SaveTest : public ::testing::Test {
 protected:
  std::string dir;
  std::vector<std::string> sounds, notices;

  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < qv::kSlots; ++s) qv::FreeFileSlot(s);
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    qv::prefsArray[7] = 25;
    qv::prefsArray[16] = 1;
    qv::prefsArray[26] = qv::prefsArray[27] = qv::prefsArray[48] = 0;
    qv::RunScript = qv::RecordSCRIPT = qv::ScriptCOUNT = 0;
    std::memset(qv::ScriptSequenceArray, 0, sizeof qv::ScriptSequenceArray);
    qv::ChannelSelectControlFlag = 1;
    qv::setNotBuiltRecorder([this](const std::string& c) { notices.push_back(c); });
    sounds.clear();
    qv::rt::setSoundObserver([this](const std::string& s) {
      if (s != "click.mp3") sounds.push_back(s);
    });
  }
  void TearDown() override {
    qv::rt::setSoundObserver(nullptr);
    qv::setNotBuiltRecorder(nullptr);
    qv::rt::injectWriteFailures(0);
    qv::RecordSCRIPT = qv::ScriptCOUNT = 0;
    for (int s = 0; s < qv::kSlots; ++s) {
      qv::FreeFileSlot(s);
      qv::CFURLarrayMain[s] = qv::CFURLarrayOutput[s] = "";
    }
    qv::TheFileInUse = -1;
  }

  // Slot `slot` holds a changed file of `channels` channels and `cases` cases, opened from
  // `name` in the test's folder (written there in the own binary format unless `onDisk` is
  // false); it is the file in use.
  void openFile(int slot, int channels, int32_t cases, const std::string& name, bool onDisk = true) {
    using namespace qv;
    DataFile f;
    f.nCases = cases;
    f.nChannels = int16_t(channels);
    for (int c = 1; c <= channels; ++c) {
      f.channels[size_t(c)] = allocateSamples(cases);
      for (int32_t k = 0; k <= cases; ++k) f.channels[size_t(c)][k] = sampleOf(c, k == 0 ? 1 : k);
      f.meta.labels[size_t(c)] = "chan " + std::to_string(c);
      f.meta.variables[c][2] = 1.5f;
    }
    f.meta.info[1] = 0.5f;
    f.meta.name = name;
    f.meta.startDate = "05-14-2024";
    f.meta.startTime = "09:12:00";
    f.meta.comment = "a comment";
    f.meta.markers = {{1, 65}, {150, 66}, {cases, 67}};
    commitDataFile(std::move(f), slot);
    FileSHORTS[slot][kInUseWord] = 1;
    FileSHORTS[slot][kChangeMarkWord] = 1;
    FileSHORTS[slot][kBlockStateWord] = 0;
    BeginBlock[slot] = EndBlock[slot] = 0;
    CFURLarrayMain[slot] = dir + "/" + name;
    CFURLarrayOutput[slot] = CFURLarrayMain[slot];
    TheFileInUse = int16_t(slot);
    if (onDisk) {
      FileMeta meta;
      std::vector<int16_t> all;
      for (int16_t c = 1; c <= channels; ++c) all.push_back(c);
      const BinarySaveResult b =
          saveFPBinary(viewOfSlot(slot, meta), 0, cases, all, StartDate[slot], StartTime[slot]);
      ASSERT_TRUE(rt::writeFileAtomic(CFURLarrayMain[slot], b.bytes));
    }
  }

  void setBlock(int slot, int32_t begin, int32_t end) {
    qv::FileSHORTS[slot][qv::kBlockStateWord] = 2;
    qv::BeginBlock[slot] = begin;
    qv::EndBlock[slot] = end;
  }

  static void records(const std::vector<std::string>& lines) {
    for (const std::string& l : lines)
      if (!qv::rt::script::pushLine(l)) ADD_FAILURE() << "malformed scripted line: " << l;
  }

  static std::vector<uint8_t> bytesOf(const std::string& path) {
    auto b = qv::rt::readWholeFile(path);
    return b ? *b : std::vector<uint8_t>{};
  }

  // The own binary or text file at `path`, read back.
  static std::optional<qv::DataFile> readBack(const std::string& path) {
    const auto b = qv::rt::readWholeFile(path);
    if (!b || b->empty()) return std::nullopt;
    if ((*b)[0] == '-') {
      qv::BinaryLoadResult r = qv::decodeBinaryFile(*b);
      if (!r.ok()) return std::nullopt;
      return std::move(r.file);
    }
    qv::TextReadResult r = qv::decodeTextDataFile(*b);
    return std::move(r.file);
  }

  // Files in the test's folder, temporaries included.
  std::vector<std::string> filesInFolder() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

}  // namespace savetest
