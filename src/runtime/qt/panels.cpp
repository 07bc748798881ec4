#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "runtime/panels.h"
#include "runtime/qt/plain_text.h"
#include "runtime/scripted.h"

namespace qv::rt {

std::optional<std::string> OSpanelOpen(std::string_view prompt, const std::vector<std::string>& extensions) {
  if (script::active()) {
    ScriptRecord r = script::takeAnswer(RecordKind::Open);
    if (r.cancel) return std::nullopt;
    return r.text;
  }
  QString filter;
  if (!extensions.empty()) {
    QStringList pats;
    for (auto& e : extensions) {
      QString x = QString::fromStdString(e);
      pats << "*." + x;
      if (x.toLower() != x) pats << "*." + x.toLower();
    }
    filter = "Data files (" + pats.join(' ') + ");;All files (*)";
  }
  QString path = QFileDialog::getOpenFileName(nullptr, QString::fromStdString(std::string(prompt)), QString(), filter);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> OSpanelSave(std::string_view prompt, std::string_view suggestedName) {
  if (script::active()) {
    ScriptRecord r = script::takeAnswer(RecordKind::Save);
    if (r.cancel) return std::nullopt;
    return r.text;
  }
  QString path = QFileDialog::getSaveFileName(nullptr, QString::fromStdString(std::string(prompt)),
                                              QString::fromStdString(std::string(suggestedName)));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<RGB> pickColor(std::string_view prompt, RGB start) {
  if (script::active()) {
    ScriptRecord r = script::takeAnswer(RecordKind::Color);
    if (r.cancel) return std::nullopt;
    return RGB{uint16_t(r.a), uint16_t(r.b), uint16_t(r.c)};
  }
  QColor initial = QColor::fromRgba64(start.red, start.green, start.blue);
  QColor chosen = QColorDialog::getColor(initial, nullptr, QString::fromStdString(std::string(prompt)));
  if (!chosen.isValid()) return std::nullopt;
  const QRgba64 c = chosen.rgba64();
  return RGB{c.red(), c.green(), c.blue()};
}

int alert(std::string_view title, std::string_view message, const std::vector<std::string>& buttons) {
  const int n = buttons.empty() ? 1 : int(buttons.size());
  if (script::active()) {
    ScriptRecord r = script::takeAnswer(RecordKind::Alert);
    if (r.a < 1 || r.a > n)
      script::fail("alert answered with button " + std::to_string(r.a) + " of " + std::to_string(n));
    return r.a;
  }
  QMessageBox box;
  box.setIcon(QMessageBox::Warning);
  box.setWindowTitle(QString::fromStdString(std::string(title)));
  box.setText(QString::fromStdString(std::string(message)));
  std::vector<QPushButton*> bs;
  if (buttons.empty()) bs.push_back(box.addButton("OK", QMessageBox::AcceptRole));
  for (auto& b : buttons) bs.push_back(box.addButton(qt::plainText(b), QMessageBox::ActionRole));
  box.exec();
  for (size_t i = 0; i < bs.size(); ++i)
    if (box.clickedButton() == bs[i]) return int(i) + 1;
  return 1;
}

void FBFileErrorAlert() { alert("File error", "The program returned a file error.", {"OK"}); }

bool openUrl(std::string_view url) {
  if (url.empty()) return false;
  if (script::active()) return true;
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(std::string(url))));
}

}  // namespace qv::rt
