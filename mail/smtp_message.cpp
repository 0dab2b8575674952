#include "mail/smtp_message.h"

#include <algorithm>

#include "mail/mime_encode.h"

namespace lirvan {

namespace {

constexpr int kFoldAt = 78;

// "To: a <x>, b <y>" with a fold before an address that would pass the
// usual line length.
QByteArray AddressHeader(const char* name, const std::vector<CSmtpAddress>& list) {
  QByteArray header = QByteArray(name) + ": ";
  qsizetype lineStart = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const QByteArray form = list[i].HeaderForm();
    if (i > 0) {
      header += ',';
      const qsizetype lineLength = header.size() - lineStart;
      if (lineLength + 1 + form.size() > kFoldAt) {
        header += "\r\n";
      }
      header += ' ';
    }
    header += form;
    const qsizetype lastBreak = header.lastIndexOf("\r\n");
    if (lastBreak >= 0) lineStart = lastBreak + 2;
  }
  return header + "\r\n";
}

QByteArray TextHeader(const char* name, const QString& value) {
  return QByteArray(name) + ": " +
         EncodeHeaderText(value, static_cast<int>(std::char_traits<char>::length(name))) + "\r\n";
}

}  // namespace

void CSmtpMessage::AddRecipient(const CSmtpAddress& address, RecipientType type) {
  m_recipients[static_cast<std::size_t>(type)].push_back(address);
}

const std::vector<CSmtpAddress>& CSmtpMessage::Recipients(RecipientType type) const {
  return m_recipients[static_cast<std::size_t>(type)];
}

std::vector<QString> CSmtpMessage::EnvelopeRecipients() const {
  std::vector<QString> envelope;
  for (const std::vector<CSmtpAddress>& list : m_recipients) {
    for (const CSmtpAddress& address : list) {
      const bool seen = std::any_of(envelope.begin(), envelope.end(), [&](const QString& known) {
        return known.compare(address.m_sEmailAddress, Qt::CaseInsensitive) == 0;
      });
      if (!seen) envelope.push_back(address.m_sEmailAddress);
    }
  }
  return envelope;
}

QByteArray CSmtpMessage::GetHeader(const QDateTime& now) const {
  QByteArray header = AddressHeader("From", {m_From});
  if (!Recipients(RecipientType::To).empty()) {
    header += AddressHeader("To", Recipients(RecipientType::To));
  }
  if (!Recipients(RecipientType::Cc).empty()) {
    header += AddressHeader("Cc", Recipients(RecipientType::Cc));
  }
  header += TextHeader("Subject", m_sSubject);
  header += "Date: " + FormatMailDate(now) + "\r\n";
  header += TextHeader("X-Mailer", m_sXMailer);
  const QByteArray id = m_sMessageId.isEmpty() ? MakeMessageId(m_From.m_sEmailAddress) : m_sMessageId;
  header += "Message-ID: " + id + "\r\n";
  if (!m_ReplyTo.IsEmpty()) header += AddressHeader("Reply-To", {m_ReplyTo});
  header += "MIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=UTF-8\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n"
            "\r\n";
  return header;
}

QByteArray CSmtpMessage::GetData(const QDateTime& now) const {
  return GetHeader(now) + EncodeQuotedPrintable(m_sBody);
}

}  // namespace lirvan
