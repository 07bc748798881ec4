#pragma once
// Entry points of the plot window and block selection that the rest of the program calls.
#include <cstdint>

#include "plot/plot.h"
#include "runtime/geometry.h"

namespace qv {

// On-line note k of the file in use has the plot-window button kFirstNoteButton + k - 1.
constexpr int kFirstNoteButton = 5001;
constexpr int kLastNoteButton = 5300;
inline bool isNoteButton(int id) { return id >= kFirstNoteButton && id <= kLastNoteButton; }

void DrawMAINWINDOW(int16_t a, int16_t b);
// Redraws the plot window of the file in use: noOverlay 1 leaves the overlay out, xOffset
// shifts the compacted trace, and the comment strip is drawn when commentsA and commentsB
// are both non-zero.
void DrawPlot(int16_t noOverlay, int32_t xOffset, int16_t commentsA, int16_t commentsB);
void DrawALLCHANNELS(int16_t flag);
// The strip of the active channel in the multi-channel view.
void DrawONEmultichan();
// Full redraw of the multi-channel view, whatever the view mode.
void RefreshMULTICHAN();
// Redraw entry points; each redraws the view the file in use shows (FileSHORTS word 7).
// RefreshSCREEN: everything. ScaleChangeREDRAW: after a channel's scale changed.
// UpdateSCREEN: after data changed (the block window too; quiet spares the strips).
// DrawNewChan: after the active channel changed; the block window follows it.
void RefreshSCREEN();
void UpdateSCREEN(int16_t newChannel, int16_t quiet);
void FindMinMax();
namespace plot {
class ColumnReuse;
}
// FindMinMax taking the extremes from columns already scanned when they are of its range.
void FindMinMaxFrom(const plot::ColumnReuse& columns);
void ComputePlotFactors(int16_t mode);
void ScaleChangeREDRAW(int16_t channel);
void MANUALSCALING();
void ScaleGRAPHIC();
void DrawOVERLAY();
void OVERLAY();
void DrawNewChan(int16_t flag);
// A replayed change of channel: channel (at most the file's last) becomes the active one
// and the view is redrawn; 0 or less does nothing.
void CHANNELCHANGE(int16_t channel);
void DRAWMARKERS(int16_t stripMode, int16_t showLabels);
void NOTEMARKERS();
void ALLCHANMARKS(int16_t bottom, int16_t x, int32_t code);
void BuildScrollingCOMMENTSWindow();
void DRAWLABELSTUFF();
void DrawSCREENWIDTHS();
void DrawTimeIndex(int16_t stripMode, int16_t axisY, int16_t labels);

// Trace renderers: cases first..last of `channel` of the file in use at x = x0 + k *
// pixelsPerCase (k from 1), y = baseY - value * yScale. colourMode 0 the data-line
// colour, 99 a thin black line from x = 50, any other the channel's overlay colour.
void DrawPlotUsingCoreGraphics(uint16_t forceQuickDraw, uint16_t colourMode, uint16_t allowSlider, int32_t first,
                               int32_t last, double baseY, double yScale, int16_t channel, double x0,
                               double pixelsPerCase, uint16_t clip);
void DrawPlotInQuickDraw(uint16_t allowSlider, int32_t first, int32_t last, int32_t baseY, double yScale,
                         int16_t channel, double x0, double pixelsPerCase, uint16_t clip);

// Stroke colour and width of the anti-aliased traces.
struct LineStyle {
  rt::RGB color;
  double width = 1;
  bool dashed = false;
};
LineStyle SetCGLineColorFromRGB(int32_t first, int32_t last, bool isBlock, bool inverse);
LineStyle SetCGBlackLines();
LineStyle SetOVERLAYCGLineColorFromRGB(int16_t channel);
LineStyle SetCGlinecolor(int16_t code, bool light);
// One anti-aliased segment in the colour of a line code, 1.5 wide.
void PlotCG(double x1, double y1, double x2, double y2, int16_t code, bool light);
void DRAWTIMEDATE();
void DRAWCOMMENTS();
void FixTheCommentsWindow();
// The plot window of the file in use gets its plain title, and the Window menu the file
// names as they are now (after Save As renamed the file).
void RestoreWindowName();
void ResizeTheMainWindow(int16_t flag);
// Window 11: custom strip heights for the screen (1) or for the printed image (0).
void ChangeCHARTHITE(int16_t flag);
// Window 11's picking: the row of the next click, held inside top .. limit - 1 (also left in
// VerticalPosition); and one example strip from top down to VerticalPosition.
float GetHEIGHT(float top, int16_t limit);
void Draw_A_CHANNEL(float top, uint16_t channel, uint16_t screen);
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
// Removes the block's highlight; the block's cases are kept for ResetLastBlock.
void CLEARBLOCK();
// Edit "Reset Last Block": the kept block of the file in use is set and shown again.
void ResetLastBlock();
// Draws the highlight of the block of the file in use once more (in exclusive-or mode, so a
// second call removes it); strip > 0 limits it to that channel's strip.
void RefreshPLOTBLOCK(int16_t strip);
// Redraws the block window when a block is set.
void REFRESHBLOCK();
void DrawBLOCK();
void OPENBLOCKWINDOW();
// Parts of the block window's drawing.
void DrawBlockZero();
void BLOCKMARKERS();
void SWITCHtoWINDOW2();
void BlockInstructionsWindow();
void ShiftBlockLeft();
void ShiftBlockRight();
void ShiftBlockRules();
// The last block analysis run again on the new block (the shell's, through its hook).
void AUTO_REPEAT();
// Shows the plot window of the file in use again and makes it the output window.
void PlotForward();
void ZoomEffect();
void ShowNotes();
void ShowOnLineNOTE(int16_t note);
void BuildScrollingNOTESWindow();
// Window 6000 laid out for its size as it is now: the list above, the band with "Done" and
// "Save" along the bottom (its loop calls this each time the window was resized).
void FitNotesWindow();
// Writes the notes list that ShowNotes built to a file the user names.
void SaveNotes();
// The comment text of the file in use in the output window from height y down.
void PrintTheComments(int16_t y);
void SetUpAllValuesDisplay();
void DoALLVALUES(int16_t flag);
// Window 4 "Channel Values": the value column at its standard place or where the user clicks;
// action is 4 afterwards when the window was closed.
void PlaceALLVALUES();
void CloseValFields();
void CloseThisPlotWindow(int16_t slot);

}  // namespace qv
