#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <algorithm>
#include <map>
#include <memory>

#include "runtime/panels.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"

namespace qv::rt {

// The printer lives for the whole run, so the page format chosen once holds for later prints.
QPrinter& sharedPrinter() {
  static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
  return *printer;
}

namespace {

QPrinter& thePrinter() { return sharedPrinter(); }

struct Fonts {
  QFont plain, bold;
  QFontMetricsF plainMetrics, boldMetrics;
  Fonts(const QFont& p, const QFont& b, QPaintDevice* device)
      : plain(p), bold(b), plainMetrics(p, device), boldMetrics(b, device) {}
  const QFont& font(bool isBold) const { return isBold ? bold : plain; }
  const QFontMetricsF& metrics(bool isBold) const { return isBold ? boldMetrics : plainMetrics; }
};

// Lays lines out in rows of the page width and paints them, page after page.
class TextPages {
 public:
  TextPages(QPrinter& printer, QPainter& painter, const Fonts& fonts)
      : printer_(printer), painter_(painter), fonts_(&fonts) {
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    width_ = page.width();
    height_ = page.height();
    useFonts(fonts);
  }

  // The fonts of the lines that follow (a line of another size).
  void useFonts(const Fonts& fonts) {
    fonts_ = &fonts;
    lineHeight_ = std::max(fonts.plainMetrics.lineSpacing(), fonts.boldMetrics.lineSpacing());
    column_ = fonts.plainMetrics.horizontalAdvance(QLatin1Char('0'));
  }

  bool print(const PrintLine& line) {
    startRow();
    indent_ = leadingBlankWidth(line);
    for (const PrintRun& run : line) {
      if (run.column > 0) {
        flush();
        x_ = std::max(x_, (run.column - 1) * column_);
        segmentX_ = x_;
      }
      placeRun(QString::fromStdString(run.text), run.bold);
    }
    flush();
    y_ += lineHeight_;
    return ok_;
  }

 private:
  // Tokens are runs of blanks or of other characters; a line breaks only between tokens,
  // or inside a token wider than the page.
  void placeRun(const QString& text, bool bold) {
    if (bold != bold_) flush(), bold_ = bold;
    const QFontMetricsF& fm = fonts_->metrics(bold);
    qsizetype i = 0;
    while (i < text.size()) {
      const bool blank = text[i].isSpace();
      qsizetype j = i;
      while (j < text.size() && text[j].isSpace() == blank) ++j;
      QString token = text.mid(i, j - i);
      i = j;
      double w = fm.horizontalAdvance(token);
      // A rule (one mark repeated) is cut at the page's edge: wrapped, it would print as two.
      if (!blank && x_ + w > width_ && isRule(token)) {
        while (token.size() > 1 && x_ + fm.horizontalAdvance(token) > width_) token.chop(1);
        w = fm.horizontalAdvance(token);
      }
      if (x_ + w > width_ && x_ > indent_) {
        if (blank) continue;  // blanks at a break are not carried to the next row
        newRow();
      }
      while (!blank && x_ + w > width_ && token.size() > 1) {
        qsizetype fit = 1;
        while (fit < token.size() && x_ + fm.horizontalAdvance(token.left(fit + 1)) <= width_) ++fit;
        segment_ += token.left(fit);
        token = token.mid(fit);
        newRow();
        w = fm.horizontalAdvance(token);
      }
      segment_ += token;
      x_ += w;
    }
  }

  static bool isRule(const QString& token) {
    if (token.size() < 20) return false;
    const QChar mark = token[0];
    if (mark != QChar(0x2014) && mark != QChar(0x2013) && mark != QLatin1Char('-') && mark != QLatin1Char('=') &&
        mark != QLatin1Char('_'))
      return false;
    for (QChar c : token)
      if (c != mark) return false;
    return true;
  }

