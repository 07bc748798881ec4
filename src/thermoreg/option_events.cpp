#include "core/event_state.h"
#include "runtime/events.h"
#include "thermoreg/option_windows.h"

namespace qv {

float ActivePhaseConductanceIncrease = 0.0f;

OptionEvent nextOptionEvent() {
  do rt::FBHandleEvents();
  while (action == 0 && !gQuitPending);
  OptionEvent e{action, eventID};
  action = eventID = 0;
  return e;
}

}  // namespace qv
