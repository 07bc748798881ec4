#pragma once
// The report of the analysis that ran last, by its code: the text block of the text file and
// the printer spool, the spreadsheet row, and what the plot window counts. The window side
// (icons, sounds, the no-destination alert, writing to the route's file) acts on the outcome.
#include <cstdint>
#include <string>
#include <string_view>

#include "output/report_inputs.h"
#include "output/spreadsheet.h"

namespace qv {

// Codes below 12 and 99 have nothing to report.
bool hasReport(int16_t code);
// Codes whose report is the statistics of a range (descriptive statistics, scans, clicked
// points): with no case in the range there is nothing to report.
bool reportsStatistics(int16_t code);

// The text report of in.AnalysisCode (routes 4 and 6); "" when the code has nothing to report.
std::string textReport(const ReportInputs& in);

// The plot window's count of saved results and its line in field 18.
struct ResultCount {
  int16_t Nresults = 0;
  bool counted = false;
  std::string field18;  // "" when the plot area is too narrow to show it (below 1100 pixels)
};
// After a report: counted unless nothing was written or, with several results per line, the
// line is not complete yet.
ResultCount countResult(int16_t Nresults, bool written, bool lineComplete, int16_t screenWidth,
                        int16_t ch, int32_t BeginBlock, int32_t EndBlock);

enum class ReportIcon { None, Disk, Page };

struct DraftPrintOutcome {
  bool reported = false;       // false: the code has nothing to report; nothing happens at all
  bool noValidCases = false;   // a statistics report of no case: nothing is written or counted
  bool noDestination = false;  // no route is open: the no-destination alert, nothing written
  ReportIcon icon = ReportIcon::None;
  std::string text;            // appended to the route's file
  ResultCount count;
  int16_t NResultsPrinted = 0;  // the spreadsheet line's state after the report
};

// Everything DRAFTPRINT does but the writing, drawing and sounds: `route` is
// PortForResultsOutput, `selector` the key the report was asked with (" " from the menu),
// `line` the spreadsheet line's state before it, `notes` the note cells when
// spreadsheetRowWantsNotes asked for them.
DraftPrintOutcome draftPrint(const ReportInputs& in, int16_t route, std::string_view selector,
                             const SpreadsheetOptions& options, const SpreadsheetLine& line,
                             int16_t Nresults, int16_t screenWidth,
                             const SpreadsheetNotes& notes = {});

}  // namespace qv
