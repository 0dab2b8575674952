#include "mail/mail_draft.h"

#include <QStringList>

#include "mail/mime_header.h"
#include "mail/mime_text.h"

namespace lirvan {

namespace {

QString Field(const HeaderBlock& header, QByteArrayView name) {
  return DecodeHeaderText(header.Value(name)).simplified();
}

// "Re: konu" once, however many times it was answered before.
QString Prefixed(const QString& subject, const QString& prefix, const QStringList& known) {
  for (const QString& each : known) {
    if (subject.startsWith(each, Qt::CaseInsensitive)) return subject;
  }
  return prefix + subject;
}

QString Quoted(const QString& text) {
  QStringList lines = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
  for (QString& line : lines) line.prepend(line.isEmpty() ? QStringLiteral(">") : QStringLiteral("> "));
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

OriginalMail ReadOriginal(QByteArrayView message, const QString& text) {
  const HeaderBlock header(SplitEntity(message).header);
  return {Field(header, "from"), Field(header, "reply-to"), Field(header, "to"), Field(header, "cc"),
          Field(header, "date"), Field(header, "subject"), text};
}

MailDraft ReplyDraft(const OriginalMail& original) {
  MailDraft draft;
  draft.to = original.replyTo.isEmpty() ? original.from : original.replyTo;
  draft.subject = Prefixed(original.subject, QStringLiteral("Re: "), {QStringLiteral("re:")});
  const QString when = original.date.isEmpty() ? QString() : original.date + QStringLiteral(" tarihinde ");
  draft.body = QStringLiteral("\n\n") + when + original.from + QStringLiteral(" yazdı:\n") +
               Quoted(original.text) + QLatin1Char('\n');
  return draft;
}

MailDraft ForwardDraft(const OriginalMail& original) {
  MailDraft draft;
  draft.subject = Prefixed(original.subject, QStringLiteral("Fwd: "),
                           {QStringLiteral("fwd:"), QStringLiteral("fw:")});
  QString body = QStringLiteral("\n\n---------- İletilen posta ----------\nGönderen: ") + original.from;
  if (!original.date.isEmpty()) body += QStringLiteral("\nTarih: ") + original.date;
  body += QStringLiteral("\nKonu: ") + original.subject + QStringLiteral("\nKime: ") + original.to;
  if (!original.cc.isEmpty()) body += QStringLiteral("\nBilgi: ") + original.cc;
  draft.body = body + QStringLiteral("\n\n") + original.text.trimmed() + QLatin1Char('\n');
  return draft;
}

}  // namespace lirvan
