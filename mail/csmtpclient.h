#pragma once
// Sends composed mail to an SMTP server over a QSslSocket (the program's
// one TLS stack), blocking the calling thread for the whole exchange with
// every wait bounded: a reply that does not come within the reply time-out
// of the last data received ends the exchange. Submission with STARTTLS,
// TLS from the first byte, or plain text, as the account says; the
// certificate is verified, and the name and password go only over a
// protected connection (AUTH PLAIN, else LOGIN). EHLO, multi-line replies
// read whole, one RCPT per address, the transparency dots of DATA.
#include <QString>
#include <chrono>
#include <memory>
#include <string>

#include "mail/mail_account.h"
#include "mail/smtp_reply.h"

class QSslSocket;

namespace lirvan {

class CSmtpMessage;

struct SmtpServer {
  QString host;
  int port = 587;
  MailSecurity security = MailSecurity::StartTls;
  QString user;      // no AUTH when empty
  QString password;

  static SmtpServer FromAccount(const MailAccount& account);
};

enum class SmtpFailure {
  None,
  HostNotFound,
  ConnectFailed,
  CertificateRejected,
  TlsFailed,
  TlsUnsupported,     // STARTTLS asked for and not offered
  GreetingRefused,
  HelloRefused,
  AuthUnsupported,    // credentials given, none of PLAIN and LOGIN offered
  AuthRefused,
  SenderRefused,
  RecipientRefused,
  DataRefused,
  MessageRefused,
  NoRecipient,
  TimedOut,
  ConnectionLost,
  Malformed,
};

class CSmtpClient {
 public:
  CSmtpClient();
  ~CSmtpClient();  // disconnects
  CSmtpClient(const CSmtpClient&) = delete;
  CSmtpClient& operator=(const CSmtpClient&) = delete;

  // Connects, reads the greeting, says EHLO (HELO to a plain server that
  // knows no EHLO), starts TLS and authenticates as the server asks. A
  // failure leaves the client disconnected.
  bool Connect(const SmtpServer& server);
  // MAIL, one RCPT per envelope address, DATA. False at the first refusal;
  // the connection stays for Disconnect.
  bool SendMessage(const CSmtpMessage& message);
  // QUIT, then the socket is closed.
  void Disconnect();

  bool IsConnected() const { return m_bConnected; }
  bool IsEncrypted() const;
  // The last reply's text, as the server wrote it (its failures' reason).
  const std::string& GetLastCommandResponse() const { return m_sLastCommandResponse; }
  int GetLastCommandCode() const { return m_nLastCommandResponseCode; }
  SmtpFailure GetLastFailure() const { return m_failure; }
  // The address a refused RCPT named.
  const QString& GetRefusedRecipient() const { return m_sRefusedRecipient; }

  static constexpr std::chrono::milliseconds kReplyTimeout{60000};
  void SetReplyTimeout(std::chrono::milliseconds timeout) { m_dwTimeout = timeout; }

 private:
  bool OpenSocket(const SmtpServer& server);
  bool Hello();
  bool StartTls();
  bool Authenticate(const SmtpServer& server);
  bool Command(const QByteArray& line, int expected, SmtpFailure failure);
  bool Send(const QByteArray& bytes);
  bool ReadReply(int expected, SmtpFailure failure);
  bool WaitForEncryption();
  bool Fail(SmtpFailure failure, const char* trace);
  void CloseSocket();

  std::unique_ptr<QSslSocket> m_pSocket;
  bool m_bConnected = false;
  std::string m_sLastCommandResponse;
  std::chrono::milliseconds m_dwTimeout = kReplyTimeout;
  int m_nLastCommandResponseCode = 0;
  SmtpReplyReader m_reader;
  SmtpReply m_lastReply;
  SmtpReply m_extensions;  // the last EHLO reply
  SmtpFailure m_failure = SmtpFailure::None;
  QString m_sRefusedRecipient;
  bool m_bCertificateFailed = false;
};

}  // namespace lirvan
