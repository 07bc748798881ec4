#include "editing/edit_frame.h"

#include "core/data_generation.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"

namespace qv {

std::span<float> channelSamples(int f, int16_t channel) {
  return {channelData(f, channel), size_t(nCases[f]) + 1};
}

bool stepSuppliesParameters(int16_t step, bool needsRunOnce) {
  return step >= 1 && autoscript == 1 && (!needsRunOnce || ScriptRunOnce != 0);
}

EditRun::EditRun(int16_t opCode) : step_(RecordScriptStep(opCode)) {}

EditRun::~EditRun() {
  if (!completed_) WithdrawScriptStep(step_);
}

void EditRun::setWord(int word, float value) const {
  setStepWord(step_, word, value);
}

void refuseEdit(int16_t step, const std::string& title, const std::vector<std::string>& lines) {
  WarningSpec w;
  w.title = title;
  w.lines = lines;
  if (step >= 1) {
    ScriptStepFailed = step;
    ScriptFailureText = title + ":";
    for (const auto& l : lines) ScriptFailureText += " " + l;
    w.heading = "Script step" + rt::PSstrLong(step) + " stopped: ";
  }
  ShowWarning(w);
}

bool newChannelOrRefuse(int16_t step, const std::string& title) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles) return false;
  if (nChannels[f] >= kMaxChannels) {
    refuseEdit(step, title, {"The file already has " + std::to_string(kMaxChannels) + " channels, the most a file can have.",
                             "Nothing was changed."});
    return false;
  }
  if (!MakeOneNewChannel()) {
    refuseEdit(step, title, {"There is not enough memory for another channel.", "Nothing was changed."});
    return false;
  }
  return true;
}

void finishEdit(int16_t channel) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
  ChangedChan = channel;
  if (!rt::windowExists(1000 + f)) return;
  rt::bringWindowForward(1000 + f);
  UpdateSCREEN(0, 0);
}

void logEdit(int mode, int16_t channel, std::string_view words) {
  const int f = TheFileInUse;
  if (!prefsArray[44] || f < 0 || f >= kMaxOpenFiles) return;
  GetChanLABEL(mode, channel);
  EditRecord += words;
  CommentContainer[f] += EditRecord;
}

void closeToolWindows() {
  for (int w : {4, 6, 41}) rt::closeWindow(w);
}

}  // namespace qv
