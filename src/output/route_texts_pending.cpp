// Stand-ins for the route texts until the report writer's are joined to this build: no
// header is written or printed, and the spreadsheet takes its file name from the format
// preference without asking.
#include "core/prefs.h"
#include "output/route_texts.h"

namespace qv {

std::string TextResultsHeader(int16_t) { return {}; }

std::vector<PrintedLine> PrintedSpoolHeader(int16_t) { return {}; }

bool SpreadsheetOutputOptions(std::string& proposedName) {
  proposedName += UseExcelFormat ? ".txt" : ".csv";
  return true;
}

void WriteSpreadsheetHeaderRow() {}

}  // namespace qv
