// The MIME parser on the test mailbox: each message in, its fields and
// parts out, compared with the .expected file beside it. Set
// LIRVAN_UPDATE_GOLDEN=1 to rewrite the expected files after a deliberate
// change (and read the difference before committing it).
#include <QCryptographicHash>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "dovecot_server.h"
#include "mail/mime_message.h"

namespace lirvan::test {
namespace {

std::string Dump(const ParsedMail& mail) {
  const MailHeaders& h = mail.headers;
  QString out;
  out += "from: " + h.from + "\nto: " + h.to + "\ncc: " + h.cc + "\ndate: " + h.date +
         "\nsubject: " + h.subject + "\n";
  for (const MailAttachment& a : mail.attachments) {
    out += "attachment: " + a.name + " | " + QString::fromLatin1(a.type) + " | " +
           QString::number(a.data.size()) + " bytes | sha1 " +
           QString::fromLatin1(QCryptographicHash::hash(a.data, QCryptographicHash::Sha1).toHex().left(12)) +
           "\n";
  }
  if (mail.hasPlain) out += "--- plain\n" + mail.plainText + "\n";
  if (mail.hasHtml) out += "--- html\n" + mail.html + "\n";
  const QByteArray utf8 = out.toUtf8();
  return {utf8.constData(), static_cast<std::size_t>(utf8.size())};
}

TEST(MimeGolden, EveryTestMailParsesAsExpected) {
  const bool update = std::getenv("LIRVAN_UPDATE_GOLDEN") != nullptr;
  const std::string folder = std::string(LIRVAN_SOURCE_DIR) + "/tests/mail/mailbox/";
  int compared = 0;
  for (const MailFile& file : TestMailbox()) {
    if (file.name == "99-large") continue;
    SCOPED_TRACE(file.name);
    // The server sends CR LF; the parser must read both.
    std::string crlf;
    for (char ch : file.content) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    const std::string dump = Dump(ParseMail(QByteArrayView(crlf.data(), qsizetype(crlf.size()))));
    const std::string lfDump =
        Dump(ParseMail(QByteArrayView(file.content.data(), qsizetype(file.content.size()))));
    std::string normalised = dump;
    std::erase(normalised, '\r');
    std::string lfNormalised = lfDump;
    std::erase(lfNormalised, '\r');
    EXPECT_EQ(normalised, lfNormalised) << "line ends change the result";
    const std::string path = folder + file.name + ".expected";
    if (update) std::ofstream(path, std::ios::binary) << normalised;
    EXPECT_EQ(normalised, ReadTextFile(path));
    ++compared;
  }
  EXPECT_GE(compared, 10);
}

}  // namespace
}  // namespace lirvan::test
