#pragma once
// The walk through steps 1..40 of the script on the file in use, apart from the windows it
// shows: the host does the showing and the waiting, the replay table the operations.
#include <cstdint>
#include <string>

namespace qv {

class ReplayHost {
 public:
  virtual ~ReplayHost() = default;
  // The plot window's running notice names the step.
  virtual void showStep(int16_t step) = 0;
  virtual bool blockSelected() = 0;
  virtual int16_t channelCount() = 0;
  // The block request (window 4).
  virtual void requestBlock() = 0;
  // The pause button ("Continue Script; Step" and the step).
  virtual void pauseButton(int16_t next, int16_t step) = 0;
  // Lets the user work in the plot window until a block is chosen (or the pause button is
  // clicked, when waitForButton), or the script is interrupted.
  virtual void waitForUser(bool waitForButton) = 0;
  // After a block step: the plot window back as the output, the pause button gone; the block
  // itself cleared when `clearBlock` (a step that rescales to its block).
  virtual void endBlockStep(bool clearBlock) = 0;
  // Why the run cannot go on with the file it is bound to ("" while it can).
  virtual std::string lostFile() { return {}; }
  // An OPEN FILE step brought in the file the steps after it work on.
  virtual void rebind() {}
};

struct WalkResult {
  bool fileOpened = false;  // a step opened a file (or tried to)
  int16_t stoppedAt = 0;    // the step that stopped the run, 0 when none did
  std::string why;          // what stopped it
  bool told = false;        // the operation has already shown why
};

WalkResult walkSteps(ReplayHost& host);

}  // namespace qv
