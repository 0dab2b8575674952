// Sent mail as bytes: encoded headers that cannot be injected into, a
// quoted-printable body that round-trips through the reader's own decoder,
// the DATA phase's dots and line ends, dates in any time zone, addresses
// split and checked, and replies read whole however they arrive.
#include <QTimeZone>
#include <gtest/gtest.h>
#include <random>

#include "mail/mail_draft.h"
#include "mail/mime_encode.h"
#include "mail/mime_message.h"
#include "mail/mime_text.h"
#include "mail/smtp_address.h"
#include "mail/smtp_message.h"
#include "mail/smtp_reply.h"

namespace lirvan {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

std::vector<QByteArray> Lines(const QByteArray& bytes) {
  std::vector<QByteArray> lines;
  for (const QByteArray& line : bytes.split('\n')) lines.push_back(line);
  return lines;
}

TEST(MailDate, EnglishNamesAndTheZoneOfTheTimeWhateverTheLocale) {
  struct Case {
    int offsetSeconds;
    const char* expected;
  };
  const Case cases[] = {
      {2 * 3600, "Tue, 05 Mar 2024 09:04:03 +0200"},
      {5 * 3600 + 1800, "Tue, 05 Mar 2024 09:04:03 +0530"},
      {0, "Tue, 05 Mar 2024 09:04:03 +0000"},
      {-(3 * 3600 + 1800), "Tue, 05 Mar 2024 09:04:03 -0330"},
      // Half an hour west keeps its sign.
      {-1800, "Tue, 05 Mar 2024 09:04:03 -0030"},
  };
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offsetSeconds);
    const QDateTime time(QDate(2024, 3, 5), QTime(9, 4, 3), QTimeZone(c.offsetSeconds));
    EXPECT_EQ(FormatMailDate(time), c.expected);
  }
  QLocale::setDefault(QLocale::c());
}

