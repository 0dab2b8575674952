#pragma once
// A small SMTP server of the tests' own, on a free loopback port, in a
// thread of its own (the client blocks the thread that calls it, so the
// server must not need that thread's event loop). It takes mail correctly
// unless told to misbehave, and keeps every line and every DATA byte it
// received. Plain text only; each connection is served in turn.
#include <QByteArray>
#include <QList>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace lirvan::test {

struct SmtpMisbehaviour {
  bool noGreeting = false;            // accepts and says nothing
  QByteArray greeting = "220 deneme.ornek.tr ESMTP hazir";
  bool ehloUnknown = false;           // 502 to EHLO: only HELO works
  bool offerAuth = false;             // "AUTH PLAIN LOGIN" on a plain line
  bool offerStartTls = false;         // offered, then refused with 454
  bool multiLineReplies = false;      // every reply in three lines
  bool byteByByte = false;            // every reply one byte at a time
  std::set<QByteArray> refusedRecipients;  // 550 with a Turkish reason
  QByteArray silentAfter;             // a command (upper case) never answered
  bool closeInData = false;           // hangs up after some DATA bytes
  QByteArray endOfDataReply = "250 2.0.0 Tamam: kuyrukta";
};

class SmtpScriptServer {
 public:
  explicit SmtpScriptServer(SmtpMisbehaviour misbehaviour = {});
  ~SmtpScriptServer();
  SmtpScriptServer(const SmtpScriptServer&) = delete;
  SmtpScriptServer& operator=(const SmtpScriptServer&) = delete;

  int port() const { return port_; }
  // The command lines received, without line ends (DATA content apart).
  QList<QByteArray> Received() const;
  bool ReceivedCommand(const QByteArray& prefix) const;
  // Each message's DATA bytes as they came, dots and all, up to and
  // including the end-of-data line.
  QList<QByteArray> Messages() const;
  int Connections() const { return connections_; }

  // The reason the refused recipients get (UTF-8).
  static constexpr const char* kRefusal = "550 5.1.1 Alıcı bulunamadı";

 private:
  void Run();
  void Serve(int fd);
  bool Reply(int fd, const QByteArray& reply);
  bool Answer(int fd, const QByteArray& line, bool& inData);

  SmtpMisbehaviour misbehaviour_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex mutex_;
  QList<QByteArray> received_;
  QList<QByteArray> messages_;
  std::thread thread_;
};

}  // namespace lirvan::test
