#include "core/event_state.h"

namespace qv {

int16_t action = 0, eventID = 0;
int16_t WindowHasBeenResized = 0, ResizeMainWindow = 0, ResizeBlockWIndow = 0, ToolBarHasBeenResized = 0;
int16_t WindowHasMoved = 0, BlockWindowWasMoved = 0, SliderEvent = 0;
int16_t FileHasBeenClicked = 0, FileIconWasClicked = 0;
int16_t ChangeBlockButtonClicked = 0, MultiChanSelectorButtonClicked = 0;
int16_t PlotDialogMode = 0, popresult = 0, EditFieldWasSelected = 0, QV_ProcessSelected = 0;
int16_t MenuIDENTIFIER = 0, MenuItem = 0, menuidx = 0, menuitemx = 0, MENU_or_ToolBar_PICKED = 0;
int16_t BaseLineButton = 0, MathOperation = 0;
int16_t HorizPosition = 0, VerticalPosition = 0, LastHorizPosition = -2000, WithinThePlotRegion = 0;
int16_t IntBoxLeft = -10, IntBoxRight = -5;
int16_t MergeThisFile = 0, appendONLY = 0, stackONLY = 0;
bool gQuitPending = false;

}  // namespace qv
