#pragma once
// A private dovecot for the tests: a throw-away configuration, user and
// maildir in a temporary folder, listening on two free loopback ports (POP3
// with STLS, and POP3 over TLS) with a certificate made for this run by its
// own test authority. Started in the constructor (which throws when it
// cannot, so a test without its server fails), always stopped in the
// destructor, and told to stop by the kernel if the test program dies.
// Run as the unprivileged user "dovecot" when started by root.
#include <QSslCertificate>

#include "server_support.h"
#include <string>
#include <vector>

#include <sys/types.h>

namespace lirvan::test {

struct MailFile {
  std::string name;     // sorts in mailbox order
  std::string content;  // LF or CR LF line ends
};

class DovecotServer {
 public:
  explicit DovecotServer(const std::vector<MailFile>& mailbox);
  ~DovecotServer();
  DovecotServer(const DovecotServer&) = delete;
  DovecotServer& operator=(const DovecotServer&) = delete;

  int plainPort() const { return plainPort_; }
  int tlsPort() const { return tlsPort_; }
  static constexpr const char* kUser = "lirvan";
  static constexpr const char* kPassword = "Gizli-Sifre 42";
  // The test authority that signed the server's certificate; trusted by the
  // tests only (TrustTestAuthority), never by the system.
  const QSslCertificate& authority() const { return authority_; }
  std::string Log() const;

 private:
  void WriteConfiguration(const std::vector<MailFile>& mailbox);
  void Launch();
  void WaitUntilReady();
  void Stop();

  std::string dir_;
  int plainPort_ = 0;
  int tlsPort_ = 0;
  pid_t pid_ = -1;
  QSslCertificate authority_;
};

// The test mailbox: tests/mail/mailbox/*.eml in name order, then a message
// of about 1 MB that arrives in many chunks.
std::vector<MailFile> TestMailbox();

}  // namespace lirvan::test
