#pragma once
// Fetches every message of one POP3 mailbox over a QSslSocket on the
// user-interface thread: readyRead drives the conversation of Pop3Session.
// TLS from the first byte, STARTTLS (STLS) or none, as the account says;
// certificates are checked against the system's trust store and a failure
// refuses the connection. A server silent for the silence limit ends the
// exchange. Mail stays on the server: nothing is ever deleted.
#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "mail/mail_account.h"
#include "mail/pop3_session.h"

class QSslSocket;

namespace lirvan {

enum class FetchOutcome {
  Complete,
  Empty,
  AuthRefused,
  Refused,
  TlsUnsupported,
  Malformed,
  HostNotFound,
  ConnectFailed,
  CertificateRejected,
  TlsFailed,
  TimedOut,
  ConnectionLost,
};

struct FetchEnd {
  FetchOutcome outcome;
  std::string reason;  // the server's words, or the socket's (UTF-8)
};

// What the owner of a client hears, in this order: Connected once the
// server answers, Protected when the credentials are about to go, a
// MessageArrived per message, Finished once.
class Pop3Listener {
 public:
  virtual ~Pop3Listener() = default;
  virtual void Connected() = 0;
  virtual void Protected(bool encrypted) = 0;
  virtual void MessageArrived(int index) = 0;
  virtual void Finished(const FetchEnd& end) = 0;
};

class CPop3Client : public QObject {
  Q_OBJECT

 public:
  explicit CPop3Client(Pop3Listener& listener);
  ~CPop3Client() override;

  // Starts a fetch; the messages of the previous one are dropped.
  void Fetch(const MailAccount& account);
  bool IsBusy() const { return m_pSocket != nullptr; }
  // Ends a running exchange without a word to the listener.
  void Close();

  const MailMessage& GetMessage(int index) const;
  int MessageCount() const;
  int FetchedCount() const { return m_nFetched; }
  // The number STAT announced.
  int AnnouncedCount() const { return m_pSession ? m_pSession->messageCount() : 0; }

  static constexpr std::chrono::milliseconds kSilenceLimit{30000};
  void SetSilenceLimit(std::chrono::milliseconds limit) { m_silenceLimit = limit; }

 private:
  void OnReadyRead();
  void OnEncrypted();
  void OnSocketError();
  void OnDisconnected();
  void Apply(Pop3Step step);
  void Finish(FetchEnd end);
  void ReleaseSocket();

  Pop3Listener& m_listener;
  std::unique_ptr<QSslSocket> m_pSocket;
  std::unique_ptr<Pop3Session> m_pSession;
  MailSecurity m_security = MailSecurity::None;
  QTimer m_silence;
  std::chrono::milliseconds m_silenceLimit = kSilenceLimit;
  bool m_bCertificateFailed = false;
  bool m_bAnswered = false;
  int m_nFetched = 0;
};

}  // namespace lirvan
