#pragma once
// What the output route writes and asks: the header block of a text results file, the header
// printed above the spool, the spreadsheet's options windows and header row.
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

// The spreadsheet options as the settings hold them, and the settings from options.
struct SpreadsheetOptions;
SpreadsheetOptions currentSpreadsheetOptions();
void storeSpreadsheetOptions(const SpreadsheetOptions& options);

// The header row of a new spreadsheet results file (route 5 is open).
void WriteSpreadsheetHeaderRow();

}  // namespace qv
