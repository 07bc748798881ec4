#pragma once
// What every channel edit does around its own work: the script step it records and takes
// back, where its parameters come from, refusals (in replay they stop the run), a new
// channel, the change mark, the redraw, the comment-log line.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Entries 0..nCases of a channel of slot f, to work on in place (the slot and channel exist).
std::span<float> channelSamples(int f, int16_t channel);

// Step k of a script being replayed supplies the edit's parameters (k >= 1, the script
// armed); some edits also require ScriptRunOnce.
bool stepSuppliesParameters(int16_t step, bool needsRunOnce = false);

// An edit run: the step it recorded at entry, withdrawn unless the run completes.
class EditRun {
 public:
  // Records the edit's operation code when a script is being recorded.
  explicit EditRun(int16_t opCode);
  ~EditRun();
  EditRun(const EditRun&) = delete;
  EditRun& operator=(const EditRun&) = delete;

  // The step recorded at entry (0 none).
  int16_t step() const { return step_; }
  // Writes a parameter word (2..27) into the recorded step; nothing when none was recorded.
  void setWord(int word, float value) const;
  // The run did its work: its step stays in the script.
  void complete() { completed_ = true; }

 private:
  int16_t step_ = 0;
  bool completed_ = false;
};

// Refuses an edit. In replay (step >= 1) the message names the step and the run is marked
// failed (ScriptStepFailed) so that the replay stops; otherwise the warning window shows it.
void refuseEdit(int16_t step, const std::string& title, const std::vector<std::string>& lines);

// Appends an empty channel to the file in use, or says why it cannot (40 channels, memory).
bool newChannelOrRefuse(int16_t step, const std::string& title);

// After the work: change mark, data generation, ChangedChan, the plot redrawn (the edited
// strip in the multi-channel view), the block window when a block is shown.
void finishEdit(int16_t channel);

// The comment-log line: GetChanLABEL's start (mode 0 edit, 1 channel added, 2 deleted) and
// the edit's words, when edits are logged (prefsArray[44]).
void logEdit(int mode, int16_t channel, std::string_view words);

// Closes the tool window (4) of an edit and the windows analyses open beside it (6, 41).
void closeToolWindows();

}  // namespace qv
