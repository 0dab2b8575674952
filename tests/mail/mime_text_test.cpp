// Decoding of mail text: base64 (the final groups), quoted-printable,
// charsets through Qt's converters, encoded words, RFC 2231 parameters,
// header lines, and the parser on damaged input.
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include "mail/mime_header.h"
#include "mail/mime_message.h"
#include "mail/mime_text.h"

namespace lirvan::test {
namespace {

TEST(MimeText, Base64FinalGroupsGiveOneOrTwoBytes) {
  struct {
    const char* in;
    QByteArray out;
  } cases[] = {{"TQ==", "M"}, {"TWE=", "Ma"}, {"TWFu", "Man"}, {"TW\r\nFu\r\nTQ==", "ManM"},
               {"T", ""},     {"", ""},       {"TWFu=TWFu", "Man"}, {"T*W!F u", "Man"}};
  for (const auto& c : cases) EXPECT_EQ(Base64Decode(c.in), c.out) << c.in;
}

TEST(MimeText, QuotedPrintableJoinsSoftBreaksAndKeepsBadEscapes) {
  struct {
    const char* in;
    QByteArray out;
  } cases[] = {{"=C4=B1", "\xC4\xB1"},       {"uzun =\r\nsat=C4=B1r", "uzun sat\xC4\xB1r"},
               {"a=  \nb", "ab"},           {"=ZZ=4", "=ZZ=4"},
               {"son=", "son"},             {"a=3d=3D", "a=="}};
  for (const auto& c : cases) EXPECT_EQ(DecodeQuotedPrintable(c.in), c.out) << c.in;
}

TEST(MimeText, CharsetsAreConvertedAndUnlabelledTextGuessed) {
  EXPECT_EQ(DecodeCharset("\xDD\xFE\xFD\xF0", "ISO-8859-9"), QStringLiteral("İşığ"));
  EXPECT_EQ(DecodeCharset("\xDD\xFE\xFD\xF0", "windows-1254"), QStringLiteral("İşığ"));
  EXPECT_EQ(DecodeCharset("\xC4\xB0\xC5\x9F", "utf-8"), QStringLiteral("İş"));
  EXPECT_EQ(DecodeCharset("\xC4\xB0\xC5\x9F", {}), QStringLiteral("İş"));
  EXPECT_EQ(DecodeCharset("\xDD\xFE", {}), QStringLiteral("İş")) << "not UTF-8: Windows-1254";
  EXPECT_EQ(DecodeCharset("\xDD\xFE", "x-bilinmeyen"), QStringLiteral("İş"));
}

TEST(MimeText, EncodedWordsAreDecodedAndJoined) {
  struct {
    const char* in;
    QString out;
  } cases[] = {
      {"=?UTF-8?B?w4dhbMSxxZ9tYQ==?=", QStringLiteral("Çalışma")},
      {"=?utf-8?q?Zeynep_=C3=87elik?= <z@o.tr>", QStringLiteral("Zeynep Çelik <z@o.tr>")},
      {"=?UTF-8?Q?a?= =?UTF-8?Q?b?=", QStringLiteral("ab")},
      {"=?UTF-8?Q?a?= ve =?UTF-8?Q?b?=", QStringLiteral("a ve b")},
      {"=?ISO-8859-9?Q?=DDleti=FEim?=", QStringLiteral("İletişim")},
      {"=?UTF-8*tr?Q?=C3=A7?=", QStringLiteral("ç")},
      {"=?UTF-8?X?bozuk?=", QStringLiteral("=?UTF-8?X?bozuk?=")},
      {"=?UTF-8?B?yarim", QStringLiteral("=?UTF-8?B?yarim")},
      {"d\xFCz metin", QStringLiteral("düz metin")},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeHeaderText(c.in), c.out) << c.in;
}

TEST(MimeHeader, NamesMatchAtLineStartWithoutCaseAndFoldsJoin) {
  const HeaderBlock header(
      "Reply-To: yanlis@o.tr\r\nSUBJECT: uzun\r\n  konu\r\nto: dogru@o.tr\r\nX: To: degil\r\n");
  EXPECT_EQ(header.Value("to"), "dogru@o.tr");
  EXPECT_EQ(header.Value("subject"), "uzun  konu");
  EXPECT_EQ(header.Value("cc"), "");
  EXPECT_FALSE(header.Has("cc"));
}

TEST(MimeHeader, ParametersQuotedEncodedAndContinued) {
  struct {
    const char* in;
    const char* param;
    QString out;
  } cases[] = {
      {"attachment; filename=\"a b.pdf\"", "filename", QStringLiteral("a b.pdf")},
      {"attachment; filename=a.pdf", "filename", QStringLiteral("a.pdf")},
      {"attachment; filename*=UTF-8''T%C3%BCrk%C3%A7e.pdf", "filename", QStringLiteral("Türkçe.pdf")},
      {"attachment; filename*0*=UTF-8''%C3%A7ok; filename*1*=%20uzun.doc", "filename",
       QStringLiteral("çok uzun.doc")},
      {"attachment; filename*1=\"b.txt\"; filename*0=\"a\"", "filename", QStringLiteral("ab.txt")},
      {"attachment; filename=\"=?UTF-8?B?w6cudHh0?=\"", "filename", QStringLiteral("ç.txt")},
      {"multipart/mixed; BOUNDARY=\"x;y\"", "boundary", QStringLiteral("x;y")},
      {"text/plain; name=\"ka\\\"cis\"", "name", QStringLiteral("ka\"cis")},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseParameters(c.in).Param(c.param), c.out) << c.in;
  EXPECT_EQ(ParseParameters("Multipart/Mixed ; x=1").value, "multipart/mixed");
}

TEST(MimeMessage, PartBodiesStartAfterTheirFirstEmptyLineWhateverHeadersCome) {
  const QByteArray mail =
      "Content-Type: multipart/mixed; boundary=s\r\nMIME-Version: 1.0\r\n\r\n"
      "--s\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: quoted-printable\r\n"
      "Content-ID: <x>\r\n\r\nmetin=3D1\r\n"
      "--s\r\nContent-Disposition: attachment;\r\n filename=\"a.txt\"\r\n"
      "Content-Transfer-Encoding: base64\r\nContent-ID: <y>\r\n\r\nZWs=\r\n--s--\r\n";
  const ParsedMail parsed = ParseMail(mail);
  EXPECT_EQ(parsed.plainText, QStringLiteral("metin=1"));
  ASSERT_EQ(parsed.attachments.size(), 1u);
  EXPECT_EQ(parsed.attachments[0].name, QStringLiteral("a.txt"));
  EXPECT_EQ(parsed.attachments[0].data, "ek");
}

TEST(MimeMessage, BrokenStructuresStillGiveWhatCanBeRead) {
  // No closing boundary, no boundary parameter, no blank line at all.
  EXPECT_EQ(ParseMail("Content-Type: multipart/mixed; boundary=s\n\n--s\n\nyarim").plainText,
            QStringLiteral("yarim"));
  EXPECT_FALSE(ParseMail("Content-Type: multipart/mixed\n\n--s\n\nx").hasPlain);
  EXPECT_TRUE(ParseMail("Subject: yalniz baslik").plainText.isEmpty());
  EXPECT_EQ(ParseMail("Subject: s\n\ngovde").plainText, QStringLiteral("govde"));
}

TEST(MimeMessage, DeepNestingAndRandomDamageNeverCrash) {
  QByteArray deep;
  for (int i = 0; i < 5000; ++i) deep += "Content-Type: multipart/mixed; boundary=b" + QByteArray::number(i) + "\n\n--b" + QByteArray::number(i) + "\n";
  ParseMail(deep);
  const QByteArray seed =
      "From: =?UTF-8?B?w4dh?= <a@b>\nContent-Type: multipart/alternative; boundary=\"q\"\n\n"
      "--q\nContent-Type: text/plain; charset=iso-8859-9\nContent-Transfer-Encoding: "
      "quoted-printable\n\n=DD=FE=\n--q\nContent-Type: text/html\nContent-Transfer-Encoding: "
      "base64\n\nPGI+YTwvYj4=\n--q\nContent-Disposition: attachment; filename*0*=UTF-8''%C3\n\nx\n--q--\n";
  QRandomGenerator random(1254);
  for (int round = 0; round < 3000; ++round) {
    QByteArray damaged = seed;
    const int edits = 1 + int(random.bounded(8));
    for (int e = 0; e < edits; ++e) {
      const qsizetype at = random.bounded(damaged.size());
      switch (random.bounded(3)) {
        case 0: damaged[at] = char(random.bounded(256)); break;
        case 1: damaged.remove(at, random.bounded(20)); break;
        default: damaged.insert(at, damaged.mid(random.bounded(damaged.size()), 30)); break;
      }
    }
    const ParsedMail parsed = ParseMail(damaged);
    EXPECT_LE(parsed.attachments.size(), 100u);
  }
}

}  // namespace
}  // namespace lirvan::test
