// Plot-window entry points that this build does not have yet. Those a command reaches
// say so in a notice; those called on the program's own road (drawing) do nothing.
#include <algorithm>
#include <string>

#include "core/filetable.h"
#include "core/notices.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

void DrawMAINWINDOW(int16_t, int16_t) {
  // Until the plot window is built, the file still gets a plain window of its own.
  const int f = TheFileInUse;
  if (f < 0 || f >= 20) return;
  rt::Rect s = rt::screenRect();
  int w = std::clamp(s.width() - 150, 550, 1800), h = std::min(s.height() - 55, 800);
  rt::openWindow(1000 + f, FileName[f], {10, 40, 10 + w, 40 + h}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox | rt::kAttrResizable);
  FileSHORTS[f][3] = 1;
}
void DrawPlot(int16_t, int16_t, int16_t, int16_t) {}
void DrawALLCHANNELS(int16_t) {}
void RefreshSCREEN() {}
void FindMinMax() {}
void ComputePlotFactors(int16_t) {}
void ScaleChangeREDRAW(int16_t) {}
void MANUALSCALING() { NotAvailable("Y-Axis Scaling for Channel"); }
void ScaleGRAPHIC() { NotAvailable("Set Scale Interactively"); }
void DrawOVERLAY() {}
void OVERLAY() { NotAvailable("Overlay"); }
void DrawNewChan(int16_t) {}
void DRAWMARKERS(int16_t, int16_t) {}
void DRAWTIMEDATE() {}
void DRAWCOMMENTS() {}
void FixTheCommentsWindow() {}
void RestoreWindowName() {}
void ResizeTheMainWindow(int16_t) {}
void ChangeCHARTHITE(int16_t) { NotAvailable("Strip Heights"); }
void MultiChannelDisplay(int16_t) { NotAvailable("Show Multiple Channels"); }
void MultiChannelChanSelectWindow(int16_t) {}
void MultiChannelIndicator() {}
void ToolBar() {}
void DRAWTOOLS() {}
void UpdateDataBar(float, int32_t) {}
void TabFileDATABAR() {}
void HandleMOUSE() {}
void HandlePlotDIALOG() {}
void CLEARBLOCK() {}
void RefreshPLOTBLOCK(int16_t) {}
void DrawBLOCK() {}
void OPENBLOCKWINDOW() {}
void SWITCHtoWINDOW2() {}
void BlockInstructionsWindow() {}
void ShiftBlockLeft() {}
void ShiftBlockRight() {}
void ShiftBlockRules() { NotAvailable("Block Shift Rules"); }
void AUTOBLOCK() { NotAvailable("Block Width"); }
void AUTO_REPEAT() { NotAvailable("Repeat Last Analysis"); }
void ZoomEffect() {}
void InsertMarker() { NotAvailable("Insert Marker"); }
void ShowNotes() { NotAvailable("Show Notes"); }
void ShowOnLineNOTE(int16_t) { NotAvailable("On-line Note"); }
void SetUpAllValuesDisplay() { NotAvailable("Channel Values to Display"); }
void DoALLVALUES(int16_t) {}
void CloseValFields() {}
void CloseThisPlotWindow(int16_t) { NotAvailable("Close"); }

}  // namespace qv
