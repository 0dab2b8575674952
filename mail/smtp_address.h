#pragma once
// Mail addresses as the composer's fields hold them: "ali@ornek.tr",
// "Ali Veli <ali@ornek.tr>", several of them separated by commas or
// semicolons. Each becomes one CSmtpAddress, so each gets its own RCPT and
// its own place in the header's list.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace lirvan {

struct CSmtpAddress {
  QString m_sFriendlyName;
  QString m_sEmailAddress;  // ASCII; the domain in its ACE form

  bool IsEmpty() const { return m_sEmailAddress.isEmpty(); }
  // "Ali Veli <ali@ornek.tr>", or the address alone without a name.
  QString GetRegularFormat() const;
  // The same, encoded for a header line.
  QByteArray HeaderForm() const;
  bool operator==(const CSmtpAddress&) const = default;
};

// One address as given ("ali@ornek.tr", a Turkish domain too) in the form
// sent; nothing when it cannot be an address (blanks, brackets, no "@",
// letters outside ASCII before the "@").
std::optional<QString> NormalizedAddress(const QString& address);

struct ParsedAddresses {
  std::vector<CSmtpAddress> addresses;
  QString refused;  // the first piece that is no address; empty when all are
};

// A field's text split at commas and semicolons outside quotes and angle
// brackets; empty pieces are skipped.
ParsedAddresses ParseAddressList(const QString& field);

}  // namespace lirvan
