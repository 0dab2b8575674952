#pragma once
// A small POP3 server of the tests' own, on a free loopback port in this
// process's event loop, that serves a mailbox correctly unless told to
// misbehave: no greeting, -ERR on pass, every reply cut in two, a reply
// cut short and the connection closed, the connection closed in the middle
// of a message, STLS refused, a greeting that is not POP3. It keeps every
// line the client sent.
#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

namespace lirvan::test {

struct Misbehaviour {
  bool noGreeting = false;
  bool errOnPass = false;
  bool splitReplies = false;     // each reply sent in two pieces, 20 ms apart
  bool cutStatReply = false;     // half the STAT reply, then close
  int closeInMessage = 0;        // close halfway through this message (from 1)
  bool refuseStls = false;
  bool notPop3 = false;          // greets with an HTTP line
};

class ScriptServer : public QObject {
  Q_OBJECT

 public:
  ScriptServer(std::vector<QByteArray> messages, Misbehaviour misbehaviour);
  int port() const { return server_.serverPort(); }
  // The lines received, without their line ends.
  const QList<QByteArray>& received() const { return received_; }
  bool Received(const QByteArray& prefix) const;

 private:
  void OnConnection();
  void OnLine(const QByteArray& line);
  void Send(const QByteArray& reply);

  QTcpServer server_;
  QPointer<QTcpSocket> client_;
  QByteArray pending_;
  std::vector<QByteArray> messages_;
  Misbehaviour misbehaviour_;
  QList<QByteArray> received_;
};

// "+OK"-style message text with CR LF line ends and dot-stuffing, as RETR
// sends it, ending in the "." line.
QByteArray RetrReply(const QByteArray& message);

}  // namespace lirvan::test
