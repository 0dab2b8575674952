#include "mail/mime_text.h"

#include <QStringDecoder>
#include <array>

namespace lirvan {

namespace {

constexpr std::array<signed char, 256> MakeBase64Table() {
  std::array<signed char, 256> table{};
  for (auto& entry : table) entry = -1;
  const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
  return table;
}
constexpr std::array<signed char, 256> kBase64 = MakeBase64Table();

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The Q encoding of RFC 2047: quoted-printable with "_" for a blank.
QByteArray DecodeQ(QByteArrayView text) {
  QByteArray underscoresAsBlanks = text.toByteArray();
  underscoresAsBlanks.replace('_', ' ');
  return DecodeQuotedPrintable(underscoresAsBlanks);
}

// One encoded word starting at text[at] ("=?"); its decoded text and the
// position after it, or at itself when the word is malformed.
qsizetype DecodeWord(QByteArrayView text, qsizetype at, QString& decoded) {
  const qsizetype charsetEnd = text.indexOf('?', at + 2);
  if (charsetEnd < 0 || charsetEnd + 2 >= text.size() || text[charsetEnd + 2] != '?') return at;
  const char encoding = static_cast<char>(text[charsetEnd + 1] | 0x20);
  if (encoding != 'b' && encoding != 'q') return at;
  const qsizetype dataStart = charsetEnd + 3;
  const qsizetype end = text.indexOf("?=", dataStart);
  if (end < 0) return at;
  QByteArrayView charset = text.sliced(at + 2, charsetEnd - at - 2);
  // RFC 2231 allows a language after the charset: "UTF-8*tr".
  if (const qsizetype star = charset.indexOf('*'); star >= 0) charset = charset.first(star);
  const QByteArrayView data = text.sliced(dataStart, end - dataStart);
  decoded = DecodeCharset(encoding == 'b' ? Base64Decode(data) : DecodeQ(data), charset);
  return end + 2;
}

}  // namespace

QByteArray Base64Decode(QByteArrayView text) {
  QByteArray out;
  out.reserve(text.size() * 3 / 4 + 3);
  unsigned bits = 0;
  int count = 0;
  for (const char ch : text) {
    if (ch == '=') break;
    const int value = kBase64[static_cast<unsigned char>(ch)];
    if (value < 0) continue;
    bits = (bits << 6) | static_cast<unsigned>(value);
    if (++count == 4) {
      out.append(static_cast<char>((bits >> 16) & 0xFF));
      out.append(static_cast<char>((bits >> 8) & 0xFF));
      out.append(static_cast<char>(bits & 0xFF));
      bits = 0;
      count = 0;
    }
  }
  if (count >= 2) {
    bits <<= 6 * (4 - count);
    out.append(static_cast<char>((bits >> 16) & 0xFF));
    if (count == 3) out.append(static_cast<char>((bits >> 8) & 0xFF));
  }
  return out;
}

QByteArray DecodeQuotedPrintable(QByteArrayView text) {
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch != '=') {
      out.append(ch);
      continue;
    }
    // "=" followed by blanks to the line end is a soft line break.
    qsizetype j = i + 1;
    while (j < text.size() && (text[j] == ' ' || text[j] == '\t')) ++j;
    if (j < text.size() && (text[j] == '\r' || text[j] == '\n')) {
      if (text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
      i = j;
      continue;
    }
    if (j == text.size()) break;
    if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out.append(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.append(ch);
    }
  }
  return out;
}

QByteArray DecodeTransfer(QByteArrayView body, QByteArrayView encoding) {
  const QByteArray name = encoding.trimmed().toByteArray().toLower();
  if (name == "base64") return Base64Decode(body);
  if (name == "quoted-printable") return DecodeQuotedPrintable(body);
  return body.toByteArray();
}

QString DecodeCharset(QByteArrayView bytes, QByteArrayView charset) {
  const QByteArray name = charset.trimmed().toByteArray();
  if (!name.isEmpty()) {
    QStringDecoder decoder(name.constData());
    if (decoder.isValid()) return decoder.decode(bytes);
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder turkish("windows-1254");
  if (turkish.isValid()) return turkish.decode(bytes);
  return QString::fromLatin1(bytes);
}

QString DecodeHeaderText(QByteArrayView raw) {
  QString out;
  QByteArray pending;  // raw bytes not yet decoded
  qsizetype blanksAfterWord = -1;  // blanks since the last encoded word
  for (qsizetype i = 0; i < raw.size();) {
    if (raw[i] == '=' && i + 1 < raw.size() && raw[i + 1] == '?') {
      QString word;
      const qsizetype next = DecodeWord(raw, i, word);
      if (next != i) {
        // Blanks between two encoded words are not part of the text.
        if (blanksAfterWord >= 0 && blanksAfterWord == pending.size()) pending.clear();
        out += DecodeCharset(pending, {});
        pending.clear();
        out += word;
        blanksAfterWord = 0;
        i = next;
        continue;
      }
    }
    if (blanksAfterWord >= 0 && blanksAfterWord == pending.size() && IsBlank(raw[i])) {
      ++blanksAfterWord;
    } else {
      blanksAfterWord = -1;
    }
    pending.append(raw[i]);
    ++i;
  }
  out += DecodeCharset(pending, {});
  return out;
}

QString DecodeExtendedValue(QByteArrayView value) {
  const qsizetype first = value.indexOf('\'');
  const qsizetype second = first < 0 ? -1 : value.indexOf('\'', first + 1);
  if (second < 0) return DecodeCharset(QByteArray::fromPercentEncoding(value.toByteArray()), {});
  const QByteArray bytes =
      QByteArray::fromPercentEncoding(value.sliced(second + 1).toByteArray());
  return DecodeCharset(bytes, value.first(first));
}

}  // namespace lirvan
