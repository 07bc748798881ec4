// A page that the ordinary drawing calls paint: a window entry without a widget whose
// painter draws on the printer.
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include "runtime/panels.h"
#include "runtime/qt/state.h"
#include "runtime/scripted.h"

namespace qv::rt {

using namespace qt;

QPrinter& sharedPrinter();

namespace {

constexpr int kPageWindow = -128;
double gScale = 1.0;
std::string gJobName;
int gWindowBefore = 0;

}  // namespace

void setPageScale(double scale) { gScale = scale > 0 ? scale : 1.0; }

void SetPrintJobName(const std::string& name) { gJobName = name; }

bool FBPrintDialogRuntime() {
  QPrinter& printer = sharedPrinter();
  printer.setDocName(QString::fromStdString(gJobName));
  printer.setCreator(QStringLiteral("Quorvelant"));
  if (script::active()) {
    const ScriptRecord r = script::takeAnswer(RecordKind::Print);
    if (r.cancel) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(r.text));
    return true;
  }
  if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    printer.setOutputFileName(folder + "/" + QString::fromStdString(gJobName.empty() ? "Image" : gJobName) + ".pdf");
  }
  QPrintDialog dialog(&printer);
  dialog.setWindowTitle(QString::fromStdString(gJobName));
  return dialog.exec() == QDialog::Accepted;
}

void printNextPageTo(const std::string& path) {
  QPrinter& printer = sharedPrinter();
  printer.setDocName(QString::fromStdString(gJobName));
  printer.setCreator(QStringLiteral("Quorvelant"));
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(path));
}

void FBRoute(int route) {
  if (route == 128) {
    if (!findWindow(kPageWindow)) {
      auto w = std::make_unique<Window>();
      w->id = kPageWindow;
      w->painter = std::make_unique<QPainter>();
      QPrinter& printer = sharedPrinter();
      if (!w->painter->begin(&printer)) return;
      const double k = printer.resolution() / 72.0 * gScale;
      w->painter->scale(k, k);
      w->pen.fore = {0, 0, 0};
      S().windows[kPageWindow] = std::move(w);
    }
    if (S().output != kPageWindow) gWindowBefore = S().output;
    S().output = kPageWindow;
  } else if (S().output == kPageWindow) {
    S().output = findWindow(gWindowBefore) ? gWindowBefore : 0;
  }
}

bool CloseLPrint() {
  FBRoute(0);
  Window* w = findWindow(kPageWindow);
  if (!w) return false;
  bool ok = w->painter && w->painter->end();
  S().windows.erase(kPageWindow);
  QPrinter& printer = sharedPrinter();
  if (ok && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    ok = QFileInfo(printer.outputFileName()).size() > 0;
  return ok;
}

Rect drawnPageRect() {
  QPrinter& printer = sharedPrinter();
  const QRectF r = printer.pageLayout().paintRectPoints();
  return {0, 0, int(r.width() / gScale), int(r.height() / gScale)};
}

}  // namespace qv::rt
