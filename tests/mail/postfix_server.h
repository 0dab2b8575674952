#pragma once
// A private postfix for the tests: a throw-away instance (its own
// configuration, queue and data folders in a temporary folder) on three
// free loopback ports: submission with STARTTLS and authentication
// required (AUTH PLAIN and LOGIN), submission over TLS from the first byte
// with authentication required (AUTH LOGIN only), and plain SMTP without
// either for the loopback network. It
// delivers the domain ornek.tr (and örnek.tr) into maildirs the tests read.
// Authentication is a private dovecot's, reached by postfix through a
// socket in the same folder. Started in the constructor (which throws when
// it cannot, so a test without its server fails), stopped in the
// destructor; postfix's master must start as root and drops to the
// postfix user itself.
#include <QByteArray>
#include <QSslCertificate>
#include <string>
#include <vector>

#include <sys/types.h>

namespace lirvan::test {

class PostfixServer {
 public:
  PostfixServer();
  ~PostfixServer();
  PostfixServer(const PostfixServer&) = delete;
  PostfixServer& operator=(const PostfixServer&) = delete;

  int submissionPort() const { return submissionPort_; }
  int tlsPort() const { return tlsPort_; }
  int plainPort() const { return plainPort_; }
  static constexpr const char* kUser = "lirvan";
  // UTF-8, with a Turkish letter: the client must send it as UTF-8.
  static constexpr const char* kPassword = "Gizli-Şifre 42";
  const QSslCertificate& authority() const { return authority_; }

  // The mails delivered so far to the mailbox of an ornek.tr address's
  // local part ("ali"), oldest first.
  std::vector<std::string> Mails(const std::string& localPart) const;
  // Waits (at most `milliseconds`) until that mailbox holds `count` mails.
  std::vector<std::string> WaitForMails(const std::string& localPart, std::size_t count,
                                        int milliseconds = 15000) const;
  std::string Log() const;

 private:
  void WriteConfiguration();
  void MakeQueue();
  void StartAuth();
  void Start();
  void StartPostfix();
  void WaitUntilReady();
  void Stop();

  std::string dir_;
  int submissionPort_ = 0;
  int tlsPort_ = 0;
  int plainPort_ = 0;
  pid_t authPid_ = -1;
  pid_t masterPid_ = -1;
  QSslCertificate authority_;
};

// A mail as delivered: postfix's own lines (Return-Path, Delivered-To,
// Received) come first; from "From:" on it is the client's, with the LF
// line ends a maildir keeps.
QByteArray ClientPart(const std::string& delivered);

// The mailboxes the server delivers to.
inline constexpr const char* kMailboxes[] = {"lirvan", "ali", "veli", "ayse", "gizli"};

}  // namespace lirvan::test
