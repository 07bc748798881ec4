// Documents handed over between starts of the program, through a local socket of the test's
// own name: a test server stands for the running program where one is needed.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "runtime/events.h"
#include "runtime/handover.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

std::string socketName(const char* what) { return "qvtest-" + std::string(what) + "-" + std::to_string(getpid()); }

// What a connection to the running program brings, read until the message's empty line.
std::string receive(QLocalServer& server) {
  if (!server.waitForNewConnection(2000)) return "(no connection)";
  QLocalSocket* s = server.nextPendingConnection();
  QByteArray got;
  QElapsedTimer t;
  t.start();
  while (!got.endsWith("\n\n") && t.elapsed() < 2000) {
    const bool more = s->waitForReadyRead(100);
    got += s->readAll();
    if (!more && s->state() != QLocalSocket::ConnectedState) break;
  }
  delete s;
  return got.toStdString();
}

std::vector<std::string> gDelivered;
void collect() { gDelivered = rt::documentPaths(); }

}  // namespace

TEST(HandOver, ASecondStartSendsAbsolutePathsAndWithoutDocumentsLeavesTheSocketAlone) {
  qvtest::resetRuntime();
  const std::string name = socketName("running");
  QLocalServer running;
  QLocalServer::removeServer(QString::fromStdString(name));
  ASSERT_TRUE(running.listen(QString::fromStdString(name)));

  EXPECT_EQ(rt::startHandOver(name, {}), rt::HandOver::Alone);
  ASSERT_TRUE(running.isListening());
  EXPECT_EQ(receive(running), "");  // the probe only

  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(rt::startHandOver(name, {"runs/a&b.KXdata", "/data/b.KXdata"}), rt::HandOver::Sent);
  EXPECT_EQ(receive(running), cwd + "/runs/a&b.KXdata\n/data/b.KXdata\n\n");
}

TEST(HandOver, TheServingProgramQueuesTheDocumentsItIsGiven) {
  qvtest::resetRuntime();
  const std::string name = socketName("serving");
  ASSERT_EQ(rt::startHandOver(name, {}), rt::HandOver::Serving);
  rt::setHandler(rt::Vector::Documents, collect);
  gDelivered.clear();
  QLocalSocket second;
  second.connectToServer(QString::fromStdString(name));
  ASSERT_TRUE(second.waitForConnected(1000));
  second.write("/data/a.KXdata\n/data/b.KXdata\n\n");
  ASSERT_TRUE(second.waitForBytesWritten(1000));
  QElapsedTimer t;
  t.start();
  while (gDelivered.empty() && t.elapsed() < 2000) rt::refreshPump();
  EXPECT_EQ(gDelivered, (std::vector<std::string>{"/data/a.KXdata", "/data/b.KXdata"}));
  rt::stopHandOver();
}
