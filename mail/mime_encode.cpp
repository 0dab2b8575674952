#include "mail/mime_encode.h"

#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <array>

namespace lirvan {

namespace {

// RFC 2047 asks that a line holding encoded words stay within 76.
constexpr int kEncodedLineLimit = 76;
// RFC 5322's hard limit, without the CR LF.
constexpr int kLineLimit = 998;
constexpr int kQuotedPrintableLimit = 76;
constexpr const char* kWordStart = "=?UTF-8?B?";
constexpr const char* kWordEnd = "?=";
constexpr int kWordFrame = 12;  // "=?UTF-8?B?" and "?="

bool IsAscii(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
}

// How many UTF-8 bytes fit in one encoded word on a line that already
// holds `used` characters.
int WordBytes(int used) {
  const int base64 = (kEncodedLineLimit - used - kWordFrame) / 4 * 4;
  return std::max(base64 / 4 * 3, 6);  // room for any one character
}

// Encoded words for the text, the first on a line already holding
// `used` characters, each next one on a folded line of its own.
QByteArray EncodedWords(const QString& text, int used) {
  QByteArray out;
  QByteArray chunk;
  int budget = WordBytes(used);
  auto flush = [&] {
    if (chunk.isEmpty()) return;
    if (!out.isEmpty()) out += "\r\n ";
    out += kWordStart + chunk.toBase64() + kWordEnd;
    chunk.clear();
    budget = WordBytes(1);
  };
  for (const char32_t code : text.toUcs4()) {
    // Words are cut between whole characters only.
    const QByteArray bytes = QString::fromUcs4(&code, 1).toUtf8();
    if (chunk.size() + bytes.size() > budget) flush();
    chunk += bytes;
  }
  flush();
  return out;
}

bool IsAtext(QChar ch) {
  static constexpr std::string_view kSpecials = "!#$%&'*+-/=?^_`{|}~";
  const char16_t c = ch.unicode();
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         kSpecials.find(static_cast<char>(c)) != std::string_view::npos;
}

void AppendEscaped(QByteArray& line, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  line += '=';
  line += kHex[byte >> 4];
  line += kHex[byte & 0x0F];
}

// One line of text (no line end) as quoted-printable lines, each ended.
void EncodeQuotedLine(QByteArrayView line, QByteArray& out) {
  QByteArray current;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    const bool last = i + 1 == line.size();
    QByteArray token;
    const bool blank = byte == ' ' || byte == '\t';
    if ((byte >= 33 && byte <= 126 && byte != '=') || (blank && !last)) {
      token += static_cast<char>(byte);
    } else {
      AppendEscaped(token, byte);
    }
    // A soft break ("=") must fit on the line too, except after its last token.
    const int room = last ? kQuotedPrintableLimit : kQuotedPrintableLimit - 1;
    if (current.size() + token.size() > room) {
      out += current + "=\r\n";
      current.clear();
    }
    current += token;
  }
  out += current + "\r\n";
}

}  // namespace

QString CleanHeaderValue(const QString& value) {
  QString clean;
  clean.reserve(value.size());
  for (QChar ch : value) {
    if (ch == QLatin1Char('\t')) {
      clean += QLatin1Char(' ');
    } else if (ch.unicode() >= 0x20 && ch.unicode() != 0x7F) {
      clean += ch;
    }
  }
  return clean;
}

QByteArray EncodeHeaderText(const QString& value, int nameLength) {
  const QString clean = CleanHeaderValue(value);
  const int used = nameLength + 2;  // "Name: "
  // "=?" in plain text would be taken for the start of an encoded word.
  if (IsAscii(clean) && !clean.contains(QLatin1String("=?")) &&
      used + clean.size() <= kLineLimit) {
    return clean.toLatin1();
  }
  return EncodedWords(clean, used);
}

QByteArray EncodeDisplayName(const QString& name) {
  const QString clean = CleanHeaderValue(name).trimmed();
  if (clean.isEmpty()) return {};
  if (!IsAscii(clean) || clean.contains(QLatin1String("=?"))) return EncodedWords(clean, 4);
  const bool words = std::all_of(clean.begin(), clean.end(), [](QChar ch) {
    return ch == QLatin1Char(' ') || IsAtext(ch);
  });
  if (words) return clean.toLatin1();
  QByteArray quoted = "\"";
  for (QChar ch : clean) {
    if (ch == QLatin1Char('"') || ch == QLatin1Char('\\')) quoted += '\\';
    quoted += static_cast<char>(ch.unicode());
  }
  return quoted + "\"";
}

QByteArray EncodeQuotedPrintable(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  QByteArray out;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = start;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    EncodeQuotedLine(QByteArrayView(bytes).sliced(start, end - start), out);
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return out;
}

QByteArray DotStuffed(const QByteArray& data) {
  QByteArray out;
  out.reserve(data.size() + data.size() / 40 + 8);
  bool lineStart = true;
  for (qsizetype i = 0; i < data.size(); ++i) {
    const char byte = data[i];
    if (byte == '\r' || byte == '\n') {
      if (byte == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      out += "\r\n";
      lineStart = true;
      continue;
    }
    if (lineStart && byte == '.') out += '.';
    out += byte;
    lineStart = false;
  }
  if (!lineStart) out += "\r\n";
  return out + ".\r\n";
}

QByteArray FormatMailDate(const QDateTime& time) {
  static constexpr std::array<const char*, 7> kDays{"Mon", "Tue", "Wed", "Thu",
                                                    "Fri", "Sat", "Sun"};
  static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const QDate date = time.date();
  const QTime clock = time.time();
  const int offset = time.offsetFromUtc();
  // The sign is its own: half an hour west is "-0030", not "+0030".
  const int minutes = std::abs(offset) / 60;
  return QString::asprintf("%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                           kDays[static_cast<std::size_t>(date.dayOfWeek() - 1)], date.day(),
                           kMonths[static_cast<std::size_t>(date.month() - 1)], date.year(),
                           clock.hour(), clock.minute(), clock.second(), offset < 0 ? '-' : '+',
                           minutes / 60, minutes % 60)
      .toLatin1();
}

QByteArray MakeMessageId(const QString& senderAddress) {
  QByteArray domain = QUrl::toAce(senderAddress.section(QLatin1Char('@'), -1));
  if (!senderAddress.contains(QLatin1Char('@')) || domain.isEmpty()) domain = "lirvan.invalid";
  return "<" + QUuid::createUuid().toByteArray(QUuid::Id128) + "@" + domain + ">";
}

}  // namespace lirvan
