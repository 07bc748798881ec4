#pragma once
// The menu bar built, entry points that this build lacks recorded instead of noticed, and
// small files with plot windows in the file table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "app/startup.h"
#include "core/stub_log.h"
#include "core_files.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

namespace menutest {

class MenusTest : public ::testing::Test {
 protected:
  std::vector<std::string> calls;

  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < qv::kSlots; ++s) qv::FreeFileSlot(s);
    // The program's own preferences record, never the developer's.
    qv::setPreferencesPaths(qv::installedPreferencesPath(), qvtest::tempDir("menus") + "/QVprefs.QVpr");
    qv::GiveDefaults();
    qv::action = qv::eventID = 0;
    qv::MenuIDENTIFIER = qv::MenuItem = qv::MENU_or_ToolBar_PICKED = 0;
    qv::gQuitPending = false;
    qv::setNotBuiltRecorder([this](const std::string& c) { calls.push_back(c); });
  }
  void TearDown() override {
    qv::setNotBuiltRecorder(nullptr);
    for (int s = 0; s < qv::kSlots; ++s) qv::FreeFileSlot(s);
    qv::TheFileInUse = -1;
  }

  // A file in `slot` with its plot window (a plain window) and no block; it becomes the file in use.
  void openFile(int slot, int channels, int32_t cases) {
    coretest::makeFile(slot, channels, cases);
    qv::FileSHORTS[slot][3] = 1;
    qv::FileSHORTS[slot][1] = 1;
    qv::FileInfoFLOATS[slot][1] = 1.0f;
    qv::rt::openWindow(1000 + slot, qv::FileName[slot], {10, 40, 1010, 640}, qv::rt::kDocumentWindowClass,
                       qv::rt::kAttrCloseBox);
    qv::TheFileInUse = int16_t(slot);
    qv::ActiveChannel = 1;
  }

  void setBlock(int32_t begin, int32_t end) {
    qv::BeginBlock.inUse() = begin;
    qv::EndBlock.inUse() = end;
    qv::FileSHORTS[qv::TheFileInUse][2] = 2;
  }

  std::vector<std::string> takeCalls() {
    std::vector<std::string> c;
    c.swap(calls);
    return c;
  }
};

}  // namespace menutest
