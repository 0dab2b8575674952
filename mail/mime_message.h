#pragma once
// A fetched message taken apart: the header fields the reader speaks, the
// text to show and to read, and the attachments. Nested multiparts are
// walked; transfer encodings and charsets are undone. No GUI needed.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace lirvan {

struct MailHeaders {
  QString from;  // decoded, without angle brackets or quotes
  QString to;
  QString cc;
  QString bcc;
  QString date;  // as written
  QString subject;
};

struct MailAttachment {
  QString name;  // decoded, as the sender named it (not yet safe)
  QByteArray type;  // lower case, "application/pdf"
  QByteArray data;  // decoded bytes
};

struct ParsedMail {
  MailHeaders headers;
  QString plainText;  // the text parts, joined
  QString html;       // the HTML part, as sent
  bool hasPlain = false;
  bool hasHtml = false;
  std::vector<MailAttachment> attachments;
};

// The header fields only, for the list.
MailHeaders ParseMailHeaders(QByteArrayView message);

ParsedMail ParseMail(QByteArrayView message);

// What the reader says of a message it cannot show.
inline constexpr const char* kNotUnderstood = "Mesaj içeriği anlaşılmıyor ";

}  // namespace lirvan
