#include "smtp_script_server.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lirvan::test {

namespace {

// Every wait is short, so that the server notices it must stop.
constexpr int kPollMs = 50;
// A connection nobody talks on any more is dropped after this long.
constexpr int kIdleLimitMs = 30000;

bool Readable(int fd, int milliseconds) {
  pollfd entry{fd, POLLIN, 0};
  return ::poll(&entry, 1, milliseconds) > 0;
}

}  // namespace

SmtpScriptServer::SmtpScriptServer(SmtpMisbehaviour misbehaviour)
    : misbehaviour_(std::move(misbehaviour)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 4) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listener_ >= 0) ::close(listener_);
    throw std::runtime_error("the SMTP test server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

SmtpScriptServer::~SmtpScriptServer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

QList<QByteArray> SmtpScriptServer::Received() const {
  const std::lock_guard lock(mutex_);
  return received_;
}

bool SmtpScriptServer::ReceivedCommand(const QByteArray& prefix) const {
  const std::lock_guard lock(mutex_);
  for (const QByteArray& line : received_) {
    if (line.toUpper().startsWith(prefix.toUpper())) return true;
  }
  return false;
}

QList<QByteArray> SmtpScriptServer::Messages() const {
  const std::lock_guard lock(mutex_);
  return messages_;
}

void SmtpScriptServer::Run() {
  while (!stopping_) {
    if (!Readable(listener_, kPollMs)) continue;
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++connections_;
    Serve(fd);
    ::close(fd);
  }
}

void SmtpScriptServer::Serve(int fd) {
  if (!misbehaviour_.noGreeting && !Reply(fd, misbehaviour_.greeting)) return;
  QByteArray pending;
  bool inData = false;
  int idle = 0;
  while (!stopping_ && idle < kIdleLimitMs) {
    if (!Readable(fd, kPollMs)) {
      idle += kPollMs;
      continue;
    }
    idle = 0;
    char buffer[4096];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    pending.append(buffer, n);
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
      const QByteArray line = pending.left(end + 1);
      pending.remove(0, end + 1);
      if (!Answer(fd, line, inData)) return;
    }
  }
}

// One received line (with its line end); false ends the connection.
bool SmtpScriptServer::Answer(int fd, const QByteArray& line, bool& inData) {
  if (inData) {
    {
      const std::lock_guard lock(mutex_);
      messages_.back() += line;
    }
    if (misbehaviour_.closeInData && messages_.back().size() > 200) return false;
    if (line != ".\r\n") return true;
    inData = false;
    return Reply(fd, misbehaviour_.endOfDataReply);
  }
  const QByteArray command = line.trimmed();
  const QByteArray verb = command.split(' ').front().split(':').front().toUpper();
  {
    const std::lock_guard lock(mutex_);
    received_ << command;
  }
  if (!misbehaviour_.silentAfter.isEmpty() && verb == misbehaviour_.silentAfter) return true;
  if (verb == "EHLO") {
    if (misbehaviour_.ehloUnknown) return Reply(fd, "502 5.5.2 EHLO bilinmiyor");
    QByteArray reply = "250-deneme.ornek.tr merhaba\r\n250-8BITMIME\r\n";
    if (misbehaviour_.offerAuth) reply += "250-AUTH PLAIN LOGIN\r\n";
    if (misbehaviour_.offerStartTls) reply += "250-STARTTLS\r\n";
    return Reply(fd, reply + "250 SIZE 10240000");
  }
  if (verb == "HELO") return Reply(fd, "250 deneme.ornek.tr");
  if (verb == "STARTTLS") return Reply(fd, "454 4.7.0 TLS su an yok");
  if (verb == "MAIL") return Reply(fd, "250 2.1.0 Tamam");
  if (verb == "RCPT") {
    const qsizetype open = command.indexOf('<');
    const QByteArray address = command.mid(open + 1, command.indexOf('>') - open - 1);
    if (misbehaviour_.refusedRecipients.count(address) > 0) return Reply(fd, kRefusal);
    return Reply(fd, "250 2.1.5 Tamam");
  }
  if (verb == "DATA") {
    inData = true;
    {
      const std::lock_guard lock(mutex_);
      messages_ << QByteArray();
    }
    return Reply(fd, "354 Verileri gonderin, sonunda <CRLF>.<CRLF>");
  }
  if (verb == "QUIT") {
    Reply(fd, "221 2.0.0 Gule gule");
    return false;
  }
  if (verb == "RSET" || verb == "NOOP") return Reply(fd, "250 2.0.0 Tamam");
  return Reply(fd, "500 5.5.1 Komut bilinmiyor");
}

bool SmtpScriptServer::Reply(int fd, const QByteArray& reply) {
  QByteArray bytes = reply;
  if (misbehaviour_.multiLineReplies && !reply.contains("\r\n") && reply.size() > 4) {
    // "250 text" → "250-text", "250-ek satir", "250 son satir".
    const QByteArray code = reply.left(3);
    bytes = code + "-" + reply.mid(4) + "\r\n" + code + "-ek satir\r\n" + code + " son satir";
  }
  bytes += "\r\n";
  if (!misbehaviour_.byteByByte) {
    return ::send(fd, bytes.constData(), static_cast<std::size_t>(bytes.size()), MSG_NOSIGNAL) ==
           bytes.size();
  }
  for (char byte : bytes) {
    if (::send(fd, &byte, 1, MSG_NOSIGNAL) != 1) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace lirvan::test