TEST(HeaderText, PlainAsciiStaysAndEverythingElseIsEncodedAndComesBack) {
  struct Case {
    QString value;
    bool encoded;
  };
  const Case cases[] = {
      {U("Toplantı notları"), true},
      {U("Merhaba"), false},
      {U("=?UTF-8?B?bm90?= kendisi"), true},  // looks encoded: encoded for real
      {QString(1200, QLatin1Char('a')), true},  // longer than a line may be
      {U("Çok uzun bir konu satırı: ") + QString(200, QChar(0x015F)), true},
      {U("😀 ve ğüşiöç ĞÜŞİÖÇ"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.left(40).toStdString());
    const QByteArray header = EncodeHeaderText(c.value, 7);
    EXPECT_EQ(header.startsWith("=?UTF-8?B?"), c.encoded);
    const std::vector<QByteArray> lines = Lines(header);
    for (std::size_t i = 0; i < lines.size() && c.encoded; ++i) {
      EXPECT_LE(lines[i].size() + (i == 0 ? 9 : 0), 77);  // 76 and the CR
    }
    EXPECT_EQ(DecodeHeaderText(header), c.value);
  }
}

TEST(HeaderText, NoValueCanStartAHeaderOfItsOwn) {
  const QString hostile = U("Selam\r\nBcc: casus@kotu.tr\nX-Evil: 1\rSon");
  for (const QByteArray& encoded :
       {EncodeHeaderText(hostile, 7), EncodeDisplayName(hostile),
        EncodeHeaderText(U("Şşş\r\nBcc: casus@kotu.tr"), 7)}) {
    SCOPED_TRACE(encoded.toStdString());
    // Any line break left is a fold: the next line starts with a blank.
    for (qsizetype at = encoded.indexOf('\n'); at >= 0; at = encoded.indexOf('\n', at + 1)) {
      ASSERT_LT(at + 1, encoded.size());
      EXPECT_EQ(encoded[at + 1], ' ');
      EXPECT_EQ(encoded[at - 1], '\r');
    }
    EXPECT_FALSE(DecodeHeaderText(encoded).contains(QLatin1Char('\n')));
  }
  EXPECT_EQ(CleanHeaderValue(hostile), U("SelamBcc: casus@kotu.trX-Evil: 1Son"));
}

TEST(DisplayName, WordsQuotedOrEncoded) {
  EXPECT_EQ(EncodeDisplayName(U("Ali Veli")), "Ali Veli");
  EXPECT_EQ(EncodeDisplayName(U("Veli, Ali")), "\"Veli, Ali\"");
  EXPECT_EQ(EncodeDisplayName(U("Veli, Ali \"x\"")), "\"Veli, Ali \\\"x\\\"\"");
  EXPECT_EQ(DecodeHeaderText(EncodeDisplayName(U("Ayşe Öztürk"))), U("Ayşe Öztürk"));
  EXPECT_TRUE(EncodeDisplayName(U("  ")).isEmpty());
}

TEST(QuotedPrintable, TurkishLettersLineEndsAndLongLines) {
  struct Case {
    QString text;
    QByteArray expected;
  };
  const Case cases[] = {
      {U("ğ"), "=C4=9F\r\n"},
      {U("a\nb"), "a\r\nb\r\n"},
      {U("a\r\nb\r\n"), "a\r\nb\r\n"},
      {U("a\rb"), "a\r\nb\r\n"},
      {U("son boşluk "), "son bo=C5=9Fluk=20\r\n"},
      {U("tab\t"), "tab=09\r\n"},
      {U("a=b"), "a=3Db\r\n"},
      {U(""), ""},
      {U("\n\n"), "\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(EncodeQuotedPrintable(c.text), c.expected);
  }
  // A 3000-character line with letters of two bytes: no line passes 76
  // and the text comes back whole.
  QString longLine;
  for (int i = 0; i < 1000; ++i) longLine += U("şa ");
  const QByteArray encoded = EncodeQuotedPrintable(longLine + U("\nikinci satır"));
  for (const QByteArray& line : Lines(encoded)) EXPECT_LE(line.size(), 77);
  EXPECT_EQ(QString::fromUtf8(DecodeQuotedPrintable(encoded)),
            longLine + U("\r\nikinci satır\r\n"));
}

TEST(DotStuffing, EveryLineStartingWithADotTheFirstOneToo) {
  struct Case {
    QByteArray data;
    QByteArray sent;
  };
  const Case cases[] = {
      {".ilk\r\nikinci\r\n", "..ilk\r\nikinci\r\n.\r\n"},
      {"a\r\n.\r\nb\r\n", "a\r\n..\r\nb\r\n.\r\n"},
      {"a\n.b\nc", "a\r\n..b\r\nc\r\n.\r\n"},
      {"a\r.b", "a\r\n..b\r\n.\r\n"},
      {"..iki\r\n", "...iki\r\n.\r\n"},
      {"", ".\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data.toStdString());
    EXPECT_EQ(DotStuffed(c.data), c.sent);
  }
}

TEST(Addresses, SplitAtCommasAndSemicolonsAndCheckedOneByOne) {
  struct Case {
    const char* field;
    std::vector<CSmtpAddress> addresses;
    const char* refused;
  };
  const Case cases[] = {
      {"ali@ornek.tr", {{U(""), U("ali@ornek.tr")}}, ""},
      {" ali@ornek.tr , veli@ornek.tr; ayse@ornek.tr ",
       {{U(""), U("ali@ornek.tr")}, {U(""), U("veli@ornek.tr")}, {U(""), U("ayse@ornek.tr")}},
       ""},
      {"Ali Veli <ali@ornek.tr>, \"Öztürk, Ayşe\" <ayse@ornek.tr>",
       {{U("Ali Veli"), U("ali@ornek.tr")}, {U("Öztürk, Ayşe"), U("ayse@ornek.tr")}},
       ""},
      {"ali@örnek.tr", {{U(""), U("ali@xn--rnek-4qa.tr")}}, ""},
      {"ali@ornek.tr,,", {{U(""), U("ali@ornek.tr")}}, ""},
      {" ", {}, ""},  // a Cc of one blank adds no recipient
      {"ali veli@ornek.tr", {}, "ali veli@ornek.tr"},
      {"ali@ornek.tr, bozuk", {{U(""), U("ali@ornek.tr")}}, "bozuk"},
      {"ayşe@ornek.tr", {}, "ayşe@ornek.tr"},
      {"ali@ornek.tr>\r\nRCPT TO:<casus@kotu.tr", {}, "ali@ornek.tr>\r\nRCPT TO:<casus@kotu.tr"},
      {"<ali@ornek.tr", {}, "<ali@ornek.tr"},
      {"ali@", {}, "ali@"},
      {"@ornek.tr", {}, "@ornek.tr"},
      {"ali@-ornek.tr", {}, "ali@-ornek.tr"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    const ParsedAddresses parsed = ParseAddressList(U(c.field));
    if (*c.refused == '\0') {
      EXPECT_EQ(parsed.addresses, c.addresses);
    }
    EXPECT_EQ(parsed.refused, U(c.refused).trimmed());
  }
  EXPECT_EQ((CSmtpAddress{U("Ayşe"), U("a@ornek.tr")}).GetRegularFormat(), U("Ayşe <a@ornek.tr>"));
  EXPECT_EQ((CSmtpAddress{U(" "), U("a@ornek.tr")}).GetRegularFormat(), U("a@ornek.tr"));
}

CSmtpMessage Sample() {
  CSmtpMessage message;
  message.m_From = {U("Lirvan Kullanıcısı"), U("lirvan@ornek.tr")};
  message.m_sSubject = U("Toplantı");
  message.m_sMessageId = "<sabit@ornek.tr>";
  message.AddRecipient({U(""), U("ali@ornek.tr")}, RecipientType::To);
  message.AddRecipient({U("Veli"), U("veli@ornek.tr")}, RecipientType::To);
  message.AddRecipient({U(""), U("ayse@ornek.tr")}, RecipientType::Cc);
  message.AddRecipient({U(""), U("gizli@ornek.tr")}, RecipientType::Bcc);
  message.AddRecipient({U(""), U("ALI@ornek.tr")}, RecipientType::Bcc);
  message.SetBody(U(".nokta\nŞimdi"));
  return message;
}

TEST(Message, HeaderBlockByteForByte) {
  const QDateTime time(QDate(2024, 3, 12), QTime(9, 0, 0), QTimeZone(3 * 3600));
  const QByteArray expected =
      "From: =?UTF-8?B?TGlydmFuIEt1bGxhbsSxY8Sxc8Sx?= <lirvan@ornek.tr>\r\n"
      "To: ali@ornek.tr, Veli <veli@ornek.tr>\r\n"
      "Cc: ayse@ornek.tr\r\n"
      "Subject: =?UTF-8?B?VG9wbGFudMSx?=\r\n"
      "Date: Tue, 12 Mar 2024 09:00:00 +0300\r\n"
      "X-Mailer: Lirvan Posta 1.0\r\n"
      "Message-ID: <sabit@ornek.tr>\r\n"
      "MIME-Version: 1.0\r\n"
      "Content-Type: text/plain; charset=UTF-8\r\n"
      "Content-Transfer-Encoding: quoted-printable\r\n"
      "\r\n";
  EXPECT_EQ(Sample().GetHeader(time), expected);
  EXPECT_EQ(Sample().GetData(time), expected + ".nokta\r\n=C5=9Eimdi\r\n");
}

TEST(Message, BccOnlyInTheEnvelopeAndEachAddressOnce) {
  const CSmtpMessage message = Sample();
  EXPECT_EQ(message.EnvelopeRecipients(),
            (std::vector<QString>{U("ali@ornek.tr"), U("veli@ornek.tr"), U("ayse@ornek.tr"),
                                  U("gizli@ornek.tr")}));
  const QByteArray data = message.GetData(QDateTime::currentDateTime());
  EXPECT_FALSE(data.contains("gizli"));
  EXPECT_FALSE(data.toLower().contains("bcc"));
  // The reader's parser finds the same fields in it.
  const ParsedMail parsed = ParseMail(data);
  EXPECT_EQ(parsed.headers.subject, U("Toplantı"));
  EXPECT_EQ(parsed.plainText.trimmed(), U(".nokta\r\nŞimdi"));
}

TEST(Message, ManyRecipientsAreFoldedAndAFreshIdEachTime) {
  CSmtpMessage message;
  message.m_From = {U(""), U("lirvan@ornek.tr")};
  for (int i = 0; i < 40; ++i) {
    message.AddRecipient({U("Kişi ") + QString::number(i), QStringLiteral("k%1@ornek.tr").arg(i)});
  }
  const QByteArray header = message.GetHeader(QDateTime::currentDateTime());
  for (const QByteArray& line : Lines(header)) EXPECT_LE(line.size(), 999);
  EXPECT_EQ(ParseMailHeaders(header + "\r\n").to.count(QLatin1Char('@')), 40);
  const QByteArray id = header.mid(header.indexOf("Message-ID: ") + 12).split('\r').front();
  EXPECT_TRUE(id.startsWith('<') && id.endsWith("@ornek.tr>")) << id.toStdString();
  EXPECT_NE(message.GetHeader(QDateTime::currentDateTime()), header);
}

TEST(Replies, ReadWholeHoweverTheyArrive) {
  const std::string stream =
      "220 hazir\r\n"
      "250-smtp.ornek.tr\r\n250-STARTTLS\r\n250-AUTH PLAIN LOGIN\r\n250 AUTH=LOGIN\r\n"
      "354 devam\n"
      "550 5.1.1 Alıcı yok\r\n";
  for (std::size_t chunk : {stream.size(), std::size_t{1}, std::size_t{7}}) {
    SCOPED_TRACE(chunk);
    SmtpReplyReader reader;
    std::vector<SmtpReply> replies;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
      reader.Feed(std::string_view(stream).substr(at, chunk));
      while (reader.status() == SmtpReplyReader::Status::Complete) replies.push_back(reader.Take());
    }
    ASSERT_EQ(replies.size(), 4u);
    EXPECT_EQ(replies[0].code, 220);
    EXPECT_EQ(replies[1].code, 250);
    EXPECT_EQ(replies[1].lines.size(), 4u);
    EXPECT_TRUE(replies[1].Offers("STARTTLS"));
    EXPECT_FALSE(replies[1].Offers("SMTP.ORNEK.TR"));
    EXPECT_EQ(replies[1].OfferParameters("AUTH"),
              (std::vector<std::string>{"PLAIN", "LOGIN", "LOGIN"}));
    EXPECT_EQ(replies[2].code, 354);
    EXPECT_EQ(replies[3].Text(), "5.1.1 Alıcı yok");
  }
}

TEST(Replies, HostileRepliesEndTheConversation) {
  struct Case {
    std::string bytes;
    SmtpReplyReader::Status status;
  };
  const Case cases[] = {
      {"HTTP/1.1 400 Bad Request\r\n", SmtpReplyReader::Status::Malformed},
      {"25\r\n", SmtpReplyReader::Status::Malformed},
      {"250-a\r\n354 b\r\n", SmtpReplyReader::Status::Malformed},
      {"250x\r\n", SmtpReplyReader::Status::Malformed},
      {"250 " + std::string(10000, 'a'), SmtpReplyReader::Status::TooLong},
      {[] {
         std::string many;
         for (int i = 0; i < 300; ++i) many += "250-satir\r\n";
         return many;
       }(),
       SmtpReplyReader::Status::TooLong},
      {"250", SmtpReplyReader::Status::NeedMore},
      {"250\r\n", SmtpReplyReader::Status::Complete},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 30));
    SmtpReplyReader reader;
    EXPECT_EQ(reader.Feed(c.bytes), c.status);
  }
}

TEST(Replies, RandomBytesNeverCrashOrGrowWithoutBound) {
  std::mt19937 random(16);
  for (int round = 0; round < 2000; ++round) {
    SmtpReplyReader reader;
    std::string bytes(random() % 300, '\0');
    for (char& byte : bytes) byte = "0123456789 -\r\nAZ"[random() % 16];
    for (std::size_t at = 0; at < bytes.size(); at += 1 + random() % 20) {
      reader.Feed(std::string_view(bytes).substr(at, 1 + random() % 20));
      while (reader.status() == SmtpReplyReader::Status::Complete) {
        const SmtpReply reply = reader.Take();
        ASSERT_GE(reply.code, 0);
        ASSERT_LE(reply.code, 999);
      }
    }
  }
}

TEST(Drafts, ReplyToTheReplyToWithReOnceAndTheMailQuoted) {
  const QByteArray raw =
      "From: =?UTF-8?B?QXnFn2U=?= <ayse@ornek.tr>\r\nReply-To: Cevap <cevap@ornek.tr>\r\n"
      "To: lirvan@ornek.tr\r\nSubject: RE: Bütçe\r\nDate: Mon, 11 Mar 2024 14:05:00 +0300\r\n\r\nx\r\n";
  const OriginalMail original = ReadOriginal(raw, U("Merhaba\r\n\r\nGörüşürüz\r\n\r\n"));
  const MailDraft reply = ReplyDraft(original);
  EXPECT_EQ(reply.to, U("Cevap <cevap@ornek.tr>"));
  EXPECT_EQ(reply.subject, U("RE: Bütçe"));
  EXPECT_EQ(reply.body, U("\n\nMon, 11 Mar 2024 14:05:00 +0300 tarihinde Ayşe <ayse@ornek.tr> yazdı:\n"
                          "> Merhaba\n>\n> Görüşürüz\n"));
  OriginalMail plain = original;
  plain.replyTo.clear();
  plain.subject = U("Bütçe");
  EXPECT_EQ(ReplyDraft(plain).to, U("Ayşe <ayse@ornek.tr>"));
  EXPECT_EQ(ReplyDraft(plain).subject, U("Re: Bütçe"));
  EXPECT_EQ(ForwardDraft(plain).subject, U("Fwd: Bütçe"));
  plain.subject = U("FW: Bütçe");
  EXPECT_EQ(ForwardDraft(plain).subject, U("FW: Bütçe"));
  EXPECT_TRUE(ForwardDraft(plain).to.isEmpty());
  EXPECT_TRUE(ForwardDraft(plain).body.endsWith(U("\n\nMerhaba\r\n\r\nGörüşürüz\n")));
}

}  // namespace
}  // namespace lirvan
