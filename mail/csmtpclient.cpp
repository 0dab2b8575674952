#include "mail/csmtpclient.h"

#include <QDateTime>
#include <QHostInfo>
#include <QSslSocket>
#include <algorithm>

#include "mail/mime_encode.h"
#include "mail/smtp_message.h"
#include "platform/cp1254.h"
#include "platform/trace.h"

namespace lirvan {

namespace {

using Clock = std::chrono::steady_clock;

int Milliseconds(Clock::duration duration) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
  return static_cast<int>(std::clamp<long long>(ms, 0, 24 * 3600 * 1000));
}

// The name EHLO gives: the system's host name, only the characters a
// domain may hold, at most 100 bytes.
QByteArray LocalHostName() {
  QByteArray name;
  for (QChar ch : QHostInfo::localHostName()) {
    const char16_t c = ch.unicode();
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '.') {
      name += static_cast<char>(c);
    }
  }
  if (name.isEmpty()) name = "localhost";
  return name.left(100);
}

// An envelope address never carries a line end, a blank or a bracket
// into a command.
bool SafeInCommand(const QString& address) {
  return !address.isEmpty() && std::all_of(address.begin(), address.end(), [](QChar ch) {
           return ch.unicode() > 0x20 && ch.unicode() < 0x7F && ch != QLatin1Char('<') &&
                  ch != QLatin1Char('>');
         });
}

bool SessionEnded(SmtpFailure failure) {
  return failure == SmtpFailure::TimedOut || failure == SmtpFailure::ConnectionLost ||
         failure == SmtpFailure::Malformed;
}

}  // namespace

SmtpServer SmtpServer::FromAccount(const MailAccount& account) {
  const auto text = [](const std::string& cp1254) {
    return IsMissing(cp1254) ? QString() : QString::fromStdString(Cp1254ToUtf8(cp1254));
  };
  return {text(account.smtpServer).trimmed(), account.smtpPort, account.smtpSecurity,
          text(account.user), text(account.password)};
}

CSmtpClient::CSmtpClient() = default;

CSmtpClient::~CSmtpClient() {
  if (m_pSocket) Disconnect();
}

bool CSmtpClient::IsEncrypted() const { return m_pSocket && m_pSocket->isEncrypted(); }

bool CSmtpClient::Fail(SmtpFailure failure, const char* trace) {
  m_failure = failure;
  if (TraceEnabled()) TraceLine(trace);
  return false;
}

bool CSmtpClient::Connect(const SmtpServer& server) {
  if (m_pSocket) Disconnect();
  m_failure = SmtpFailure::None;
  m_sLastCommandResponse.clear();
  m_nLastCommandResponseCode = 0;
  m_sRefusedRecipient.clear();
  m_reader.Reset();
  if (!OpenSocket(server)) {
    CloseSocket();
    return false;
  }
  m_bConnected = true;
  const bool ready = ReadReply(220, SmtpFailure::GreetingRefused) && Hello() &&
                     (server.security != MailSecurity::StartTls || StartTls()) &&
                     Authenticate(server);
  if (!ready) Disconnect();
  return ready;
}

bool CSmtpClient::OpenSocket(const SmtpServer& server) {
  m_pSocket = std::make_unique<QSslSocket>();
  m_bCertificateFailed = false;
  m_pSocket->setPeerVerifyMode(QSslSocket::VerifyPeer);
  // The errors are not ignored, so the handshake fails; this notes why.
  QObject::connect(m_pSocket.get(), &QSslSocket::sslErrors,
                   [this] { m_bCertificateFailed = true; });
  const auto port = static_cast<quint16>(server.port);
  bool opened = false;
  if (server.security == MailSecurity::Tls) {
    m_pSocket->connectToHostEncrypted(server.host, port);
    opened = WaitForEncryption();
  } else {
    m_pSocket->connectToHost(server.host, port);
    opened = m_pSocket->waitForConnected(Milliseconds(m_dwTimeout));
    if (!opened) {
      const bool notFound = m_pSocket->error() == QAbstractSocket::HostNotFoundError;
      Fail(notFound ? SmtpFailure::HostNotFound : SmtpFailure::ConnectFailed,
           "Could not connect to the SMTP server");
    }
  }
  return opened;
}

