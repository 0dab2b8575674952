#pragma once
// Encoding a mail for sending, so that every server takes it and every
// mail program reads the Turkish letters: header values as RFC 2047 encoded
// words when they need it, the body as UTF-8 quoted-printable, CR LF line
// ends throughout, no line longer than a server accepts, and the
// transparency dots of the DATA phase. Pure byte work, no network.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace lirvan {

// A header value as typed, made safe: CR and LF are removed (so that no
// value can start a header of its own), other control characters too, a
// tab becomes a blank.
QString CleanHeaderValue(const QString& value);

// The unstructured value of a header ("Subject: " has `nameLength` 9):
// as it is when it is plain ASCII that fits a line, otherwise UTF-8 encoded
// words of at most 75 characters, one per folded line. Lines end in CR LF.
QByteArray EncodeHeaderText(const QString& value, int nameLength);

// A display name for an address header: as it is when it is a plain word
// list, in quotes when it holds specials, encoded words when it is not
// ASCII.
QByteArray EncodeDisplayName(const QString& name);

// UTF-8 quoted-printable (RFC 2045): every encoded line at most 76
// characters, soft line breaks where a line is longer, blanks at a line's
// end escaped. Any line end of the text (CR LF, LF, CR) becomes CR LF; the
// result ends with CR LF unless the text is empty.
QByteArray EncodeQuotedPrintable(const QString& text);

// The DATA phase: every line that starts with a dot gets one more,
// the first line included; bare LF and bare CR become CR LF; the end of
// data line follows.
QByteArray DotStuffed(const QByteArray& data);

// RFC 5322 date: "Tue, 12 Mar 2024 09:00:00 +0300", English names whatever
// the locale, the time's own offset from UTC.
QByteArray FormatMailDate(const QDateTime& time);

// "<random@domain>", the domain taken from the sender's address.
QByteArray MakeMessageId(const QString& senderAddress);

}  // namespace lirvan
