// "Waveform Analysis": the trigger window, the detection on the block of the active channel,
// its marks in the block window and the period and amplitude results in window 4.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/colors.h"
#include "core/output_state.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_recorder.h"
#include "core/shell_hooks.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "core/waveform_state.h"
#include "fitting/trigger_pick.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/wave_shape.h"
#include "rhythm/waveform.h"
#include "rhythm/waveform_windows.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"

namespace qv {

namespace {

constexpr int kBlockWindow = 2, kResultsWindow = 4, kTriggerWindow = 6;
// The trigger window.
constexpr int kDefaultTriggers = 1, kUseCursor = 2, kCancel = 5, kSmooth = 6, kBlockSmooth = 7;
constexpr int kNormalMethod = 8, kHighestLowest = 9, kTriggerHelp = 10, kContinue = 11, kSkipField = 101;
constexpr int kPickedLevelField = 109;  // the trigger pick's readout
// The results window.
constexpr int kResetTriggers = 8, kWaveShapeData = 9, kResultsHelp = 10, kDone = 11;
constexpr int kUnitPopup = 62, kUnitMenu = 1101, kPeriodCount = 119;
constexpr int kPeriodValue = 120, kPeriodSpread = 121, kPeriodCV = 122;
constexpr int kAmplitudeMean = 123, kAmplitudeSpread = 124, kAmplitudeCV = 125, kPeakMean = 126, kValleyMean = 127;
constexpr int16_t kQuietSmoothing = -999;

int16_t WaveformAbort = 0;

enum class Leave { Detect, Cancel, CloseBox, Menu };

// The script step of a run, recorded first and taken back unless the detection ran.
class WaveformStep {
 public:
  WaveformStep() : step_(RecordScriptStep(kCodeWaveform)) {}
  ~WaveformStep() {
    if (!ran_) WithdrawScriptStep(step_);
  }
  WaveformStep(const WaveformStep&) = delete;
  WaveformStep& operator=(const WaveformStep&) = delete;
  void ran() { ran_ = true; }

