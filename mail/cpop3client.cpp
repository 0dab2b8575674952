#include "mail/cpop3client.h"

#include <QSslSocket>

namespace lirvan {

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

CPop3Client::CPop3Client(Pop3Listener& listener) : m_listener(listener) {
  m_silence.setSingleShot(true);
  connect(&m_silence, &QTimer::timeout, this,
          [this] { Finish({FetchOutcome::TimedOut, {}}); });
}

CPop3Client::~CPop3Client() { Close(); }

void CPop3Client::Fetch(const MailAccount& account) {
  Close();
  m_pSession = std::make_unique<Pop3Session>(account.user, account.password,
                                             account.pop3Security == MailSecurity::StartTls);
  m_security = account.pop3Security;
  m_bCertificateFailed = false;
  m_bAnswered = false;
  m_nFetched = 0;
  m_pSocket = std::make_unique<QSslSocket>();
  QSslSocket* socket = m_pSocket.get();
  connect(socket, &QSslSocket::readyRead, this, &CPop3Client::OnReadyRead);
  connect(socket, &QSslSocket::encrypted, this, &CPop3Client::OnEncrypted);
  connect(socket, &QSslSocket::errorOccurred, this, &CPop3Client::OnSocketError);
  connect(socket, &QSslSocket::disconnected, this, &CPop3Client::OnDisconnected);
  // The errors are not ignored: the handshake fails and the socket reports
  // it; this only notes why.
  connect(socket, &QSslSocket::sslErrors, this, [this] { m_bCertificateFailed = true; });
  socket->setPeerVerifyMode(QSslSocket::VerifyPeer);
  const QString host = QString::fromStdString(account.pop3Server).trimmed();
  const auto port = static_cast<quint16>(account.pop3Port);
  m_silence.start(m_silenceLimit);
  if (m_security == MailSecurity::Tls) {
    socket->connectToHostEncrypted(host, port);
  } else {
    socket->connectToHost(host, port);
  }
}

void CPop3Client::Close() {
  m_silence.stop();
  if (!m_pSocket) return;
  if (m_pSocket->state() == QAbstractSocket::ConnectedState) m_pSocket->write("quit\r\n");
  ReleaseSocket();
}

void CPop3Client::ReleaseSocket() {
  QSslSocket* socket = m_pSocket.get();
  // Its late signals must not reach this client any more.
  socket->disconnect(this);
  socket->flush();
  // The socket goes once what was written has left (or after a few seconds
  // at most); it may be inside one of its own signals now, so later. As a
  // child of this client it never outlives it.
  socket->setParent(this);
  m_pSocket.release();
  connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
  QTimer::singleShot(5000, socket, &QObject::deleteLater);
  socket->disconnectFromHost();
  if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

const MailMessage& CPop3Client::GetMessage(int index) const {
  return m_pSession->messages().at(static_cast<std::size_t>(index));
}

int CPop3Client::MessageCount() const {
  return m_pSession ? static_cast<int>(m_pSession->messages().size()) : 0;
}

void CPop3Client::OnReadyRead() {
  if (!m_pSocket || !m_pSession) return;
  // During STLS the socket still reads clear text until the handshake.
  if (m_pSession->state() == Pop3Session::State::StartTls && m_pSocket->isEncrypted()) return;
  const QByteArray bytes = m_pSocket->readAll();
  if (bytes.isEmpty()) return;
  m_silence.start(m_silenceLimit);
  if (!m_bAnswered) {
    m_bAnswered = true;
    m_listener.Connected();
  }
  Apply(m_pSession->Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

void CPop3Client::OnEncrypted() {
  if (!m_pSession || m_pSession->state() != Pop3Session::State::StartTls) return;
  m_silence.start(m_silenceLimit);
  Apply(m_pSession->TlsEstablished());
}

void CPop3Client::Apply(Pop3Step step) {
  if (!m_pSocket) return;
  if (step.credentialsSent) {
    const bool encrypted = m_pSocket->isEncrypted();
    // Credentials never go in clear on an account that chose TLS.
    if (m_security != MailSecurity::None && !encrypted) {
      return Finish({FetchOutcome::TlsUnsupported, {}});
    }
    m_listener.Protected(encrypted);
    if (!m_pSocket) return;
  }
  if (!step.send.empty()) m_pSocket->write(step.send.data(), static_cast<qint64>(step.send.size()));
  for (int index : step.completed) {
    m_nFetched = index + 1;
    m_listener.MessageArrived(index);
    if (!m_pSocket) return;  // the listener closed us
  }
  if (step.startTls) m_pSocket->startClientEncryption();
  if (step.end) {
    static constexpr FetchOutcome kOutcomes[] = {
        FetchOutcome::Complete,  FetchOutcome::Empty,          FetchOutcome::AuthRefused,
        FetchOutcome::Refused,   FetchOutcome::TlsUnsupported, FetchOutcome::Malformed};
    Finish({kOutcomes[static_cast<int>(step.end->result)], step.end->reason});
  }
}

void CPop3Client::OnSocketError() {
  if (!m_pSocket) return;
  const QAbstractSocket::SocketError error = m_pSocket->error();
  const std::string reason = Utf8(m_pSocket->errorString());
  if (m_bCertificateFailed) return Finish({FetchOutcome::CertificateRejected, reason});
  if (error == QAbstractSocket::SslHandshakeFailedError) return Finish({FetchOutcome::TlsFailed, reason});
  if (error == QAbstractSocket::HostNotFoundError) return Finish({FetchOutcome::HostNotFound, reason});
  if (error == QAbstractSocket::RemoteHostClosedError) return OnDisconnected();
  if (!m_bAnswered) return Finish({FetchOutcome::ConnectFailed, reason});
  Finish({FetchOutcome::ConnectionLost, reason});
}

void CPop3Client::OnDisconnected() {
  if (!m_pSocket) return;
  // Whatever was still buffered is read first: a last message may be whole.
  if (m_pSocket->bytesAvailable() > 0) OnReadyRead();
  if (!m_pSocket) return;
  Finish({m_bAnswered ? FetchOutcome::ConnectionLost : FetchOutcome::ConnectFailed, {}});
}

void CPop3Client::Finish(FetchEnd end) {
  m_silence.stop();
  // "quit" is already on its way; the server may close first.
  if (m_pSocket) ReleaseSocket();
  m_listener.Finished(end);
}

}  // namespace lirvan
