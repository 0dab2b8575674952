#pragma once
// One composed mail as it is sent: sender, recipients by kind, subject and
// body, and the bytes that go after DATA: the header block (every value
// encoded where it must be, a Date in the RFC 5322 form, a Message-ID) and
// the body in UTF-8 quoted-printable. Bcc recipients are in the envelope
// only, never in the header. Single-part: nothing attaches files.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

#include "mail/smtp_address.h"

namespace lirvan {

enum class RecipientType { To = 0, Cc = 1, Bcc = 2 };

class CSmtpMessage {
 public:
  CSmtpAddress m_From;
  QString m_sSubject;
  QString m_sXMailer = QStringLiteral("Lirvan Posta 1.0");
  CSmtpAddress m_ReplyTo;  // empty unless set
  // Given when the message is built, or made from the sender's domain.
  QByteArray m_sMessageId;

  void AddRecipient(const CSmtpAddress& address, RecipientType type = RecipientType::To);
  const std::vector<CSmtpAddress>& Recipients(RecipientType type) const;
  // The envelope: To, Cc, then Bcc, each address once.
  std::vector<QString> EnvelopeRecipients() const;

  // Any line ends; the transport's dots are added when it is sent.
  void SetBody(const QString& body) { m_sBody = body; }
  const QString& GetBody() const { return m_sBody; }

  // The header block, ending in the empty line, for a mail sent at `now`.
  QByteArray GetHeader(const QDateTime& now) const;
  // Header and encoded body: what DATA carries before its dots.
  QByteArray GetData(const QDateTime& now) const;

 private:
  QString m_sBody;
  std::array<std::vector<CSmtpAddress>, 3> m_recipients;
};

}  // namespace lirvan
