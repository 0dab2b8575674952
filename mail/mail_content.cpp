#include "mail/mail_content.h"

#include <QDateTime>
#include <QLocale>
#include <QTextDocumentFragment>

#include "mail/mail_page.h"
#include "shell/text.h"

namespace lirvan {

ShownMail PresentMail(const ParsedMail& mail) {
  ShownMail shown;
  if (mail.hasHtml) {
    shown.pageHtml = MailPageHtml(mail.html, {}, true);
    shown.speech = mail.hasPlain ? mail.plainText
                                 : QTextDocumentFragment::fromHtml(mail.html).toPlainText();
    return shown;
  }
  const QString text =
      mail.hasPlain || !mail.attachments.empty() ? mail.plainText : QString::fromUtf8(kNotUnderstood);
  shown.pageHtml = MailPageHtml({}, text, false);
  shown.speech = text;
  return shown;
}

std::string SpokenMailDate(const QString& date) {
  // Day names in parentheses after the zone ("(UTC)") are comments.
  QString clean = date;
  if (const qsizetype comment = clean.indexOf(QLatin1Char('(')); comment > 0) clean.truncate(comment);
  const QDateTime when = QDateTime::fromString(clean.trimmed(), Qt::RFC2822Date);
  if (!when.isValid()) return ToCp1254(date);
  const QDateTime local = when.toLocalTime();
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  const QString day = turkish.toString(local.date(), QStringLiteral("d MMMM yyyy dddd"));
  return ToCp1254(day) + Cp(" saat ") + std::to_string(local.time().hour()) + ' ' +
         std::to_string(local.time().minute());
}

}  // namespace lirvan
