#pragma once
// A file in slot 0 with its plot window, the File menu's route items, and a user data folder
// of the test's own, for the output tests.
#include <cstdlib>
#include <string>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/output_state.h"
#include "core/route_state.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

namespace outtest {

// The user's data folder of the test (XDG_DATA_HOME), put back afterwards.
class DataHome {
 public:
  explicit DataHome(const std::string& dir) {
    if (const char* v = std::getenv("XDG_DATA_HOME")) saved_ = v, had_ = true;
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
  }
  ~DataHome() {
    if (had_) setenv("XDG_DATA_HOME", saved_.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
  }

 private:
  std::string saved_;
  bool had_ = false;
};

inline void fileWithPlotWindow(int channels, int32_t cases) {
  using namespace qv;
  coretest::makeFile(0, channels, cases);
  TheFileInUse = 0;
  FileInfoFLOATS[0][1] = 1.0f;
  rt::openWindow(1000, FileName[0], {10, 40, 1290, 600}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
}

// File items 17 to 19 and submenu 80 as the menu bar has them while no route is open.
inline void routeMenus() {
  using namespace qv;
  rt::menuCreate(1, "File");
  rt::menuSetItems(1, 1, "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;Send Results To:;Output Results;Print | Close File");
  rt::menuSetItemState(1, 18, 0);
  rt::menuSetItemState(1, 19, 0);
  rt::menuCreate(80, "Send Results To:");
  rt::menuSetItems(80, 1, "Printer...;Spreadsheet...;Text File...");
}

inline void resetRoute() {
  using namespace qv;
  rt::closeAllFiles();
  PortForResultsOutput = kRouteNone;
  AnalysisCode = 0;
  Nresults = 0;
  prefsArray[7] = 0;
}

}  // namespace outtest
