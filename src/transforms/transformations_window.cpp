// Edit > Standard Transformations... and the replay of script op 11.
#include <optional>

#include "core/help.h"
#include "core/channel_roles.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "datafiles/datafiles.h"
#include "editing/copy_channel.h"
#include "editing/edit_frame.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/gas_settings.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "core/stats_state.h"
#include "transforms/commands.h"
#include "transforms/perform_transforms.h"
#include "transforms/transform_items.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"
#include "transforms/transformations_window.h"

namespace qv {

namespace {

constexpr int kWindow = 4;
constexpr const char* kTitle = "Transformations and Conversions";

void openingState(TransformWindow& w) {
  const int f = w.f;
  HelpSubject = 179;
  for (int s = 1; s <= 5; ++s) OldLabelStrings[f][s] = LabelStrings[f][s];
  NewChannelExists = yChan = FlowRateChannel = 0;
  // Another tool (regression, gas exchange) may have left a channel Y behind.
  SecondChannel = 0;
  MakeNewChan = 0;
  Item1 = 17;
  LastChan = ActiveChannel;
  MainDataChannel = w.channelAtOpen = ActiveChannel;
  w.markAtOpen = FileSHORTS[f][kChangeMarkWord];
}

// A picked popup item: the transform or conversion it names.
void pickItem(TransformWindow& w, int id) {
  const int item = rt::controlValueIn(kWindow, id);
  w.customNumber = 0;
  if (id == 146) {
    if (item >= 1 && item <= 30) showConversionItem(w, item);
    return;
  }
  const bool twoChannels = nChannels[w.f] >= 2;
  if (item < 1 || item > 26 || item == 19 || item == 21 || (needsChannelY(item) && !twoChannels)) {
    rt::setControlValue(144, w.item);
    return;
  }
  showTransformItem(w, item);
  if (item == 2) {
    POLYNOMIAL("Polynomial Transformation", w.openStep >= 1 ? w.openStep : w.step);
    w.passThrough = nChannels[w.f] == 1 ? 45 : 44;
    redrawChannelList(w);
  } else if (item == 20) {
    BREAKPOINT();
    if (rt::windowExists(1000 + w.f)) rt::bringWindowForward(1000 + w.f);
  }
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
}

void toggleScale(TransformWindow& w, int id) {
  int16_t& mine = id == 138 ? w.multiply : w.divide;
  int16_t& other = id == 138 ? w.divide : w.multiply;
  other = 0;
  mine = mine ? 0 : 1;
  rt::setButtonState(id == 138 ? 139 : 138, 1);
  rt::setButtonState(id, mine ? 2 : 1);
}

void showInfo() {
  FILEINFO("", "", "", 3);
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
}

void button(TransformWindow& w, int id) {
  const int n = nChannels[w.f];
  if (id >= 1 && id <= n) return pickChannelX(w, int16_t(id));
  if (id >= 41 && id <= 40 + n && yChan) return pickChannelY(w, int16_t(id - 40));
  switch (id) {
    case 140: {
      const int item = rt::controlValueIn(kWindow, 140);
      rt::setControlValue(140, 1);
      if (item >= 3 && item <= 6) customItem(w, 137 + item);
      return;
    }
    case 144: case 146: return pickItem(w, id);
    case 199: return showInfo();
    case 135: return enterTransformMode(w);
    case 136: return enterConvertMode(w);
    case 138: case 139: return toggleScale(w, id);
    case 156: if (w.ready) runTransformFromWindow(w, false); return;
    case 134: if (w.ready && FileSHORTS[w.f][kBlockStateWord] == 2) runTransformFromWindow(w, true); return;
    case 133: return viewResult(w);
    case 160: return keepResult(w, false);
    case 159: return keepResult(w, true);
    case 162: return cancelWindow(w);
    case 157: return copyChannelButton(w);
    case 155:
      MakeNewChan = MakeNewChan ? 0 : 1;
      rt::setButtonState(155, MakeNewChan ? 2 : 1);
      return;
    case 158: return blockValueButton(w);
    case 558: rt::setEditText(205, rt::PSstr(meanValue)); return;
    case 299: OpenHelpBook(); return;
    default: return;
  }
}

void handleEvent(TransformWindow& w, int a, int id) {
  if (a == 16) {
    if (w.ready) runTransformFromWindow(w, false);
    return;
  }
  if (a == 4) {
    if (id == 444) {
      rt::closeWindow(444);
      rt::bringWindowForward(kWindow);
    } else {
      cancelWindow(w);
    }
    return;
  }
  if (a == 1) {
    rt::setOutputWindow(kWindow);
    button(w, id);
  }
}

void runWindow(TransformWindow& w) {
  SavedHandlers saved;
  w.openStep = RecordScriptStep(kTransformStep);
  openingState(w);
  rt::closeWindow(kWindow);
  HideTheToolBar();
  if (rt::windowExists(1000 + w.f)) rt::bringWindowForward(1000 + w.f);
  buildTransformWindow(w);
  wssst();
  installModalHandlers();
  action = eventID = 0;
  while (!w.exit) {
    const bool quit = !waitForActionOrQuit();
    const int a = action, id = eventID;
    action = eventID = 0;
    if (quit) {
      cancelWindow(w);  // the main loop asks about unsaved changes once the window is gone
      break;
    }
    handleEvent(w, a, id);
    if (!w.exit && rt::windowExists(kWindow)) dimTwoChannelItems();
    rt::setCursor(rt::Cursor::Arrow);
  }
  finishTransformWindow(w);
}

// Replays step `step` without a window: the engine takes every parameter from the step and
// stores the result itself.
void replayStep(TransformWindow& w) {
  const int f = w.f;
  const float* words = ScriptSequenceArray[w.step];
  NewChannelExists = yChan = FlowRateChannel = 0;
  MakeNewChan = nChannels[f] < kMaxChannels ? wordToI16(words[7]) : int16_t(0);
  TransformRequest r;
  r.step = r.wordsStep = w.step;
  r.code = wordToI16(words[4]);
  r.channelY = wordToI16(words[5]);
  r.passThrough = wordToI16(words[14]);
  if (PerformTransforms(r) == 1) {
    ++w.runs;
    w.code = wordToI16(words[4]);
    w.channelY = r.channelY;
    w.keptAny = true;
  }
  if (rt::windowExists(1000 + f) && w.runs > 0) {
    rt::bringWindowForward(1000 + f);
    if (FileSHORTS[f][kViewModeWord] != 0) {
      UpdateSCREEN(MakeNewChan, 1);
      RefreshSCREEN();
      DrawALLCHANNELS(0);
    } else {
      FindMinMax();
      DrawPlot(0, 0, 0, 0);
    }
  }
  if (w.runs > 0) {
    raiseDataGeneration(f);
    logRun(w, w.code, rt::PSstr(words[10]));
  }
}

}  // namespace

void TRANSFORMATIONS(int16_t step) {
  const int f = TheFileInUse;
  const bool replay = stepSuppliesParameters(step, true);
  // A replayed step names its own channels; the window starts on the active one.
  if (!slotIsOpen(f) || (!replay && (ActiveChannel < 1 || ActiveChannel > nChannels[f]))) {
    if (step >= 1) refuseEdit(step, kTitle, {"There is no file or channel to transform.", "Nothing was changed."});
    return;
  }
  TransformWindow w;
  w.f = f;
  w.step = step;
  if (replay) {
    w.markAtOpen = FileSHORTS[f][kChangeMarkWord];
    replayStep(w);
    finishTransformWindow(w);
    return;
  }
  runWindow(w);
}

}  // namespace qv
