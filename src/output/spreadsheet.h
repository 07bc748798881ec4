#pragma once
// The spreadsheet results file: its options and their interlocks, the header row, and one
// row (or one group of a line) per report. One separator throughout the file: TAB in the
// Excel text format, else a comma; text cells are quoted where csv requires it. Numbers a
// division by zero leaves undefined are empty cells, so the columns stay aligned.
#include <cstdint>
#include <string>
#include <string_view>

#include "output/report_inputs.h"

namespace qv {

// The switches of the options window (kept in the preferences file).
struct SpreadsheetOptions {
  int16_t tabTime = 0;    // 1 "Start and End Time"
  int16_t deltatime = 0;  // 2 "Block Duration (sec) "
  int16_t tabmass = 0;    // 3 "Mass (grams) "
  int16_t tabStart = 0;   // 4 "Start and End Cases"
  int16_t tabChan = 0;    // 5 "Channel and File"
  int16_t tabMode = 0;    // 6 "Analysis Mode"
  int16_t Note_1 = 0;     // 7 "User Note 1"
  int16_t Note_2 = 0;     // 8 "User Note 2" (forces Note_1 on)
  int16_t UseExcelFormat = 0;      // 9 "Excel .txt Format": TAB separators
  int16_t UseMultipleResults = 0;  // 10 "Multiple Results per Line"
  int16_t hourColumn = 0;     // 11, prefsArray[40]: hour of day as a decimal number
  int16_t dateColumn = 0;     // 12 and 13, prefsArray[50]: 1 day of year, 2 mm/dd/yyyy
  int16_t elapsedColumn = 0;  // 14, prefsArray[41]: minutes from the start of the file
};

constexpr int kOptionButtons = 14;
constexpr int kOptionOK = 20;

// TAB in the Excel text format, else a comma.
char spreadsheetSeparator(const SpreadsheetOptions& o);

// States of option buttons 1..14 (entry 0 unused): 2 on, 1 off, 0 dimmed. Button 10 is
// dimmed unless the Excel format is on; 12 and 13 show the date column's two kinds. A second
// note needs the first: Note_2 sets Note_1.
struct OptionButtonStates {
  int16_t state[kOptionButtons + 1] = {};
};
OptionButtonStates SETTABOPTIONS(SpreadsheetOptions& o);

// A click on option button 1..14 (a dimmed button does nothing), then SETTABOPTIONS.
SpreadsheetOptions clickSpreadsheetOption(SpreadsheetOptions o, int button);

// The name the save panel proposes: the file's name + " results", and for the spreadsheet
// ".txt" in the Excel format, else ".csv".
std::string proposedResultsName(std::string_view fileName, int16_t route,
                                const SpreadsheetOptions& o);

// Where the current line stands.
struct SpreadsheetLine {
  int16_t NMultipleResults = 2;  // results per line, 2..15
  int16_t NResultsPrinted = 0;   // results on the line so far
};

struct SpreadsheetNotes {
  std::string note1, note2;
};
constexpr size_t kMaxNoteChars = 251;

// The note cells that begin a line (the notes window asks for them): the first note when
// either note is on, the second when it is on, each followed by the separator; a note keeps
// its first 251 characters.
std::string TabFileCommentsText(const SpreadsheetOptions& o, const SpreadsheetNotes& notes);

// The header row, line end included. Its captions match the cells the rows write: the note
// and mass columns in the first group only, later groups numbered from "Mean 2". The first
// line of results starts after it (NResultsPrinted = 0).
std::string spreadsheetHeader(const SpreadsheetOptions& o, int16_t NMultipleResults);

// Codes that write a row: 12 and up but 99; not the regressions (16, 17), nor the analyses
// whose text report is a rule only (21, 26, 36, 37, 39), whose shared values are stale.
bool spreadsheetWritesRow(int16_t code);

// The analysis name of the "Analysis" column (row 2: the second row of codes 15 and 44).
std::string analysisName(int16_t code, int row = 1);

// Whether the next report begins its line, so that the note cells are asked for first.
bool spreadsheetRowWantsNotes(int16_t code, const SpreadsheetOptions& o, const SpreadsheetLine& line);

struct SpreadsheetRow {
  bool written = false;
  std::string text;
  SpreadsheetLine line;       // the line's state after this report
  bool lineComplete = true;   // the text ends its line
};

// One report as spreadsheet text: the note cells when it begins its line, then the basic row
// or, for codes 15 and 44, the frequency (or time) row unless the selector is "A" and the
// amplitude row unless it is "F".
SpreadsheetRow PRINTTABFILE(const ReportInputs& in, const SpreadsheetOptions& o,
                            const SpreadsheetLine& line, std::string_view selector,
                            const SpreadsheetNotes& notes = {});

}  // namespace qv
