#include "rhythm/tool_events.h"

#include "core/event_state.h"
#include "core/help.h"
#include "runtime/events.h"

namespace qv {

ToolEvent nextToolEvent() {
  action = eventID = 0;
  waitForAction();
  const ToolEvent e{action, eventID, MENU_or_ToolBar_PICKED != 0};
  action = eventID = 0;
  return e;
}

ToolEvent nextToolEvent(int16_t helpSubject) {
  HelpSubject = helpSubject;
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  return nextToolEvent();
}

}  // namespace qv
