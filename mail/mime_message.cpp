#include "mail/mime_message.h"

#include "mail/mime_header.h"
#include "mail/mime_text.h"

namespace lirvan {

namespace {

// Hostile nesting or thousands of tiny parts must not exhaust the stack or
// the time of the user-interface thread.
constexpr int kMaxDepth = 24;
constexpr int kMaxParts = 2000;

QString AddressText(const QByteArray& raw) {
  QString text = DecodeHeaderText(raw);
  text.remove(QLatin1Char('<'));
  text.remove(QLatin1Char('>'));
  text.remove(QLatin1Char('"'));
  return text.simplified();
}

// The body lines of a multipart between its boundary lines.
std::vector<QByteArrayView> SplitMultipart(QByteArrayView body, const QByteArray& boundary) {
  std::vector<QByteArrayView> parts;
  const QByteArray marker = "--" + boundary;
  qsizetype partStart = -1;
  qsizetype pos = 0;
  while (pos < body.size()) {
    qsizetype end = body.indexOf('\n', pos);
    if (end < 0) end = body.size();
    const QByteArrayView line = body.sliced(pos, end - pos);
    if (line.startsWith(marker)) {
      const QByteArrayView rest = line.sliced(marker.size()).trimmed();
      if (rest.isEmpty() || rest == "--") {
        if (partStart >= 0) {
          // The line break before a boundary line belongs to the boundary.
          qsizetype partEnd = pos;
          if (partEnd > partStart && body[partEnd - 1] == '\n') --partEnd;
          if (partEnd > partStart && body[partEnd - 1] == '\r') --partEnd;
          parts.push_back(body.sliced(partStart, partEnd - partStart));
        }
        if (rest == "--") return parts;
        partStart = end + 1 < body.size() ? end + 1 : body.size();
      }
    }
    pos = end + 1;
  }
  // A missing closing boundary still ends the last part.
  if (partStart >= 0 && partStart < body.size()) parts.push_back(body.sliced(partStart));
  return parts;
}

class Walker {
 public:
  explicit Walker(ParsedMail& out) : out_(out) {}

  void Walk(QByteArrayView entity, int depth, bool alternative) {
    if (depth > kMaxDepth || ++parts_ > kMaxParts) return;
    const Entity split = SplitEntity(entity);
    const HeaderBlock header(split.header);
    HeaderParameters type = ParseParameters(header.Value("content-type"));
    if (type.value.isEmpty() || !type.value.contains('/')) type.value = "text/plain";
    const HeaderParameters disposition = ParseParameters(header.Value("content-disposition"));
    QString name = disposition.Param("filename");
    if (name.isEmpty()) name = type.Param("name");

    if (type.value.startsWith("multipart/") && !type.Param("boundary").isEmpty()) {
      const QByteArray boundary = type.Param("boundary").toUtf8();
      for (QByteArrayView part : SplitMultipart(split.body, boundary)) {
        Walk(part, depth + 1, type.value == "multipart/alternative");
      }
      return;
    }
    const QByteArray data = DecodeTransfer(split.body, header.Value("content-transfer-encoding"));
    const bool isText = type.value == "text/plain" || type.value == "text/html";
    const bool attachment = disposition.value == "attachment" || !name.isEmpty() || !isText;
    if (attachment) {
      // Pictures of an HTML page and other unnamed inline pieces are part
      // of the page, not files for the user.
      if (name.isEmpty() && disposition.value != "attachment") return;
      out_.attachments.push_back({name, type.value, data});
      return;
    }
    const QString text = DecodeCharset(data, type.Param("charset").toLatin1());
    if (type.value == "text/html") {
      if (out_.hasHtml && alternative) return;
      out_.html += text;
      out_.hasHtml = true;
      return;
    }
    if (out_.hasPlain && alternative) return;
    if (out_.hasPlain) out_.plainText += QLatin1Char('\n');
    out_.plainText += text;
    out_.hasPlain = true;
  }

 private:
  ParsedMail& out_;
  int parts_ = 0;
};

}  // namespace

MailHeaders ParseMailHeaders(QByteArrayView message) {
  const HeaderBlock header(SplitEntity(message).header);
  MailHeaders out;
  out.from = AddressText(header.Value("from"));
  out.to = AddressText(header.Value("to"));
  out.cc = AddressText(header.Value("cc"));
  out.bcc = AddressText(header.Value("bcc"));
  out.date = DecodeHeaderText(header.Value("date")).simplified();
  out.subject = DecodeHeaderText(header.Value("subject")).simplified();
  return out;
}

ParsedMail ParseMail(QByteArrayView message) {
  ParsedMail out;
  out.headers = ParseMailHeaders(message);
  Walker(out).Walk(message, 0, false);
  return out;
}

}  // namespace lirvan
