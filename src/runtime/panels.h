#pragma once
// Platform panels and alerts: the open and save panels, alerts, page set-up and the
// print dialog. Under scripted input each takes its answer record.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/geometry.h"

namespace qv::rt {

// Open panel: a path, or nothing when cancelled. Extensions without dots; empty = any file.
std::optional<std::string> OSpanelOpen(std::string_view prompt, const std::vector<std::string>& extensions);
// Save panel with a suggested name; a path or nothing.
std::optional<std::string> OSpanelSave(std::string_view prompt, std::string_view suggestedName);

// The colour picker with a prompt, starting from `start`: the colour confirmed, or nothing
// when it was cancelled. Under scripted input `color R G B` or `color cancel` answers it.
std::optional<RGB> pickColor(std::string_view prompt, RGB start);

// An alert with one to three buttons; returns the button number chosen (1-based).
int alert(std::string_view title, std::string_view message, const std::vector<std::string>& buttons);
// The runtime's own file-error alert.
void FBFileErrorAlert();

// Opens a web address or mail link with the desktop's handler.
bool openUrl(std::string_view url);

// --- Printing ------------------------------------------------------------------
// One printer for the whole run: the page format chosen in the page set-up is kept for the
// prints that follow. Under scripted input `page ok|cancel` answers the page set-up and
// `print PATH|cancel` the print dialog; PATH receives the pages as PDF.

// The page set-up dialog; false when it was cancelled.
bool pageSetup();

// A piece of a printed line: its text (UTF-8), bold or plain, and where it starts: column 0
// right after the piece before it, column n > 0 at the n-th character column of the page
// (columns are as wide as a digit of the font).
struct PrintRun {
  std::string text;
  bool bold = false;
  int column = 0;
};
using PrintLine = std::vector<PrintRun>;

enum class PrintOutcome { Printed, Cancelled, Failed };

// The print dialog, then the lines printed one under the other in the font (a font number
// of windows.h) and point size, on as many pages as they need. A line wider than the page
// goes on under itself, broken between words, so nothing of it is lost. `lineSizes`, when
// given, holds a point size for each line (0 or a missing entry: `pointSize`). The job is
// named by the title, or by the name SetPrintJobName gave the next job.
PrintOutcome printTextDocument(const std::string& title, const std::vector<PrintLine>& lines,
                               int fontNumber, int pointSize, const std::vector<int>& lineSizes = {});

// The name of the next print job (used once, by the next print).
void setPrintJobName(std::string_view name);

}  // namespace qv::rt

namespace qv::rt {

// --- A drawn page ----------------------------------------------------------------
// After pageSetup: the page format's scale (0.68 draws the page at 68 %), the job's name,
// then the print dialog. While FBRoute(128) is in force the drawing calls of windows.h paint
// the page (in 72-dpi page points) instead of the output window; FBRoute(0) gives them back
// to the window, and CloseLPrint ends the page (false when it could not be written).
void setPageScale(double scale);
void SetPrintJobName(const std::string& name);
bool FBPrintDialogRuntime();  // false when cancelled
// The print dialog's answer given without the dialog: the next page goes to PATH as PDF
// (the benchmarks print pages no one is there to confirm).
void printNextPageTo(const std::string& path);
void FBRoute(int route);
bool CloseLPrint();
// The page's size in page points at its scale (what a drawing may fill).
Rect drawnPageRect();

}  // namespace qv::rt
