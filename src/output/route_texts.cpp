// The texts the output route writes, composed by the report writer from the file in use and
// the spreadsheet settings, and the settings themselves as the options window leaves them.
#include "output/route_texts.h"

#include "core/prefs.h"
#include "output/file_headers.h"
#include "core/output_state.h"
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

void storeSpreadsheetOptions(const SpreadsheetOptions& o) {
  tabTime = o.tabTime;
  deltatime = o.deltatime;
  tabmass = o.tabmass;
  tabStart = o.tabStart;
  tabChan = o.tabChan;
  tabMode = o.tabMode;
  Note_1 = o.Note_1;
  Note_2 = o.Note_2;
  UseExcelFormat = o.UseExcelFormat;
  UseMultipleResults = o.UseMultipleResults;
  prefsArray[40] = o.hourColumn;
  prefsArray[50] = o.dateColumn;
  prefsArray[41] = o.elapsedColumn;
}

std::string TextResultsHeader(int16_t slot) { return textFileHeader(fileHeaderInfo(slot)); }

std::vector<PrintedLine> PrintedSpoolHeader(int16_t slot) { return printedSpoolHeader(fileHeaderInfo(slot)); }

void WriteSpreadsheetHeaderRow() {
  writeToRoute(spreadsheetHeader(currentSpreadsheetOptions(), UseMultipleResults ? NMultipleResults : 1));
  NResultsPrinted = 0;
}

}  // namespace qv
