#include "editor/text_file.h"

#include <QSaveFile>
#include <QStringDecoder>

#include "platform/cp1254.h"

namespace lirvan {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

TextFileFormat::LineEnd FirstLineEnd(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\n')) return TextFileFormat::LineEnd::Lf;
    if (text[i] == QLatin1Char('\r')) {
      return i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')
                 ? TextFileFormat::LineEnd::CrLf
                 : TextFileFormat::LineEnd::Cr;
    }
  }
  return TextFileFormat::LineEnd::Lf;
}

QString NormalisedLineEnds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

QString DecodeCp1254(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    text += QChar(static_cast<char16_t>(Cp1254ToUnicode(static_cast<unsigned char>(byte))));
  }
  return text;
}

DecodedText DecodeTextFile(const QByteArray& bytes) {
  DecodedText decoded;
  QByteArray body = bytes;
  if (body.startsWith(kBom)) {
    decoded.format.byteOrderMark = true;
    body.remove(0, 3);
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(body);
  if (utf8.hasError()) {
    decoded.format.encoding = TextFileFormat::Encoding::Cp1254;
    decoded.format.byteOrderMark = false;
    text = DecodeCp1254(bytes);
  }
  decoded.format.lineEnd = FirstLineEnd(text);
  decoded.text = NormalisedLineEnds(std::move(text));
  return decoded;
}

bool FitsCp1254(const QString& text) {
  for (const QChar ch : text) {
    if (ch.unicode() >= 0x80 && UnicodeToCp1254(ch.unicode()) == '?') return false;
  }
  return true;
}

QByteArray EncodeTextFile(const QString& text, TextFileFormat& format) {
  QString lines = text;
  if (format.lineEnd == TextFileFormat::LineEnd::CrLf) {
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  } else if (format.lineEnd == TextFileFormat::LineEnd::Cr) {
    lines.replace(QLatin1Char('\n'), QLatin1Char('\r'));
  }
  if (format.encoding == TextFileFormat::Encoding::Cp1254 && !FitsCp1254(lines)) {
    format.encoding = TextFileFormat::Encoding::Utf8;
  }
  if (format.encoding == TextFileFormat::Encoding::Utf8) {
    QByteArray bytes = format.byteOrderMark ? QByteArray(kBom) : QByteArray();
    return bytes + lines.toUtf8();
  }
  QByteArray bytes;
  bytes.reserve(lines.size());
  for (const QChar ch : lines) {
    bytes += static_cast<char>(ch.unicode() < 0x80 ? ch.unicode()
                                                   : UnicodeToCp1254(ch.unicode()));
  }
  return bytes;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    file.commit();
    return false;
  }
  return file.commit();
}

}  // namespace lirvan
