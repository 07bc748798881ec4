// The output route: opening a destination, writing into it, closing it and printing the
// spool file.
#include <string>
#include <vector>

#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "plot/label_strip.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "output/output.h"
#include "output/printed_text.h"
#include "core/route_state.h"
#include "output/route_texts.h"
#include "plot/plot.h"
#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/panels.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kFileMenu = 1;
constexpr int kSendResultsTo = 17, kOutputResults = 18, kPrintCloseFile = 19;
constexpr int kSendResultsMenu = 80;
constexpr int kRouteHelp = 203;
constexpr int kOutputAlertWindow = 1166;
constexpr int kDataBarField = 54;
constexpr size_t kResultsNameChars = 51;

int16_t gTextRoute = kRouteNone;

bool isRoute(int r) { return r == kRouteTextFile || r == kRouteSpreadsheet || r == kRoutePrinter; }
bool slotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }
int plotWindow(int f) { return 1000 + f; }

void routeWarning(const std::vector<std::string>& lines) {
  WarningSpec s;
  s.window = kOutputAlertWindow;
  s.title = "Output Port Alert";
  s.lines = lines;
  ShowWarning(s);
}

void writeToTextRoute(std::string_view text) { rt::writeToFile(gTextRoute, text); }

// A spool that still holds reports (a run that ended with the printer route open, a print
// that was cancelled) is emptied only when the user says so; closing the question keeps it.
bool keepEarlierReports() {
  const std::string path = spoolFilePath();
  if (!rt::fileExists(path) || rt::fileSize(path) == 0) return false;
  return rt::alert("Printer File", "The printer file still holds results that were not printed.",
                   {"Keep Them", "Empty It"}) != 2;
}

bool openSpoolFile() {
  return rt::makeFolders(rt::userDataDir()) &&
         rt::openOutputFile(kRoutePrinter, spoolFilePath(), keepEarlierReports());
}

// Routes 4 and 5: options (route 5), the save panel and the new file. True when it is open.
bool openResultsFile(int16_t route, int f) {
  std::string proposed = (slotInUse(f) ? FileName[f] : std::string()) + " results";
  HideTheToolBar();
  if (route == kRouteSpreadsheet && !SpreadsheetOutputOptions(proposed)) return false;
  const auto path = rt::OSpanelSave(route == kRouteTextFile ? "Save Results File As..." : "Save Spreadsheet As...",
                                    proposed);
  if (!path) {
    downvip();
    return false;
  }
  wsst();
  if (!rt::openOutputFile(route, *path)) {
    routeWarning({"The results file could not be created:", rt::fileNameOf(*path),
                  "Choose another folder or name in \"Send Results To:\"."});
    return false;
  }
  ResultsFileName = rt::leftChars(rt::fileNameOf(*path), kResultsNameChars);
  if (route == kRouteSpreadsheet) {
    WriteSpreadsheetHeaderRow();
    TabFileDATABAR();
  }
  return true;
}

void setClosedRouteMenus() {
  for (int item = 1; item <= 3; ++item) rt::menuSetItemState(kSendResultsMenu, item, 1);
  rt::menuSetItemState(kFileMenu, kSendResultsTo, 1);
  rt::menuSetItemState(kFileMenu, kOutputResults, 0);
  rt::menuSetItemState(kFileMenu, kPrintCloseFile, 0);
}

// Submenu item of each route: 1 printer, 2 spreadsheet, 3 text file.
int routeItem(int16_t route) { return route == kRoutePrinter ? 1 : route == kRouteSpreadsheet ? 2 : 3; }

// No second destination can be chosen while one is open: choosing one again would empty the
// file that holds the reports written so far.
void setOpenRouteMenus(int16_t route, int f) {
  for (int item = 1; item <= 3; ++item)
    rt::menuSetItemState(kSendResultsMenu, item, item == routeItem(route) ? 2 : 0);
  rt::menuSetItemState(kFileMenu, kSendResultsTo, 0);
  rt::menuSetItemState(kFileMenu, kOutputResults, slotInUse(f) && nCases[f] > 0 ? 1 : 0);
  rt::menuSetItemState(kFileMenu, kPrintCloseFile, 1);
}

std::vector<rt::PrintLine> toPrintLines(const std::vector<PrintedLine>& doc) {
  std::vector<rt::PrintLine> lines;
  lines.reserve(doc.size());
  for (const PrintedLine& line : doc) {
    rt::PrintLine& out = lines.emplace_back();
    for (const PrintedRun& run : line) out.push_back({run.text, run.bold, run.column});
  }
  return lines;
}