 private:
  int16_t step_;
  bool ran_ = false;
};

struct Triggers {
  float peak = 0.0f, valley = 0.0f;
};

void blockExtremes(int f) {
  BlockMinY = 9.0e30f, BlockMaxY = -9.0e30f;
  const float* x = channelData(f, ActiveChannel);
  if (!x) return;
  for (int32_t k = std::max<int32_t>(BeginBlock.inUse(), 0); k <= EndBlock.inUse() && k <= nCases[f]; ++k) {
    if (std::isnan(x[k])) continue;
    BlockMinY = std::min(BlockMinY, x[k]);
    BlockMaxY = std::max(BlockMaxY, x[k]);
  }
}

void methodButtons() {
  rt::setButtonStateIn(kTriggerWindow, kNormalMethod, prefsArray[75] ? 2 : 1);
  rt::setButtonStateIn(kTriggerWindow, kHighestLowest, prefsArray[75] ? 1 : 2);
}

void buildTriggerWindow(const std::string& skip) {
  OPENWINDOW6("Waveform Triggers", 196);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(10, 26, "after each peak, skip");
  rt::FBEditField(kSkipField, skip, {150, 10, 210, 32}, 3);
  PrintAt(218, 26, "samples");
  rt::FBButton(kDefaultTriggers, 1, "Default Triggers", {10, 44, 150, 68}, 4);
  rt::FBButton(kUseCursor, 1, "Use Cursor", {160, 44, 300, 68}, 1);
  rt::FBButton(kNormalMethod, 1, "Normal Method", {14, 80, 150, 98}, 3);
  rt::FBButton(kHighestLowest, 1, "Highest/Lowest 5", {160, 80, 304, 98}, 3);
  methodButtons();
  DoubleLINE(0, 316, 108);
  rt::FBButton(kSmooth, 1, "Smooth...", {10, 120, 110, 142}, 1);
  rt::FBButton(kBlockSmooth, 1, "3 X  3 Block Smooth", {120, 120, 270, 142}, 1);
  rt::FBButton(kCancel, 1, "Cancel", {10, 162, 110, 184}, 1);
  rt::FBButton(kTriggerHelp, 1, "?", {276, 162, 304, 184}, 1);
  rt::selectEditField(kSkipField, 0, 99);
}

// The skip typed: whole samples, 0 for a negative entry; none (after saying so) for text that
// is no number or a count beyond the block.
std::optional<int32_t> typedSkip() {
  const std::string text = rt::editTextIn(kTriggerWindow, kSkipField);
  const auto v = typedNumber(text);
  const double most = double(EndBlock.inUse()) - double(BeginBlock.inUse()) + 1.0;
  if (!v || !std::isfinite(*v) || *v > most) {
    Warn(1166, "Caution: ", {"\"" + text + "\" cannot be the number of samples to skip after each peak.",
                             "Type a whole number from 0 to the block's length (" + rt::PSstrLong(int64_t(most)).substr(1) + ")."});
    return std::nullopt;
  }
  return *v < 0 ? 0 : int32_t(std::trunc(*v));
}

// Runs the smoothing tool on the channel, as a part of this run: its own step is not recorded,
// since the replayed waveform step lets the user smooth again.
void smoothFromTriggers(int16_t how) {
  const int16_t recording = RecordSCRIPT;
  RecordSCRIPT = 0;
  hooks::call(hooks::smoothing, how);
  RecordSCRIPT = recording;
}

// A request in the trigger window, flashed a few times and left in black.
void flashRequest(const std::string& text, rt::Rect box, int x, int y) {
  rt::setOutputWindow(kTriggerWindow);
  SetTextStyle(KestrixFont, 12, 0);
  for (int pass = 1; pass <= 10; ++pass) {
    rt::eraseRect(box);
    rt::foreColor(pass % 2 ? RGBwhite : RGBblack);
    PrintAt(x, y, text);
    rt::flushWindow(kTriggerWindow);
    rt::waitUntilTick(rt::TickCount() + 1);
  }
  rt::foreColor(RGBblack);
}

// The level picked in the block window with a line of the colour given.
float pickedLevel(int16_t colour) {
  if (rt::windowExists(kBlockWindow)) rt::bringWindowForward(kBlockWindow);
  rt::setOutputWindow(kTriggerWindow);
  GetTRIGGER(colour, 0);
  rt::bringWindowForward(kTriggerWindow);
  rt::setOutputWindow(kTriggerWindow);
  return trigger;
}

// With confirmation asked for (preferences), the two levels are shown with Cancel and
// Continue...; true when the user goes on with them.
bool triggersConfirmed(const Triggers& t) {
  if (!prefsArray[37]) return true;
  rt::setOutputWindow(kTriggerWindow);
  for (int id : {kCancel, kTriggerHelp, kPickedLevelField}) rt::removeControl(id);
  rt::eraseRect({0, 99, 320, 196});
  SetTextStyle(KestrixFont, 12, 0);
  InvertedBox(8, 116, 156, 140);
  InvertedBox(164, 116, 312, 140);
  PrintAt(14, 133, "Peak trigger: " + rt::PSstr(t.peak));
  PrintAt(170, 133, "Valley trigger: " + rt::PSstr(t.valley));
  rt::FBButton(kTriggerHelp, 1, "Cancel", {10, 162, 110, 184}, 1);
  rt::FBButton(kContinue, 1, "Continue...", {180, 162, 304, 184}, 4);
  for (;;) {
    action = eventID = 0;
    if (!waitForActionOrQuit()) return false;
    const int a = action, id = eventID;
    action = eventID = 0;
    if (a == 16 || (a == 1 && id == kContinue)) return true;
    if (a == 1 && id == kTriggerHelp) return false;
    if (a == 4 && id == kTriggerWindow) return false;
  }
}

// Both triggers picked with the mouse in the block window; false when there is none to pick in.
bool cursorTriggers(Triggers& t, const std::string& skipText) {
  for (;;) {
    if (!rt::windowExists(kBlockWindow)) {
      bzot();
      return false;
    }
    rt::setButtonStateIn(kTriggerWindow, kDefaultTriggers, 0);
    rt::setButtonStateIn(kTriggerWindow, kUseCursor, 0);
    // The picks' requests and the level under the pointer take the smoothing buttons' place.
    rt::setOutputWindow(kTriggerWindow);
    rt::removeControl(kSmooth);
    rt::removeControl(kBlockSmooth);
    rt::eraseRect({0, 99, 320, 150});
    flashRequest(" click on minimum peak height (pink). . .", {4, 100, 320, 120}, 8, 112);
    t.peak = pickedLevel(5);
    flashRequest(" click on maximum valley height (green). . .", {4, 150, 320, 165}, 8, 160);
    t.valley = pickedLevel(2);
    if (triggersConfirmed(t)) return true;
    // Asked again: the marks of the levels refused go, and the window is as it was.
    DrawBLOCK();
    buildTriggerWindow(skipText);
    installModalHandlers();
  }
}

// The trigger window until the user leaves it; the triggers and skip when the detection goes on.
Leave triggerWindow(int f, Triggers& t, int32_t& skip, std::string& skipText) {
  buildTriggerWindow(skipText);
  installModalHandlers();
  for (;;) {
    HelpSubject = kWaveformHelp;
    action = eventID = 0;
    if (!waitForActionOrQuit()) return Leave::Menu;
    const int a = action, id = eventID;
    action = eventID = 0;
    bool go = false;
    if (a == 4 && id == kTriggerWindow) return Leave::CloseBox;
    if (a == 16 || (a == 3 && id != kTriggerWindow)) go = true;
    if (a == 1) {
      if (toolbarButtonPicked(id)) return Leave::Menu;
      switch (id) {
        case kDefaultTriggers: go = true; break;
        case kUseCursor: {
          skipText = rt::editTextIn(kTriggerWindow, kSkipField);
          Triggers picked;
          if (!cursorTriggers(picked, skipText)) {
            rt::setOutputWindow(kTriggerWindow);
            break;
          }
          if (MENU_or_ToolBar_PICKED) return Leave::Menu;
          const auto s = typedSkip();
          if (!s) {
            buildTriggerWindow(skipText);
            installModalHandlers();
            break;
          }
          skip = *s;
          t = picked;
          return Leave::Detect;
        }
        case kCancel: return Leave::Cancel;
        case kNormalMethod: prefsArray[75] = 1, methodButtons(); break;
        case kHighestLowest: prefsArray[75] = 0, methodButtons(); break;
        case kTriggerHelp: OpenHelpBook(); break;
        case kBlockSmooth:
          skipText = rt::editTextIn(kTriggerWindow, kSkipField);
          smoothFromTriggers(kQuietSmoothing);
          blockExtremes(f);
          rt::setOutputWindow(kTriggerWindow);
          break;
        case kSmooth:
          skipText = rt::editTextIn(kTriggerWindow, kSkipField);
          smoothFromTriggers(0);
          blockExtremes(f);
          buildTriggerWindow(skipText);
          installModalHandlers();
          break;
        default: break;
      }
    }
    if (!go) continue;
    if (MENU_or_ToolBar_PICKED) return Leave::Menu;
    const auto s = typedSkip();
    if (!s) {
      rt::setOutputWindow(kTriggerWindow);
      continue;
    }
    skip = *s;
    skipText = rt::editTextIn(kTriggerWindow, kSkipField);
    t.peak = BlockMinY, t.valley = BlockMaxY;
    prefsArray[75] = 1;
    return Leave::Detect;
  }
}

// One inverted line per pixel column that holds a mark: two peaks in a column do not erase
// each other. Valleys are drawn dotted.
void markColumns(const std::vector<int32_t>& cases, bool dotted) {
  std::vector<int> columns;
  columns.reserve(cases.size());
  for (const int32_t c : cases) columns.push_back(int(std::floor(double(c - BeginBlock.inUse()) * BlockXscale)));
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  for (const int x : columns) {
    if (!dotted) {
      rt::moveTo(x, 2);
      rt::lineTo(x, UpperLimit);
      continue;
    }
    for (int y = 2; y + 1 <= UpperLimit; y += 4) {
      rt::moveTo(x, y);
      rt::lineTo(x, y + 1);
    }
  }
}

void drawMarks(const WaveformResult& r) {
  if (!rt::windowExists(kBlockWindow)) return;
  rt::setOutputWindow(kBlockWindow);
  rt::penMode(rt::kPatXor);
  rt::foreColor(RGBblack);
  markColumns(r.peakCases, false);
  markColumns(r.valleyCases, true);
  rt::penNormal();
  rt::flushWindow(kBlockWindow);
}

std::string numberText(double v) { return StringFormatter(float(v)); }

void redLine(int y, const std::string& text) {
  DrawIcon(129, 4, int16_t(y - 16));
  rt::foreColor(RGBred);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(30, y, text);
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 12, 0);
  bzot();
}

void showPeriod(const WaveformRecord& w) {
  const PeriodInUnit p = periodInUnit(w.P, w.sd, FrequencyUnit);
  rt::eraseRect({150, 34, 320, 84});
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBEditField(kPeriodCount, "(peak to peak) N =" + rt::PSstrLong(w.nPeaks - 1), {160, 38, 318, 54}, 7);
  rt::FBEditField(kPeriodValue, numberText(p.value), {6, 62, 96, 80}, 7);
  PrintAt(100, 76, " \xC2\xB1");
  rt::FBEditField(kPeriodSpread, numberText(p.spread) + p.suffix, {116, 62, 220, 80}, 7);
  rt::FBEditField(kPeriodCV, "C.V. = " + numberText(p.cv) + "%", {224, 62, 318, 80}, 7);
}

// The results in window 4, as the detection left them.
void showResults(const WaveformResult& r, const WaveformRecord& w) {
  OpenResultsWindow(0, 0, "Waveform Analysis", 0);
  WriteHEADER();
  DoubleLINE(0, 322, 31);
  SetTextStyle(KestrixFont, 12, 0);
  if (w.nPeaks < 2) {
    redLine(60, "NO PERIODICITY DETECTED!");
  } else {
    FFTfrequencyPopup(kUnitMenu);
    rt::FBAppearanceButton(kUnitPopup, 1, FrequencyUnit, kUnitMenu, 8, "", {4, 36, 150, 56}, rt::kControlPopupButton);
    showPeriod(w);
  }
  if (w.dn <= 0) {
    redLine(120, "NO AMPLITUDES DETECTED!");
  } else {
    PrintAt(6, 106, std::string("Amplitude (peak to ") + (w.direction == kAmplitudeToPrior ? "prior" : "next") +
                        " valley)   N =" + rt::PSstrLong(int64_t(w.dn)));
    const double mean = w.dw / w.dn;
    rt::FBEditField(kAmplitudeMean, numberText(mean), {6, 112, 96, 130}, 7);
    if (w.dn > 1) {
      PrintAt(100, 126, " \xC2\xB1");
      rt::FBEditField(kAmplitudeSpread, numberText(w.dxx), {116, 112, 220, 130}, 7);
      const double cv = mean != 0.0 ? std::fabs(w.dxx * 100.0 / mean) : 0.0;
      rt::FBEditField(kAmplitudeCV, "C.V. = " + numberText(cv) + "%", {224, 112, 318, 130}, 7);
    }
  }
  PrintAt(6, 160, "   peak mean:");
  rt::FBEditField(kPeakMean, numberText(r.peakMean()), {96, 146, 170, 164}, 7);
  PrintAt(176, 160, " valley mean:");
  rt::FBEditField(kValleyMean, numberText(r.valleyMean()), {256, 146, 318, 164}, 7);
  if (w.nPeaks != int32_t(w.dn))
    redLine(196, std::string("Caution: ") + (w.nPeaks > w.dn ? "# amplitudes <  # cycles" : "# amplitudes  > # cycles"));
  if (r.stoppedAtCase > 0) {
    rt::foreColor(RGBred);
    PrintAt(6, 226, "The peak table is full: the scan stopped at case" + rt::PSstrLong(r.stoppedAtCase) + ".");
    rt::foreColor(RGBblack);
  }
  const bool shapeOffered = r.method == WaveMethod::Normal && w.nPeaks >= 3 && w.dn > 0;
  rt::FBButton(kResetTriggers, 1, "Reset Triggers...", {4, 318, 122, 340}, 1);
  if (shapeOffered) rt::FBButton(kWaveShapeData, 1, "Wave Shape Data...", {126, 318, 250, 340}, 4);
  rt::FBButton(kResultsHelp, 1, "?", {254, 318, 276, 340}, 1);
  rt::FBButton(kDone, 1, "Done", {280, 318, 318, 340}, 1);
}

WaveformRecord recordOf(const WaveformResult& r) {
  WaveformRecord w;
  w.nPeaks = r.nPeaks;
  w.P = r.P, w.sd = r.sd;
  w.dn = r.dn, w.dw = r.dw, w.ds = r.ds, w.vn = r.vn, w.dxx = r.dxx;
  w.direction = r.direction;
  return w;
}

// Runs the detector on the block of the active channel and publishes what it found.
WaveformResult detect(int f, const Triggers& t, int32_t skip) {
  rt::closeWindow(kTriggerWindow);
  WaveformInput in;
  in.x = {channelData(f, ActiveChannel), size_t(nCases[f]) + 1};
  in.first = BeginBlock.inUse(), in.last = EndBlock.inUse();
  in.dt = FileInfoFLOATS[f][1];
  in.peakTrigger = t.peak, in.valleyTrigger = t.valley;
  in.skip = skip;
  in.method = prefsArray[75] ? WaveMethod::Normal : WaveMethod::HighestLowest5;
  WaveformResult r = FindPeaksAndValleys(in, PeakValuesArray);
  // The scratch channel holds the intervals at cases 2..n.
  if (float* work = channelData(f, 0))
    for (size_t k = 0; k < r.intervals.size() && int64_t(k) + 2 <= nCases[f]; ++k) work[k + 2] = r.intervals[k];
  NumberOfWavePeaks = r.nPeaks;
  P = float(r.P);
  StandardDeviation = float(r.sd);
  LastWaveform = recordOf(r);
  drawMarks(r);
  return r;
}

enum class After { Done, Reset, Closed, Menu };

After resultsLoop(const WaveformResult& r) {
  for (;;) {
    // The statistics window puts in its own handlers while it is up.
    installModalHandlers();
    rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
    HelpSubject = kWaveformHelp;
    rt::setOutputWindow(kResultsWindow);
    action = eventID = 0;
    if (!waitForActionOrQuit()) return After::Menu;
    const int a = action, id = eventID;
    action = eventID = 0;
    if (a == 4 && id == kResultsWindow) return After::Closed;
    if (a == 3 && id == 1000 + TheFileInUse) return After::Done;
    const bool shapeOffered = rt::controlExistsIn(kResultsWindow, kWaveShapeData);
    if (a == 16 && id == 13) {
      if (RunScript == 0 && shapeOffered) WaveShapeStats();
      continue;
    }
    if (a == 16 && (id == '/' || id == '?')) OpenHelpBook();
    if (a != 1) continue;
    if (toolbarButtonPicked(id)) return After::Menu;
    switch (id) {
      case kUnitPopup: {
        const int unit = rt::controlValueIn(kResultsWindow, kUnitPopup);
        if (unit >= 1 && unit <= 9 && unit != 4) {
          FrequencyUnit = int16_t(unit);
          showPeriod(LastWaveform);
        }
        menuidx = menuitemx = 0;
        break;
      }
      case kResetTriggers: return After::Reset;
      case kWaveShapeData:
        if (shapeOffered) WaveShapeStats();
        break;
      case kResultsHelp: OpenHelpBook(); break;
      case kDone: return After::Done;
      default: break;
    }
    (void)r;
  }
}

void commonEnding(int f) {
  REFRESHBLOCK();
  Tick();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  AnalysisCode = kCodeWaveform;
  eventID = 0;
  MenuIDENTIFIER = MenuItem = 0;
  popresult = 0;
}

}  // namespace

