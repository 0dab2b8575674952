#include "script_server.h"

#include <QTimer>
#include <stdexcept>

namespace lirvan::test {

QByteArray RetrReply(const QByteArray& message) {
  QByteArray body;
  for (QByteArray line : message.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.startsWith('.')) line.prepend('.');
    body += line + "\r\n";
  }
  if (message.endsWith('\n')) body.chop(2);
  return "+OK " + QByteArray::number(message.size()) + " octets\r\n" + body + ".\r\n";
}

ScriptServer::ScriptServer(std::vector<QByteArray> messages, Misbehaviour misbehaviour)
    : messages_(std::move(messages)), misbehaviour_(misbehaviour) {
  if (!server_.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("cannot listen");
  connect(&server_, &QTcpServer::newConnection, this, &ScriptServer::OnConnection);
}

bool ScriptServer::Received(const QByteArray& prefix) const {
  for (const QByteArray& line : received_) {
    if (line.startsWith(prefix)) return true;
  }
  return false;
}

void ScriptServer::OnConnection() {
  client_ = server_.nextPendingConnection();
  connect(client_, &QTcpSocket::readyRead, this, [this] {
    pending_ += client_->readAll();
    for (qsizetype end = pending_.indexOf("\r\n"); end >= 0; end = pending_.indexOf("\r\n")) {
      const QByteArray line = pending_.left(end);
      pending_.remove(0, end + 2);
      received_ << line;
      OnLine(line);
      if (!client_) return;
    }
  });
  if (misbehaviour_.noGreeting) return;
  Send(misbehaviour_.notPop3 ? "HTTP/1.1 400 Bad Request\r\n" : "+OK deneme sunucusu hazir\r\n");
}

void ScriptServer::OnLine(const QByteArray& line) {
  const QByteArray command = line.split(' ').front().toLower();
  if (command == "stls") {
    Send(misbehaviour_.refuseStls ? "-ERR TLS yok\r\n" : "+OK\r\n");
  } else if (command == "user") {
    Send("+OK\r\n");
  } else if (command == "pass") {
    Send(misbehaviour_.errOnPass ? "-ERR [AUTH] Kimlik dogrulanamadi\r\n" : "+OK oturum acildi\r\n");
  } else if (command == "stat") {
    qsizetype size = 0;
    for (const QByteArray& message : messages_) size += message.size();
    const QByteArray reply = "+OK " + QByteArray::number(qsizetype(messages_.size())) + " " +
                             QByteArray::number(size) + "\r\n";
    if (misbehaviour_.cutStatReply) {
      client_->write(reply.left(4));
      client_->flush();
      client_->disconnectFromHost();
      return;
    }
    Send(reply);
  } else if (command == "retr") {
    const int number = line.mid(5).toInt();
    if (number < 1 || number > int(messages_.size())) return Send("-ERR no such message\r\n");
    const QByteArray reply = RetrReply(messages_[std::size_t(number - 1)]);
    if (number == misbehaviour_.closeInMessage) {
      client_->write(reply.left(reply.size() / 2));
      client_->flush();
      client_->disconnectFromHost();
      return;
    }
    Send(reply);
  } else if (command == "quit") {
    Send("+OK bye\r\n");
    client_->disconnectFromHost();
  } else {
    Send("-ERR unknown\r\n");
  }
}

void ScriptServer::Send(const QByteArray& reply) {
  if (!client_) return;
  if (!misbehaviour_.splitReplies) {
    client_->write(reply);
    return;
  }
  // Cut in the middle, so that no line arrives whole in one chunk.
  const qsizetype half = reply.size() / 2;
  client_->write(reply.left(half));
  client_->flush();
  QPointer<QTcpSocket> socket = client_;
  const QByteArray rest = reply.mid(half);
  QTimer::singleShot(20, this, [socket, rest] {
    if (socket) socket->write(rest);
  });
}

}  // namespace lirvan::test