bool CSmtpClient::WaitForEncryption() {
  if (m_pSocket->waitForEncrypted(Milliseconds(m_dwTimeout))) return true;
  const QAbstractSocket::SocketError error = m_pSocket->error();
  // The reason is the TLS layer's, not the server's last reply.
  m_sLastCommandResponse = m_pSocket->errorString().toStdString();
  m_nLastCommandResponseCode = 0;
  if (m_bCertificateFailed) {
    return Fail(SmtpFailure::CertificateRejected, "The server's certificate was not trusted");
  }
  if (error == QAbstractSocket::HostNotFoundError) {
    return Fail(SmtpFailure::HostNotFound, "Could not connect to the SMTP server");
  }
  if (error == QAbstractSocket::ConnectionRefusedError) {
    return Fail(SmtpFailure::ConnectFailed, "Could not connect to the SMTP server");
  }
  if (error == QAbstractSocket::SocketTimeoutError) {
    return Fail(SmtpFailure::TimedOut, "The TLS handshake timed out");
  }
  return Fail(SmtpFailure::TlsFailed, "The TLS handshake failed");
}

bool CSmtpClient::Hello() {
  const QByteArray name = LocalHostName();
  if (!Send("EHLO " + name + "\r\n")) return false;
  if (ReadReply(250, SmtpFailure::HelloRefused)) {
    m_extensions = m_lastReply;
    return true;
  }
  // A plain server of the old kind knows only HELO; never once TLS is on.
  if (m_failure != SmtpFailure::HelloRefused || m_nLastCommandResponseCode < 500 || IsEncrypted()) {
    return false;
  }
  m_extensions = {};
  return Command("HELO " + name, 250, SmtpFailure::HelloRefused);
}

bool CSmtpClient::StartTls() {
  if (!m_extensions.Offers("STARTTLS")) {
    return Fail(SmtpFailure::TlsUnsupported, "The server does not offer STARTTLS");
  }
  if (!Command("STARTTLS", 220, SmtpFailure::TlsFailed)) return false;
  // Whatever came after the 220 in clear text was not protected: dropped.
  m_pSocket->readAll();
  m_reader.Reset();
  m_pSocket->startClientEncryption();
  return WaitForEncryption() && Hello();
}

bool CSmtpClient::Authenticate(const SmtpServer& server) {
  // Credentials never travel in clear text.
  if (server.user.isEmpty() || server.password.isEmpty() || !IsEncrypted()) return true;
  const std::vector<std::string> mechanisms = m_extensions.OfferParameters("AUTH");
  if (!m_extensions.Offers("AUTH")) return true;  // the server asks for none
  const auto offered = [&](const char* name) {
    return std::find(mechanisms.begin(), mechanisms.end(), name) != mechanisms.end();
  };
  const QByteArray user = server.user.toUtf8();
  const QByteArray password = server.password.toUtf8();
  if (offered("PLAIN")) {
    const QByteArray token = (QByteArray(1, '\0') + user + QByteArray(1, '\0') + password).toBase64();
    return Command("AUTH PLAIN " + token, 235, SmtpFailure::AuthRefused);
  }
  if (offered("LOGIN")) {
    return Command("AUTH LOGIN", 334, SmtpFailure::AuthRefused) &&
           Command(user.toBase64(), 334, SmtpFailure::AuthRefused) &&
           Command(password.toBase64(), 235, SmtpFailure::AuthRefused);
  }
  return Fail(SmtpFailure::AuthUnsupported, "The server offers neither AUTH PLAIN nor LOGIN");
}