int32_t NumberOfWavePeaks = 0;
float P = 0.0f;

void WAVEFORM() {
  const int f = TheFileInUse;
  if (!analysisBlockSet(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  // The intervals go to the scratch channel, which a file may not have yet.
  if (!gPointersToFileData[f][0]) gPointersToFileData[f][0] = allocateSamples(nCases[f]);
  if (!channelData(f, 0)) return;
  SavedHandlers saved;
  HelpSubject = kWaveformHelp;
  WaveformStep run;
  WaveformAbort = 0;
  AnalysisCode = kCodeWaveformOpen;
  MENU_or_ToolBar_PICKED = 0;
  ch = ActiveChannel;
  if (chanB != ActiveChannel) {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  std::string skipText = "0";
  for (;;) {
    blockExtremes(f);
    Triggers t;
    int32_t skip = 0;
    switch (triggerWindow(f, t, skip, skipText)) {
      case Leave::CloseBox:
        WaveformAbort = 10;
        rt::closeWindow(kTriggerWindow);
        return;
      case Leave::Cancel:
        WaveformAbort = 2;
        rt::closeWindow(kTriggerWindow);
        rt::closeWindow(kResultsWindow);
        commonEnding(f);
        return;
      case Leave::Menu:
        rt::closeWindow(kTriggerWindow);
        commonEnding(f);
        return;
      case Leave::Detect: break;
    }
    const WaveformResult r = detect(f, t, skip);
    run.ran();
    showResults(r, LastWaveform);
    rt::bringWindowForward(kResultsWindow);
    const After after = resultsLoop(r);
    if (after == After::Reset) {
      DrawBLOCK();
      continue;
    }
    // Closing window 4 ends the run as "Done" does: its results stand for the report and the
    // automatic repeat.
    if (after == After::Closed) rt::closeWindow(kResultsWindow);
    commonEnding(f);
    return;
  }
}

}  // namespace qv