// The page set-up, the print dialog, then the header and every spooled line.
void printSpoolFile(int f) {
  ThisFileName = slotInUse(f) ? FileName[f] : std::string();
  const auto bytes = rt::readWholeFile(spoolFilePath());
  PortForResultsOutput = kRouteNone;
  if (!bytes) {
    routeWarning({"The printer file could not be read:", spoolFilePath()});
  } else if (rt::pageSetup()) {
    const std::string_view spool(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const auto lines = toPrintLines(spoolDocument(PrintedSpoolHeader(int16_t(f)), spool));
    rt::setCursor(rt::Cursor::Wait);
    const rt::PrintOutcome printed =
        rt::printTextDocument(ThisFileName.empty() ? "Results" : ThisFileName, lines, 1, 10);
    rt::setCursor(rt::Cursor::Arrow);
    if (printed == rt::PrintOutcome::Failed)
      routeWarning({"The results could not be printed.", "They are kept in the printer file:", spoolFilePath()});
    // What was printed is done with: kept, it would be asked about and printed again with the next report.
    if (printed == rt::PrintOutcome::Printed) rt::writeFileAtomic(spoolFilePath(), std::vector<uint8_t>{});
  }
  if (slotInUse(f) && rt::windowExists(plotWindow(f))) rt::bringWindowForward(plotWindow(f));
  wssst();
}

}  // namespace

std::string spoolFilePath() { return rt::userDataDir() + "/printfile"; }

bool RouteIsOpen() { return isRoute(PortForResultsOutput) && rt::isFileOpen(PortForResultsOutput); }

void SetRouteMenus() {
  if (RouteIsOpen()) setOpenRouteMenus(PortForResultsOutput, TheFileInUse);
  else setClosedRouteMenus();
}

int16_t OPEN_OUTPUT_PORT() {
  const int f = TheFileInUse;
  const int16_t route = PortForResultsOutput;
  // The route's file is open already and holds the reports written since: opening it again
  // would empty it.
  if (isRoute(route) && rt::isFileOpen(route)) return 1;
  HelpSubject = kRouteHelp;
  AnalysisCode = 0;
  ThisFileName = slotInUse(f) ? FileName[f] : std::string();

  if (route == kRoutePrinter) {
    if (openSpoolFile()) {
      bup();
      return 1;
    }
    // Reports sent to a route whose file never opened would vanish without a word.
    PortForResultsOutput = kRouteNone;
    routeWarning({"The printer file could not be made in", rt::userDataDir(), "Results will not be sent to the printer."});
    return 0;
  }

  const bool opened = isRoute(route) && openResultsFile(route, f);
  if (!opened) PortForResultsOutput = kRouteNone;
  if (opened && route == kRouteTextFile) writeToRoute(TextResultsHeader(int16_t(f)));
  if (slotInUse(f) && nCases[f] > 0 && FileSHORTS[f][7] != 2) {
    rt::closeWindow(4);
    if (rt::windowExists(plotWindow(f))) rt::bringWindowForward(plotWindow(f));
  }
  return opened ? 1 : 0;
}

void SendTextToPrinter() {
  const int f = TheFileInUse;
  const int16_t route = PortForResultsOutput;
  setClosedRouteMenus();
  FBRoute(kRouteNone);
  if (isRoute(route) && !rt::closeFile(route)) {
    routeWarning({"Some results could not be written to", route == kRoutePrinter ? spoolFilePath() : ResultsFileName,
                  "The file may be incomplete."});
  }
  if (route == kRoutePrinter) printSpoolFile(f);
  wsst();
  PortForResultsOutput = kRouteNone;
  Nresults = 0;
  if (slotInUse(f) && rt::controlExistsIn(plotWindow(f), kDataBarField))
    rt::setEditTextIn(plotWindow(f), kDataBarField, "");
}

void FBRoute(int16_t route) {
  gTextRoute = isRoute(route) ? route : kRouteNone;
  setTextOutputRoute(gTextRoute != kRouteNone ? writeToTextRoute : nullptr);
}

bool writeToRoute(std::string_view text) {
  if (!isRoute(PortForResultsOutput)) return false;
  return rt::writeToFile(PortForResultsOutput, text);
}

}  // namespace qv
