#pragma once
// Entry points of results output that the dispatcher, the analyses and the report writer
// call: the output route, the results windows and their furniture, the scaling window.
#include <cstdint>
#include <string_view>

namespace qv {

// --- The output route ------------------------------------------------------------
// Opens the destination that PortForResultsOutput names (4 text file, 5 spreadsheet file,
// 6 printer spool file). 1 when its file is open; 0 otherwise, with the route back at 0.
// Hides the tool bar for the dialogs of routes 4 and 5; the caller shows it again.
int16_t OPEN_OUTPUT_PORT();
// Whether a route is open: PortForResultsOutput names one and its file is open.
bool RouteIsOpen();
// The File menu's route items as the route leaves them. Open: its "Send Results To:" item
// checked, the other two and "Send Results To:" itself disabled, "Output Results" (when the
// file in use has cases) and "Print | Close File" enabled. Closed: the three items and "Send
// Results To:" enabled, "Output Results" and "Print | Close File" disabled.
void SetRouteMenus();
// Closes the route; for the printer route prints the spooled reports under their header.
void SendTextToPrinter();
// "Output Port Alert": a report was asked for while no destination is open. Waits for a
// press of the mouse button.
void NoOutputPortAlert();
// Where printed text (PrintText) goes: route 4, 5 or 6 to that route's file, 0 back to the
// window.
void FBRoute(int16_t route);
// Appends text to the file of the open route; false when none is open or the write failed.
bool writeToRoute(std::string_view text);

// "Notes for Tabular Data File" (window 30): asks for the note cells that begin a line of the
// spreadsheet file and keeps them in note1 and note2 (at most 251 characters each) for the
// row, and to offer them again next time. Return in a field or the close box ends it.
void TabFileComments();

// --- Results windows -------------------------------------------------------------
// Window 4 below the plot window of the file in use; the subset flag adds the "Use
// Cross-Channel Subsampling" box, the wider flag 15 pixels.
void OpenResultsWindow(int16_t extraHeight, int16_t subsetBox, std::string_view title, int16_t wider);
// Window 6 beside window 4.
void OPENWINDOW6(std::string_view title, int16_t height);
// The channel row, the help button, the histogram and scale buttons, the rule and the header.
void CHANNELSELECT();
// The "Channel:" caption and a button per channel of the file in use, rows from y.
void DrawChannelButtons(int16_t y);
// The header band: channel, label, cases and duration of the block; marks the channel.
void WriteHEADER();
// The integration-unit buttons, the chosen unit marked.
void IntBUTTON();
// Edit-key handler of the analysis windows. Return and Enter give action 16 with eventID 13;
// "/", "?", "P", "p" and the channel keys give action 16 with the key in eventID and stay out
// of the fields. While AnalysisTypingField names a field, the keys typed into it go there
// (Return ends the typing); otherwise every other key is ignored.
void AnalysisWindowKeys();
extern int16_t AnalysisTypingField;
// The "Data Filter In Use:" notice (window 90), when a limit or the subset is on.
void DataFilterNotice(std::string_view message);

// --- Results scaling -------------------------------------------------------------
// "Scaling Factors for Results" (window 6); a value other than 0 is offered to the factor
// of the channel whose operation button is clicked. Returns when the window closes.
void SCALERESULTS(double value);

}  // namespace qv
