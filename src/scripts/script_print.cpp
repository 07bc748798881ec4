// The script printed as a table: the date and the script's file name, headings, one line a
// step.
#include <ctime>

#include "core/kit.h"
#include "core/script_state.h"
#include "core/warning.h"
#include "runtime/clock.h"
#include "runtime/panels.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_recorder.h"
#include "scripts/script_view.h"

namespace qv {

namespace {

// The six columns end at character column 78 and more: at 9 points the widest of them, the
// exponent and the fourth value ("instantaneous"), still end inside a letter or A4 page.
constexpr int kPrintPoints = 9;

int printFont() {
  const int geneva = rt::fontNumber("Geneva");
  return geneva ? geneva : KestrixFont;
}

}  // namespace

void PrintScript() {
  if (!rt::pageSetup()) return;
  std::vector<rt::PrintLine> lines;
  lines.push_back({{rt::localClockText("%m/%d/%y") + "       Script sequence from '" + ScriptFileName + "'", false, 0}});
  lines.push_back({});
  lines.push_back({{"step    operation", true, 1},
                   {"channel", true, 27},
                   {"transform", true, 36},
                   {"'a' value", true, 50},
                   {"'b' value", true, 64},
                   {"exponent", true, 78}});
  for (int16_t k = 1; k <= kMostScriptSteps; ++k) {
    rt::PrintLine line = scriptPrintLine(k);
    if (line.empty()) continue;
    lines.push_back(std::move(line));
  }
  if (rt::printTextDocument("Quorvelant script print", lines, printFont(), kPrintPoints) == rt::PrintOutcome::Failed)
    Warn(1166, "Script not printed: ", {"The printer could not print the script."});
}

}  // namespace qv
