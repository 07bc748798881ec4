#pragma once
// The texts the output route writes without composing them: the header block of a text
// results file, the header printed above the spool, and the spreadsheet's options and
// header row. The report writer composes them; route_texts_pending.cpp stands in for it
// until it is joined to this build.
#include <cstdint>
#include <string>
#include <vector>

#include "output/printed_text.h"

namespace qv {

// The header block written once into a new text results file for the file in slot `slot`.
std::string TextResultsHeader(int16_t slot);

// The header printed above the spooled reports of the file in slot `slot`.
std::vector<PrintedLine> PrintedSpoolHeader(int16_t slot);

// The spreadsheet options window (and the results-per-line window when several results go
// on a line). Adds the file extension to the proposed name; false when a window was closed
// with its close box, which cancels the route.
bool SpreadsheetOutputOptions(std::string& proposedName);

// The spreadsheet options as the settings hold them.
struct SpreadsheetOptions;
SpreadsheetOptions currentSpreadsheetOptions();

// The header row of a new spreadsheet results file (route 5 is open).
void WriteSpreadsheetHeaderRow();

}  // namespace qv
