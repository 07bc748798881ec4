#pragma once
// Entry points of the plot window and block selection that the rest of the program calls.
#include <cstdint>

namespace qv {

void DrawMAINWINDOW(int16_t a, int16_t b);
void DrawPlot(int16_t mode, int16_t start, int16_t c, int16_t d);
void DrawALLCHANNELS(int16_t flag);
void RefreshSCREEN();
void FindMinMax();
void ComputePlotFactors(int16_t mode);
void ScaleChangeREDRAW(int16_t channel);
void MANUALSCALING();
void ScaleGRAPHIC();
void DrawOVERLAY();
void OVERLAY();
void DrawNewChan(int16_t flag);
void DRAWMARKERS(int16_t a, int16_t b);
void DRAWTIMEDATE();
void DRAWCOMMENTS();
void FixTheCommentsWindow();
void RestoreWindowName();
void ResizeTheMainWindow(int16_t flag);
void ChangeCHARTHITE(int16_t flag);
void MultiChannelDisplay(int16_t mode);
void MultiChannelChanSelectWindow(int16_t flag);
void MultiChannelIndicator();
void ToolBar();
void DRAWTOOLS();
void UpdateDataBar(float seconds, int32_t kase);
// The data bar's note of the open results route.
void TabFileDATABAR();
void HandleMOUSE();
void HandlePlotDIALOG();
void CLEARBLOCK();
void RefreshPLOTBLOCK(int16_t flag);
void DrawBLOCK();
void OPENBLOCKWINDOW();
void SWITCHtoWINDOW2();
void BlockInstructionsWindow();
void ShiftBlockLeft();
void ShiftBlockRight();
void ShiftBlockRules();
void AUTOBLOCK();
void AUTO_REPEAT();
void ZoomEffect();
void InsertMarker();
void ShowNotes();
void ShowOnLineNOTE(int16_t note);
void SetUpAllValuesDisplay();
void DoALLVALUES(int16_t flag);
void CloseValFields();
void CloseThisPlotWindow(int16_t slot);

}  // namespace qv
