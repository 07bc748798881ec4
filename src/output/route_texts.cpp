// The texts the output route writes, composed by the report writer from the file in use and
// the spreadsheet settings.
#include "output/route_texts.h"

#include "core/prefs.h"
#include "output/file_headers.h"
#include "output/output_state.h"
#include "output/output.h"
#include "output/spreadsheet.h"

namespace qv {

SpreadsheetOptions currentSpreadsheetOptions() {
  SpreadsheetOptions o;
  o.tabTime = tabTime;
  o.deltatime = deltatime;
  o.tabmass = tabmass;
  o.tabStart = tabStart;
  o.tabChan = tabChan;
  o.tabMode = tabMode;
  o.Note_1 = Note_1;
  o.Note_2 = Note_2;
  o.UseExcelFormat = UseExcelFormat;
  o.UseMultipleResults = UseMultipleResults;
  o.hourColumn = prefsArray[40];
  o.dateColumn = prefsArray[50];
  o.elapsedColumn = prefsArray[41];
  return o;
}

std::string TextResultsHeader(int16_t slot) { return textFileHeader(fileHeaderInfo(slot)); }

std::vector<PrintedLine> PrintedSpoolHeader(int16_t slot) { return printedSpoolHeader(fileHeaderInfo(slot)); }

bool SpreadsheetOutputOptions(std::string& proposedName) {
  // The options window is not part of this build: the stored options stand.
  proposedName += UseExcelFormat ? ".txt" : ".csv";
  return true;
}

void WriteSpreadsheetHeaderRow() {
  writeToRoute(spreadsheetHeader(currentSpreadsheetOptions(), UseMultipleResults ? NMultipleResults : 1));
  NResultsPrinted = 0;
}

}  // namespace qv
