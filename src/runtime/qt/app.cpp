#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "runtime/app.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/qt/state.h"

namespace qv::rt {

bool startDocumentHandOver(const std::vector<std::string>& docs);

namespace {

QApplication* gApp = nullptr;
std::vector<std::string> gDocs;
ExitHook gExitHook;
std::vector<std::function<void()>> gAtExit;
std::string gLastFatal;
// Kept alive for QApplication, which keeps references to argc and argv.
int gArgc = 1;
char gArg0[] = "quorvelant";
char* gArgv[] = {gArg0, nullptr};

}  // namespace

void initRuntime(int argc, char** argv) {
  if (gApp) return;
  QCoreApplication::setOrganizationName("Quorvelant");
  QCoreApplication::setApplicationName("Quorvelant");
  gApp = new QApplication(gArgc, gArgv);
  // Numbers are always written with a decimal point, whatever the user's locale.
  std::setlocale(LC_NUMERIC, "C");
  for (int i = 1; i < argc; ++i) gDocs.emplace_back(argv[i]);

  const char* events = std::getenv("QV_EVENTS");
  if (events && *events) {
    std::string error;
    int bad = script::loadFile(events, error);
    if (bad != 0 || !error.empty()) {
      std::string msg = bad > 0 ? "QV_EVENTS: line " + std::to_string(bad) + " is malformed: " + error
                                : "QV_EVENTS: " + error;
      reportFatal(msg);
      exitProgram(2);
    }
    script::setActive(true);
  }
  atProgramExit([] { closeAllFiles(); });
  if (!startDocumentHandOver(gDocs)) exitProgram(0);
  if (!gDocs.empty()) {
    Event e;
    e.kind = EventKind::Documents;
    e.paths = gDocs;
    postEvent(e);
  }
}

bool runtimeReady() { return gApp != nullptr; }

const std::vector<std::string>& startupDocuments() { return gDocs; }

std::string resourceDir() {
  // Found from where the program itself lies, so that an installed copy, a moved prefix and the build
  // tree each use their own: installed, the data folder relative to the program's folder; in the build
  // tree, a link named "resources" beside the executable. /proc/self/exe also works before the
  // application object exists (tests ask for it early).
  static const std::string dir = [] {
    const QString exeDir = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).absolutePath();
    const QStringList candidates{QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral(QV_DATA_FROM_BIN))),
                                 QDir(exeDir).filePath(QStringLiteral("resources"))};
    for (const QString& cand : candidates) {
      if (QDir(cand).exists("DUdoderi")) return QDir(cand).canonicalPath().toStdString();
    }
    // Pictures then draw nothing, sounds stay silent and help pages say they are missing: say once why.
    std::cerr << "quorvelant: no resource folder at " << candidates.join(" or ").toStdString()
              << "; pictures, sounds and help pages are missing" << std::endl;
    return candidates.front().toStdString();
  }();
  return dir;
}

std::string resourcePath(const std::string& folder, const std::string& name) {
  return resourceDir() + "/" + folder + "/" + name;
}

std::string systemDescription() {
  QString name = QSysInfo::prettyProductName();
  if (name.isEmpty()) name = QSysInfo::productType() + " " + QSysInfo::productVersion();
  return name.toStdString();
}

int systemVersionNumber() {
  const QStringList parts = QSysInfo::productVersion().split('.');
  const int major = parts.value(0).toInt(), minor = parts.value(1).toInt();
  return std::clamp(major, 0, 327) * 100 + std::clamp(minor, 0, 99);
}

std::string userConfigDir() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.config";
  return (base + "/Quorvelant").toStdString();
}

std::string userDataDir() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  return (base + "/Quorvelant").toStdString();
}

void setExitHook(ExitHook hook) { gExitHook = std::move(hook); }

void atProgramExit(std::function<void()> f) { gAtExit.push_back(std::move(f)); }

void exitProgram(int status) {
  for (auto& f : gAtExit) f();
  std::fflush(stdout);
  std::fflush(stderr);
  if (gExitHook) {
    gExitHook(status);
    // A hook that returns still ends the call: the program cannot go on from here.
    throw ProgramExit{status, gLastFatal};
  }
  std::_Exit(status);
}

void reportFatal(const std::string& message) {
  gLastFatal = message;
  std::cerr << "quorvelant: " << message << std::endl;
}

const std::string& lastFatalMessage() { return gLastFatal; }

}  // namespace qv::rt
