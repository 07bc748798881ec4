#pragma once
// Entry points of results output and printing that the rest of the program calls, and the
// settings of the output route.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/output_state.h"

namespace qv {

// Opens the destination chosen in PortForResultsOutput; non-zero when one is open.
int16_t OPEN_OUTPUT_PORT();
// Whether a route is open: PortForResultsOutput names one and its file is open.
bool RouteIsOpen();
// The File menu's route items as the route leaves them. Open: its "Send Results To:" item
// checked, the other two and "Send Results To:" itself disabled, "Output Results" (when the
// file in use has cases) and "Print | Close File" enabled. Closed: the three items and "Send
// Results To:" enabled, "Output Results" and "Print | Close File" disabled.
void SetRouteMenus();
// Writes the results of the current analysis (AnalysisCode) to the open destination.
void DRAFTPRINT(std::string_view text);
// Closes the destination and prints the spooled results.
void SendTextToPrinter();
// The "Print File Image" preview, then the printed image of the plot window.
void SCREENIMAGE(int16_t mode);
// The "Scaling Factors for Results" window; a value of 0 offers none.
void SCALERESULTS(double value);


}  // namespace qv
