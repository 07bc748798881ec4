#pragma once
// The headers that describe the file in use at the top of a results file: the text
// file's header block, the header printed above the printer spool, and the spool's own
// lines as printed. Line ends are "\n"; the comment's carriage returns become line feeds.
#include <string>
#include <string_view>
#include <vector>

#include "output/printed_text.h"

namespace qv {

struct FileHeaderInfo {
  std::string name;
  std::string startDate, startTime;
  std::vector<std::string> labels;  // labels[k]: channel k, 1..n (entry 0 unused)
  double interval = 1.0;            // s
  double flow = 0.0;                // ml/min
  double temperature = 0.0;         // flow temperature, °C
  double pressure = 0.0;            // barometric pressure, torr
  double volume = 0.0;              // effective volume, ml
  double mass = 0.0;                // g
  std::string comment;              // UTF-8, carriage returns or line feeds
  int significantFigures = 5;
};

// The facts of a slot of the file table.
FileHeaderInfo fileHeaderInfo(int slot);

// The text results file's header (route 4), written once when the file is created: the
// file line, a line per channel, the recording conditions, the comments and a rule of " = ".
// The interval is in seconds, and says so.
std::string textFileHeader(const FileHeaderInfo& f);

// Printed lines (output/printed_text.h): rows of runs; a run with a column starts at that
// character column (counted from 1), as a move of the printer's pen would place it.

// The header printed above the spool's text (route 6): the file line in bold, a bold rule under it,
// the comments and a rule, the channels two to a line (labels in bold, the second at column
// 43), the recording conditions and a rule.
std::vector<PrintedLine> printedSpoolHeader(const FileHeaderInfo& f);

// The spool's text as printed (each line whole, indented by four blanks) is spoolDocument of
// output/printed_text.h.

// Printed lines as plain text (columns filled with blanks), for checks and previews.
std::string printedText(const std::vector<PrintedLine>& lines);

}  // namespace qv
