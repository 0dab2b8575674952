#pragma once
// Byte-level decoding of mail text: transfer encodings, character sets and
// the encoded words of headers. Charsets go through Qt's converters (ICU).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lirvan {

// RFC 2045 base64: characters outside the alphabet are skipped, the first
// "=" ends the data; a last group of 2 or 3 characters gives 1 or 2 bytes.
QByteArray Base64Decode(QByteArrayView text);

// Quoted-printable: "=XX" is a byte, "=" at a line end joins the lines; a
// malformed escape is kept as written.
QByteArray DecodeQuotedPrintable(QByteArrayView text);

// Undoes a Content-Transfer-Encoding (base64, quoted-printable; anything
// else is taken as it is).
QByteArray DecodeTransfer(QByteArrayView body, QByteArrayView encoding);

// Bytes in a named charset. An unknown or missing charset: UTF-8 when the
// bytes are valid UTF-8, otherwise Windows-1254, which is what Turkish
// mail without a label has always been.
QString DecodeCharset(QByteArrayView bytes, QByteArrayView charset);

// A header value: RFC 2047 encoded words (=?charset?B|Q?...?=) decoded,
// the blanks between two adjacent encoded words dropped, raw 8-bit bytes
// read as DecodeCharset with no label does.
QString DecodeHeaderText(QByteArrayView raw);

// RFC 2231 value "charset'language'percent-encoded".
QString DecodeExtendedValue(QByteArrayView value);

}  // namespace lirvan
