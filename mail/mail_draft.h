#pragma once
// A reply or a forward of a received mail, ready for the composer: the
// recipient (for a reply, the Reply-To or else the sender, as written),
// "Re: " or "Fwd: " before the subject once, and the mail quoted below an
// empty line where the user writes.
#include <QByteArrayView>
#include <QString>

namespace lirvan {

struct MailDraft {
  QString to;
  QString cc;
  QString bcc;
  QString subject;
  QString body;
};

// The header fields a reply or forward needs, decoded, addresses with
// their brackets; `text` is what the reader shows and reads of it.
struct OriginalMail {
  QString from;
  QString replyTo;
  QString to;
  QString cc;
  QString date;
  QString subject;
  QString text;
};
OriginalMail ReadOriginal(QByteArrayView message, const QString& text);

MailDraft ReplyDraft(const OriginalMail& original);
MailDraft ForwardDraft(const OriginalMail& original);

}  // namespace lirvan
