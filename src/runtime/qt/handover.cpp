// Documents handed over to a running program: a second start with file arguments gives them
// to the first and ends, as the desktop hands documents to a program already open.
#include "runtime/handover.h"

#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>

#include "runtime/app.h"
#include "runtime/events.h"
#include "runtime/scripted.h"

namespace qv::rt {

namespace {

constexpr int kConnectMs = 300, kWriteMs = 1000;

QLocalServer* gServer = nullptr;

// One message a connection: the paths, one a line, ended by an empty line.
void readDocuments(QLocalSocket* s, QByteArray& buffer) {
  buffer += s->readAll();
  if (!buffer.endsWith("\n\n")) return;
  Event e;
  e.kind = EventKind::Documents;
  for (const QByteArray& line : buffer.split('\n'))
    if (!line.isEmpty()) e.paths.push_back(line.toStdString());
  buffer.clear();
  if (!e.paths.empty()) postEvent(e);
  s->disconnectFromServer();
}

void acceptDocuments() {
  while (QLocalSocket* s = gServer->nextPendingConnection()) {
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(s, &QLocalSocket::readyRead, s, [s, buffer] { readDocuments(s, *buffer); });
    QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
  }
}

bool sendDocuments(QLocalSocket& socket, const std::vector<std::string>& docs) {
  QByteArray msg;
  for (const std::string& d : docs) {
    const std::string path = absoluteDocumentPath(d);
    // A line end inside a name cannot travel in this message.
    if (path.find('\n') == std::string::npos) msg += QByteArray::fromStdString(path) + "\n";
  }
  msg += "\n";
  socket.write(msg);
  const bool written = socket.waitForBytesWritten(kWriteMs);
  socket.disconnectFromServer();
  return written;
}

HandOver serve(const QString& name) {
  stopHandOver();
  gServer = new QLocalServer;
  if (!gServer->listen(name)) {
    // Nobody answered on the socket: a program that ended badly left it.
    QLocalServer::removeServer(name);
    if (!gServer->listen(name)) {
      stopHandOver();
      return HandOver::Alone;
    }
  }
  QObject::connect(gServer, &QLocalServer::newConnection, gServer, acceptDocuments);
  return HandOver::Serving;
}

}  // namespace

std::string absoluteDocumentPath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

HandOver startHandOver(const std::string& name, const std::vector<std::string>& docs) {
  const QString server = QString::fromStdString(name);
  QLocalSocket probe;
  probe.connectToServer(server);
  if (probe.waitForConnected(kConnectMs)) {
    // A running program answers: it keeps its socket whether or not there are documents.
    if (docs.empty()) {
      probe.disconnectFromServer();
      return HandOver::Alone;
    }
    if (sendDocuments(probe, docs)) return HandOver::Sent;
    return HandOver::Alone;
  }
  return serve(server);
}

void stopHandOver() {
  delete gServer;
  gServer = nullptr;
}

// Called once the application object exists. Returns false when the documents went to a
// running program and this one should end.
bool startDocumentHandOver(const std::vector<std::string>& docs) {
  if (script::active() || QGuiApplication::platformName() == "offscreen") return true;
  return startHandOver("Quorvelant-" + std::to_string(getuid()), docs) != HandOver::Sent;
}

}  // namespace qv::rt
