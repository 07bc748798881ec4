#pragma once
// What the printer gets of the spool file: lines, each a row of text pieces.
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A piece of a printed line: bold or plain; column 0 follows the piece before it, column
// n > 0 starts at the n-th character column.
struct PrintedRun {
  std::string text;
  bool bold = false;
  int column = 0;
};
using PrintedLine = std::vector<PrintedRun>;

// The lines of spooled report text. Every line end (LF, CR or CR LF) ends a line; a last
// line without an end is kept; nothing follows a final line end. A report line stays whole,
// commas, blanks and indentation included.
std::vector<std::string> spoolLines(std::string_view bytes);

// The printed document: the header lines, then each spool line after four blanks.
std::vector<PrintedLine> spoolDocument(std::vector<PrintedLine> header, std::string_view spool);

}  // namespace qv
