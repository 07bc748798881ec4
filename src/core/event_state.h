#pragma once
// The event state that handlers leave for the polling loops, the handlers themselves, and
// the deferred menu commands of tool-bar and tool-window buttons.
#include <cstdint>

namespace qv {

// Kind of the last event (1 button, 3 window click, 4 close box, 7 Tab, 16 key/Return,
// -999 mouse click of DoMouse, -990 a blank typed, 55 an explanation window closed) and
// the number that goes with it.
extern int16_t action;
extern int16_t eventID;

// Window and dispatch flags (1 = pending; whoever acts on one clears it).
extern int16_t WindowHasBeenResized, ResizeMainWindow, ResizeBlockWIndow, ToolBarHasBeenResized;
extern int16_t WindowHasMoved, BlockWindowWasMoved, SliderEvent;
extern int16_t FileHasBeenClicked, FileIconWasClicked;
extern int16_t ChangeBlockButtonClicked, MultiChanSelectorButtonClicked;
extern int16_t PlotDialogMode;
extern int16_t popresult;
extern int16_t EditFieldWasSelected;
extern int16_t QV_ProcessSelected;

// Deferred commands: a menu command the main loop hands to the dispatcher.
extern int16_t MenuIDENTIFIER, MenuItem, menuidx, menuitemx, MENU_or_ToolBar_PICKED;
// While a script runs, the baseline button pressed.
extern int16_t BaseLineButton;
// Arithmetic key of the simple calculator's fields (1 +, 2 _, 3 *, 4 /, 5 ^).
extern int16_t MathOperation;

// Pointer tracking of the main loop.
extern int16_t HorizPosition, VerticalPosition, LastHorizPosition, WithinThePlotRegion;
extern int16_t IntBoxLeft, IntBoxRight;

// Open-road requests set by the file buttons (merge, append or stack a second file).
extern int16_t MergeThisFile, appendONLY, stackONLY;

// Quit was chosen while a modal window was up: the main loop takes the Quit road once the
// outermost modal window has returned.
extern bool gQuitPending;

// Handlers (installed into the runtime's vectors; they read what the runtime stored).
void DoDIALOG();
void CHECKRETURN();
void CALCCHECKRETURN();
void noMENU();
void noMOUSE();
void DoMouse();
void HandleFileError();

// Maps a tool-bar or tool-window button to a deferred menu command.
void SetMenuButton(int16_t id);

// Modal tool windows: installs the dialog, edit, menu and mouse handlers of a modal tool.
void installModalHandlers();
// One pass of a modal loop: pump until something is pending for the loop (action != 0).
void waitForAction();
// What a modal loop acts on: the kind and number of the event that ended its wait.
struct TakenAction {
  int action;
  int id;
};
// waitForAction, then takes that event, leaving action and eventID clear for the next one.
TakenAction takeAction();
// The same, returning also when a Quit is pending: false then.
bool waitForActionOrQuit();

}  // namespace qv