bool CSmtpClient::SendMessage(const CSmtpMessage& message) {
  if (!m_bConnected || !m_pSocket) return Fail(SmtpFailure::ConnectionLost, "Not connected");
  m_sRefusedRecipient.clear();
  const std::vector<QString> envelope = message.EnvelopeRecipients();
  if (envelope.empty()) return Fail(SmtpFailure::NoRecipient, "The message has no recipient");
  const QString& sender = message.m_From.m_sEmailAddress;
  if (!SafeInCommand(sender)) return Fail(SmtpFailure::SenderRefused, "Unusable sender address");
  if (!Command("MAIL FROM:<" + sender.toLatin1() + ">", 250, SmtpFailure::SenderRefused)) {
    return false;
  }
  for (const QString& recipient : envelope) {
    if (!SafeInCommand(recipient)) {
      m_sRefusedRecipient = recipient;
      return Fail(SmtpFailure::RecipientRefused, "Unusable recipient address");
    }
    // A server that goes silent or hangs up here has refused nothing: its
    // own failure stands.
    if (!Command("RCPT TO:<" + recipient.toLatin1() + ">", 250, SmtpFailure::RecipientRefused)) {
      if (m_failure == SmtpFailure::RecipientRefused) m_sRefusedRecipient = recipient;
      return false;
    }
  }
  return Command("DATA", 354, SmtpFailure::DataRefused) &&
         Send(DotStuffed(message.GetData(QDateTime::currentDateTime()))) &&
         ReadReply(250, SmtpFailure::MessageRefused);
}

void CSmtpClient::Disconnect() {
  if (!m_pSocket) {
    if (TraceEnabled()) TraceLine("Already disconnected from SMTP server, doing nothing");
    return;
  }
  // QUIT is polite, not needed: its reply does not replace the reason of a
  // failure, and a server that stopped answering is not asked.
  if (m_bConnected && m_pSocket->state() == QAbstractSocket::ConnectedState &&
      !SessionEnded(m_failure)) {
    const SmtpFailure failure = m_failure;
    const std::string reason = m_sLastCommandResponse;
    const int code = m_nLastCommandResponseCode;
    Command("QUIT", 221, SmtpFailure::ConnectionLost);
    m_failure = failure;
    m_sLastCommandResponse = reason;
    m_nLastCommandResponseCode = code;
  }
  CloseSocket();
}

void CSmtpClient::CloseSocket() {
  m_bConnected = false;
  if (!m_pSocket) return;
  m_pSocket->abort();
  m_pSocket.reset();
}

bool CSmtpClient::Command(const QByteArray& line, int expected, SmtpFailure failure) {
  return Send(line + "\r\n") && ReadReply(expected, failure);
}

bool CSmtpClient::Send(const QByteArray& bytes) {
  if (m_pSocket->write(bytes) != bytes.size()) {
    return Fail(SmtpFailure::ConnectionLost, "Failed in call to send");
  }
  while (m_pSocket->bytesToWrite() > 0 || m_pSocket->encryptedBytesToWrite() > 0) {
    if (!m_pSocket->waitForBytesWritten(Milliseconds(m_dwTimeout))) {
      const bool timedOut = m_pSocket->state() == QAbstractSocket::ConnectedState;
      return Fail(timedOut ? SmtpFailure::TimedOut : SmtpFailure::ConnectionLost,
                  "Failed in call to send");
    }
  }
  return true;
}

bool CSmtpClient::ReadReply(int expected, SmtpFailure failure) {
  Clock::time_point deadline = Clock::now() + m_dwTimeout;
  while (m_reader.status() == SmtpReplyReader::Status::NeedMore) {
    if (m_pSocket->bytesAvailable() > 0) {
      const QByteArray bytes = m_pSocket->readAll();
      m_reader.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
      deadline = Clock::now() + m_dwTimeout;  // the limit counts from the last data
      continue;
    }
    if (m_pSocket->state() != QAbstractSocket::ConnectedState) {
      return Fail(SmtpFailure::ConnectionLost, "The server closed the connection");
    }
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return Fail(SmtpFailure::TimedOut, "The server did not reply in time");
    m_pSocket->waitForReadyRead(std::max(1, Milliseconds(deadline - now)));
  }
  if (m_reader.status() != SmtpReplyReader::Status::Complete) {
    return Fail(SmtpFailure::Malformed, "The server's reply was not understood");
  }
  m_lastReply = m_reader.Take();
  m_nLastCommandResponseCode = m_lastReply.code;
  m_sLastCommandResponse = m_lastReply.Text();
  const int code = m_lastReply.code;
  if (code == expected || (expected == 250 && code == 251)) return true;
  return Fail(failure, "An unexpected SMTP response was received");
}

}  // namespace lirvan