  double leadingBlankWidth(const PrintLine& line) const {
    if (line.empty() || line.front().column > 0) return 0.0;
    const QString t = QString::fromStdString(line.front().text);
    qsizetype n = 0;
    while (n < t.size() && t[n] == QLatin1Char(' ')) ++n;
    return std::min(fonts_->metrics(line.front().bold).horizontalAdvance(t.left(n)), width_ / 2);
  }

  void startRow() {
    if (y_ > 0 && y_ + lineHeight_ > height_) {
      if (!printer_.newPage()) ok_ = false;
      y_ = 0;
    }
    x_ = segmentX_ = 0;
  }

  void newRow() {
    flush();
    y_ += lineHeight_;
    startRow();
    x_ = segmentX_ = indent_;
  }

  void flush() {
    if (!segment_.isEmpty()) {
      painter_.setFont(fonts_->font(bold_));
      painter_.drawText(QPointF(segmentX_, y_ + fonts_->metrics(bold_).ascent()), segment_);
      segment_.clear();
    }
    segmentX_ = x_;
  }

  QPrinter& printer_;
  QPainter& painter_;
  const Fonts* fonts_;
  double width_ = 0, height_ = 0, lineHeight_ = 0, column_ = 0;
  double x_ = 0, y_ = 0, segmentX_ = 0, indent_ = 0;
  QString segment_;
  bool bold_ = false;
  bool ok_ = true;
};

}  // namespace

bool pageSetup() {
  if (script::active()) return !script::takeAnswer(RecordKind::Page).cancel;
  QPageSetupDialog dialog(&thePrinter());
  return dialog.exec() == QDialog::Accepted;
}

namespace {
std::string gNextJobName;
}  // namespace

void setPrintJobName(std::string_view name) { gNextJobName = std::string(name); }

PrintOutcome printTextDocument(const std::string& title, const std::vector<PrintLine>& lines,
                               int fontNumber, int pointSize, const std::vector<int>& lineSizes) {
  QPrinter& printer = thePrinter();
  const std::string jobName = gNextJobName.empty() ? title : gNextJobName;
  gNextJobName.clear();
  printer.setDocName(QString::fromStdString(jobName));
  printer.setCreator(QStringLiteral("Quorvelant"));
  if (script::active()) {
    const ScriptRecord r = script::takeAnswer(RecordKind::Print);
    if (r.cancel) return PrintOutcome::Cancelled;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(r.text));
  } else {
    // Without a printer the dialog prints to a PDF file: offer one in the user's documents.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
      const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
      printer.setOutputFileName(folder + "/" + QString::fromStdString(title.empty() ? "Results" : title) + ".pdf");
    }
    QPrintDialog dialog(&printer);
    dialog.setWindowTitle(QString::fromStdString(title));
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
  }

  QPainter painter;
  if (!painter.begin(&printer)) return PrintOutcome::Failed;
  painter.setPen(Qt::black);
  std::map<int, std::unique_ptr<Fonts>> fontsBySize;
  auto fontsOf = [&](int size) -> const Fonts& {
    size = std::max(4, size);
    std::unique_ptr<Fonts>& f = fontsBySize[size];
    if (!f) {
      QFont plain(QString::fromStdString(fontFamily(fontNumber)));
      plain.setPointSizeF(size);
      // Letters stay letters in the PDF (no "fl" ligature), so its text reads back as printed.
      plain.setStyleStrategy(QFont::PreferNoShaping);
      QFont bold = plain;
      bold.setBold(true);
      f = std::make_unique<Fonts>(plain, bold, &printer);
    }
    return *f;
  };
  TextPages pages(printer, painter, fontsOf(pointSize));
  bool ok = true;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int size = i < lineSizes.size() && lineSizes[i] > 0 ? lineSizes[i] : pointSize;
    pages.useFonts(fontsOf(size));
    ok = pages.print(lines[i]) && ok;
  }
  ok = painter.end() && ok;
  if (ok && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    ok = QFileInfo(printer.outputFileName()).size() > 0;
  return ok ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace qv::rt
