// "Output Results" and the "P" key of the analysis windows: the report of the last analysis
// into the open route, the busy icon, and the count of results on the plot window.
#include <string>

#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "output/commands.h"
#include "output/output.h"
#include "output/report_writer.h"
#include "output/results_count.h"
#include "core/route_state.h"
#include "output/route_texts.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

void writeFailed() {
  WarningSpec s;
  s.window = 1166;
  s.title = "Output Port Alert";
  s.lines = {"The results could not be written to",
             PortForResultsOutput == kRoutePrinter ? spoolFilePath() : ResultsFileName,
             "Nothing of this report was counted as saved."};
  ShowWarning(s);
}

class KeepOutputWindow {
 public:
  KeepOutputWindow() : saved_(rt::outputWindow()) {}
  ~KeepOutputWindow() {
    if (saved_ && rt::windowExists(saved_)) rt::setOutputWindow(saved_);
  }
  KeepOutputWindow(const KeepOutputWindow&) = delete;
  KeepOutputWindow& operator=(const KeepOutputWindow&) = delete;

 private:
  int saved_;
};

}  // namespace

void DRAFTPRINT(std::string_view text) {
  if (!hasReport(AnalysisCode)) return;
  KeepOutputWindow keep;
  const int f = TheFileInUse;
  ThisFileName = slotInUse(f) ? FileName[f] : std::string();
  ReportInputs in = publishedReportInputs(f, ch);
  in.significantFigures = SignificantFigures;
  const SpreadsheetOptions options = currentSpreadsheetOptions();
  const SpreadsheetLine line{NMultipleResults, NResultsPrinted};
  const bool statisticsOfNothing =
      (reportsStatistics(in.AnalysisCode) || in.AnalysisCode == kCodeAreaIntegration) && in.nrPoints < 1;
  if (PortForResultsOutput == kRouteSpreadsheet && !statisticsOfNothing &&
      spreadsheetRowWantsNotes(in.AnalysisCode, options, line))
    TabFileComments();

  const DraftPrintOutcome out = draftPrint(in, PortForResultsOutput, text, options, line, Nresults, ScreenWidth,
                                           {note1, note2});
  if (out.noValidCases) {
    // The statistics block says "no valid cases"; there is no result to write.
    bzot();
    return;
  }
  if (!out.reported) return;
  if (out.noDestination) {
    NoOutputPortAlert();
    return;
  }
  if (out.icon == ReportIcon::Disk) DRAWDISK(text);
  else if (out.icon == ReportIcon::Page) DRAWPAGE();
  if (!out.text.empty() && !writeToRoute(out.text)) {
    writeFailed();
    return;
  }
  EndBeep();
  Nresults = out.count.Nresults;
  NResultsPrinted = out.NResultsPrinted;
  if (!out.count.field18.empty()) showResultsCount(out.count.field18);
}

}  // namespace qv
