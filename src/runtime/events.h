#pragma once
// The event pump and its handler vectors. Every platform event becomes one record in
// the runtime's queue; FBHandleEvents dispatches one record to the installed handler,
// which reads what the runtime stored for the event. Handlers take no arguments.
#include <string>
#include <vector>

#include "runtime/geometry.h"

namespace qv::rt {

using Handler = void (*)();

enum class Vector { Menu, Mouse, Dialog, Edit, FileError, Documents };
void setHandler(Vector v, Handler h);
Handler handler(Vector v);

enum class EventKind { Menu, Mouse, Dialog, EditKey, Documents };

struct Event {
  EventKind kind = EventKind::Dialog;
  int a = 0;  // menu number | dialog kind | key code | mouse x
  int b = 0;  // item | dialog id | field id | mouse y
  int c = 0;  // window (edit key, mouse) | click count (mouse)
  int d = 0;  // mouse: window
  std::vector<std::string> paths;  // documents
};

// Queues an event (the Qt side and tests).
void postEvent(const Event& e);

// Waiting pump: handles pending events once. Lets Qt process its events; dispatches
// one queued record; when none is queued and scripted input is on, delivers the next
// scripted record; otherwise waits a few milliseconds so that an idle loop does not
// spin a core.
void FBHandleEvents();

// Refresh pump: lets the screen catch up and dispatches queued (never scripted) events.
void refreshPump();

// Lets the window system see that the program is alive during a long computation: Qt
// processes its events (what the user does is queued), nothing is dispatched.
void keepResponsive();

// Discards every pending event but documents handed over by the desktop (scripted records
// not yet delivered are not events).
void FlushEvents();
bool eventsPending();

// What the runtime stored for the event being handled.
int menuNumber();
int menuItemNumber();
int dialogKind();
int dialogId();
int editKeyCode();
int editFieldId();
int editWindowId();
// The edit handler calls this to keep the key out of the field.
void rejectEditKey();
int mouseClickCount();  // negative while the button is still down
int mouseWindow();
Point mousePoint();  // in the window of the click
const std::vector<std::string>& documentPaths();

// Pointer and button, as polling loops read them.
Point pointerIn(int window);  // window pixels of the given window
bool Button();                // the mouse button is held down
bool optionKeyDown();         // the Alt (Option) key is held down; never under scripted input
// Pump of mouse-tracking loops: lets Qt process its events and, under scripted input,
// takes the next mouse record (a loop that tracks the mouse calls it once a pass).
void trackingPump();

// Pending file error of the runtime (set by failed numbered-file operations).
int fileError();
void setFileError(int code);

}  // namespace qv::rt
