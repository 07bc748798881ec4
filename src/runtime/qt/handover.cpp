// Documents handed over to a running program: a second start with file arguments gives
// them to the first and ends, as the desktop hands documents to a program already open.
#include <QDataStream>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/scripted.h"

namespace qv::rt {

namespace {

QString serverName() { return QString("Quorvelant-%1").arg(getuid()); }

QLocalServer* gServer = nullptr;

void acceptDocuments() {
  while (QLocalSocket* s = gServer->nextPendingConnection()) {
    QObject::connect(s, &QLocalSocket::readyRead, s, [s] {
      // One message: the paths, one a line, ended by an empty line.
      static QByteArray buffer;
      buffer += s->readAll();
      if (!buffer.endsWith("\n\n")) return;
      Event e;
      e.kind = EventKind::Documents;
      for (const QByteArray& line : buffer.split('\n'))
        if (!line.isEmpty()) e.paths.push_back(line.toStdString());
      buffer.clear();
      if (!e.paths.empty()) postEvent(e);
      s->disconnectFromServer();
    });
    QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
  }
}

}  // namespace

// Called once the application object exists. Returns false when the documents went to a
// running program and this one should end.
bool startDocumentHandOver(const std::vector<std::string>& docs) {
  if (script::active() || QGuiApplication::platformName() == "offscreen") return true;
  if (!docs.empty()) {
    QLocalSocket probe;
    probe.connectToServer(serverName());
    if (probe.waitForConnected(300)) {
      QByteArray msg;
      for (auto& d : docs) msg += QByteArray::fromStdString(d) + "\n";
      msg += "\n";
      probe.write(msg);
      probe.waitForBytesWritten(1000);
      probe.disconnectFromServer();
      return false;
    }
  }
  gServer = new QLocalServer;
  if (!gServer->listen(serverName())) {
    // A stale socket of a program that ended badly: take its place.
    QLocalServer::removeServer(serverName());
    if (!gServer->listen(serverName())) return true;
  }
  QObject::connect(gServer, &QLocalServer::newConnection, gServer, acceptDocuments);
  return true;
}

}  // namespace qv::rt
