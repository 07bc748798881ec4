// Replaying the script on the file just opened, and on each file its steps open after it.
#include "core/menus.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "scripts/replay_binding.h"
#include "scripts/replay_walk.h"

namespace qv {

namespace {

constexpr int kPauseButton = 135;
constexpr int16_t kModeAllFiles = 1, kModeFirstManual = 0, kModeOneFile = 100;

bool gReplaying = false;

int plotWindow() { return 1000 + TheFileInUse; }
bool plotShown() { return slotIsOpen(TheFileInUse) && rt::windowExists(plotWindow()); }

class PlotHost : public ReplayHost {
 public:
  std::string lostFile() override { return bound_.lost(); }
  void rebind() override { bound_ = BoundFile::inUse(); }
  void showStep(int16_t step) override {
    if (!plotShown()) return;
    rt::setOutputWindow(plotWindow());
    plot::staticField(53, " Script Running... Step" + rt::PSstrLong(step), {358, 1, 635, 17}, RGBblack, LightGray,
                      1, 11, 0);
  }
  bool blockSelected() override { return slotIsOpen(TheFileInUse) && FileSHORTS[TheFileInUse][2] == 2; }
  int16_t channelCount() override { return slotIsOpen(TheFileInUse) ? nChannels[TheFileInUse] : 0; }
  void requestBlock() override { REQUEST_BLOCK(); }
  void pauseButton(int16_t next, int16_t step) override { SCRIPT_BUTTONS(next, step); }
  void waitForUser(bool waitForButton) override { SCRIPTLOOP(waitForButton ? 1 : 0); }
  void endBlockStep(bool clearBlock) override {
    if (clearBlock && slotIsOpen(TheFileInUse)) {
      FileSHORTS[TheFileInUse][2] = 0;
      REFRESHBLOCK();
    }
    if (!plotShown()) return;
    rt::setOutputWindow(plotWindow());
    rt::backColor(plotBackColor);
    if (rt::controlExistsIn(plotWindow(), kPauseButton)) rt::removeControl(kPauseButton);
  }

 private:
  BoundFile bound_ = BoundFile::inUse();
};

// The file's channels against the script's: the user may cancel the run on this file.
bool channelsAgreed() {
  if (ScriptRunOnce == kModeFirstManual || InitialNumberOfScriptOperationChannels == 0) return true;
  if (!slotIsOpen(TheFileInUse) || nChannels[TheFileInUse] == InitialNumberOfScriptOperationChannels) return true;
  return ScriptWarning() == 0;
}

void tellStop(const WalkResult& r) {
  if (r.stoppedAt == 0 || r.told) return;
  Warn(1166, "Script step" + rt::PSstrLong(r.stoppedAt) + " stopped: ", {r.why, "The steps after it were not run."});
}

// One file: the block cleared, the channel count checked, steps 1..40. True when the chain
// goes on to a file that a step opened.
bool runOnFileInUse() {
  if (plotShown()) rt::bringWindowForward(plotWindow());
  if (slotIsOpen(TheFileInUse) && FileSHORTS[TheFileInUse][2] != 0) CLEARBLOCK();
  if (!channelsAgreed()) RunScript = 0;
  PlotHost host;
  const WalkResult r = walkSteps(host);
  if (r.stoppedAt) {
    RunScript = 0;
    tellStop(r);
  }
  if (ScriptRunOnce == kModeOneFile) RunScript = ScriptRunOnce = 0;
  return RunScript == 1 && r.fileOpened && Cancel_Open == 0;
}

void epilogue(int16_t soundLevel, int16_t autoRepeat) {
  ScriptCOUNT = 0;
  ScriptRunOnce = kModeAllFiles;
  prefsArray[14] = autoRepeat;
  FileJustLoaded = 0;
  downvip();
  rt::backColor(plotBackColor);
  DRAWTIMEDATE();
  FBMenu(kAnalyzeMenu, 16, 1);
  for (int16_t i = 8; i <= 10; ++i) FBMenu(kScriptMenu, i, RunScript && i == 8 ? 2 : 1);
  prefsArray[7] = soundLevel;
}

}  // namespace

bool ScriptReplayRunning() { return gReplaying; }

void DOSCRIPT() {
  if (gReplaying) return;
  struct Running {
    Running() { gReplaying = true; }
    ~Running() { gReplaying = false; }
  } running;
  const int16_t soundLevel = prefsArray[7], autoRepeat = prefsArray[14];
  if (prefsArray[48]) prefsArray[7] = 0;
  // Each file a step opens is replayed in turn here: a loop, so that a long chain of files
  // does not nest one replay inside another.
  while (runOnFileInUse()) {
    FileJustLoaded = 0;
    // "1st Run Manual" asks on the first file only.
    ScriptRunOnce = kModeAllFiles;
  }
  epilogue(soundLevel, autoRepeat);
}

}  // namespace qv
