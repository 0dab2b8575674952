#include "mail/smtp_address.h"

#include <QUrl>
#include <algorithm>

#include "mail/mime_encode.h"

namespace lirvan {

namespace {

constexpr qsizetype kMaxLocalPart = 64;
constexpr qsizetype kMaxAddress = 254;

bool IsLocalPartCharacter(QChar ch) {
  static constexpr std::string_view kRefused = "()<>[]:;@\\,\"";
  const char16_t c = ch.unicode();
  return c > 0x20 && c < 0x7F && kRefused.find(static_cast<char>(c)) == std::string_view::npos;
}

bool IsDomain(const QByteArray& domain) {
  if (domain.isEmpty() || domain.size() > 253) return false;
  for (const QByteArray& label : domain.split('.')) {
    if (label.isEmpty() || label.size() > 63 || label.startsWith('-') || label.endsWith('-')) {
      return false;
    }
    const bool ok = std::all_of(label.begin(), label.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    });
    if (!ok) return false;
  }
  return true;
}

// "Ali Veli <ali@ornek.tr>" or "ali@ornek.tr" (blanks around dropped).
std::optional<CSmtpAddress> ParseOne(const QString& piece) {
  QString name;
  QString address = piece.trimmed();
  const qsizetype open = address.lastIndexOf(QLatin1Char('<'));
  if (open >= 0) {
    if (!address.endsWith(QLatin1Char('>'))) return std::nullopt;
    name = address.left(open).trimmed();
    address = address.mid(open + 1, address.size() - open - 2).trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"'))) {
      name = name.mid(1, name.size() - 2).replace(QLatin1String("\\\""), QLatin1String("\""));
    }
  }
  const std::optional<QString> normalized = NormalizedAddress(address);
  if (!normalized) return std::nullopt;
  return CSmtpAddress{name, *normalized};
}

}  // namespace

QString CSmtpAddress::GetRegularFormat() const {
  if (m_sFriendlyName.trimmed().isEmpty()) return m_sEmailAddress;
  return m_sFriendlyName + QStringLiteral(" <") + m_sEmailAddress + QLatin1Char('>');
}

QByteArray CSmtpAddress::HeaderForm() const {
  const QByteArray name = EncodeDisplayName(m_sFriendlyName);
  const QByteArray address = m_sEmailAddress.toLatin1();
  return name.isEmpty() ? address : name + " <" + address + ">";
}

std::optional<QString> NormalizedAddress(const QString& address) {
  const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
  if (at <= 0 || at > kMaxLocalPart || at + 1 >= address.size()) return std::nullopt;
  const QString local = address.left(at);
  if (!std::all_of(local.begin(), local.end(), IsLocalPartCharacter)) return std::nullopt;
  // A Turkish domain ("örnek.tr") goes in its ASCII form.
  const QByteArray domain = QUrl::toAce(address.mid(at + 1), QUrl::AceTransitionalProcessing);
  if (!IsDomain(domain)) return std::nullopt;
  const QString result = local + QLatin1Char('@') + QString::fromLatin1(domain);
  if (result.size() > kMaxAddress) return std::nullopt;
  return result;
}

ParsedAddresses ParseAddressList(const QString& field) {
  ParsedAddresses parsed;
  QString piece;
  bool quoted = false;
  bool angle = false;
  auto take = [&] {
    if (!piece.trimmed().isEmpty() && parsed.refused.isEmpty()) {
      if (std::optional<CSmtpAddress> address = ParseOne(piece)) {
        parsed.addresses.push_back(*address);
      } else {
        parsed.refused = piece.trimmed();
      }
    }
    piece.clear();
  };
  for (QChar ch : field) {
    if (ch == QLatin1Char('"') && !angle) quoted = !quoted;
    if (ch == QLatin1Char('<') && !quoted) angle = true;
    if (ch == QLatin1Char('>') && !quoted) angle = false;
    if ((ch == QLatin1Char(',') || ch == QLatin1Char(';')) && !quoted && !angle) {
      take();
    } else {
      piece += ch;
    }
  }
  take();
  return parsed;
}

}  // namespace lirvan
