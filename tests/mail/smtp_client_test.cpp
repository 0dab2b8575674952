// The SMTP client over real sockets: against a private postfix (STARTTLS
// on the submission port, TLS from the first byte, plain SMTP; a wrong
// password, an unknown recipient, a certificate nobody trusts), the mail
// read back from its maildirs; and against a server that misbehaves on
// purpose (silence, refusals, replies in pieces, a hang-up in DATA).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

#include "mail/csmtpclient.h"
#include "mail/mime_encode.h"
#include "mail/mime_message.h"
#include "mail/smtp_message.h"
#include "postfix_server.h"
#include "server_support.h"
#include "smtp_script_server.h"

namespace lirvan::test {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "mail_smtp_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override {
    server_.reset();
    app_.reset();
  }
  static PostfixServer& Postfix() {
    if (!server_) server_ = std::make_unique<PostfixServer>();
    return *server_;
  }

 private:
  std::unique_ptr<QCoreApplication> app_;
  static inline std::unique_ptr<PostfixServer> server_;
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

SmtpServer Server(MailSecurity security, int port, const char* password = PostfixServer::kPassword) {
  return {QStringLiteral("localhost"), port, security, QString::fromUtf8(PostfixServer::kUser),
          QString::fromUtf8(password)};
}

CSmtpMessage Mail(const QString& subject, const QString& body) {
  CSmtpMessage message;
  message.m_From = {U("Lirvan Kullanıcısı"), U("lirvan@ornek.tr")};
  message.m_sSubject = subject;
  message.AddRecipient({U("Ali Öztürk"), U("ali@ornek.tr")}, RecipientType::To);
  message.AddRecipient({U(""), U("veli@ornek.tr")}, RecipientType::To);
  message.AddRecipient({U(""), U("ayse@ornek.tr")}, RecipientType::Cc);
  message.AddRecipient({U(""), U("gizli@xn--rnek-4qa.tr")}, RecipientType::Bcc);
  message.SetBody(body);
  return message;
}

class PostfixTest : public ::testing::Test {
 protected:
  void SetUp() override { TrustTestAuthority(Environment::Postfix().authority()); }
  void TearDown() override { TrustSystemOnly(); }
  PostfixServer& postfix() { return Environment::Postfix(); }
};

TEST_F(PostfixTest, EachSecurityDeliversToEveryRecipientWithTheBytesIntact) {
  struct Case {
    const char* name;
    MailSecurity security;
    int port;
    bool encrypted;
  };
  const Case cases[] = {
      {"starttls", MailSecurity::StartTls, postfix().submissionPort(), true},
      {"tls", MailSecurity::Tls, postfix().tlsPort(), true},
      {"plain", MailSecurity::None, postfix().plainPort(), false},
  };
  const QString body = U(".ilk satır noktayla\nğüşıöç ĞÜŞİÖÇ\n") + QString(1500, QLatin1Char('x')) +
                       U("\n.\nson");
  std::size_t sent = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSmtpClient client;
    ASSERT_TRUE(client.Connect(Server(c.security, c.port))) << client.GetLastCommandResponse()
                                                            << postfix().Log();
    EXPECT_EQ(client.IsEncrypted(), c.encrypted);
    ASSERT_TRUE(client.SendMessage(Mail(U("Konu ") + QString::fromLatin1(c.name), body)))
        << client.GetLastCommandResponse();
    client.Disconnect();
    ++sent;
    // The TLS port offers only LOGIN; STARTTLS's PLAIN is taken first.
    if (c.encrypted) {
      const char* mechanism = c.security == MailSecurity::Tls ? "sasl_method=LOGIN" : "sasl_method=PLAIN";
      EXPECT_NE(postfix().Log().find(mechanism), std::string::npos) << postfix().Log();
    }

    for (const char* box : {"ali", "veli", "ayse", "gizli"}) {
      SCOPED_TRACE(box);
      const std::vector<std::string> mails = postfix().WaitForMails(box, sent);
      ASSERT_EQ(mails.size(), sent) << postfix().Log();
      const QByteArray mail = ClientPart(mails.back());
      EXPECT_FALSE(mail.contains("gizli")) << "Bcc in the header";
      const ParsedMail parsed = ParseMail(mail);
      EXPECT_EQ(parsed.headers.subject, U("Konu ") + QString::fromLatin1(c.name));
      EXPECT_EQ(parsed.headers.from, U("Lirvan Kullanıcısı lirvan@ornek.tr"));
      EXPECT_EQ(parsed.headers.to, U("Ali Öztürk ali@ornek.tr, veli@ornek.tr"));
      EXPECT_EQ(parsed.headers.cc, U("ayse@ornek.tr"));
      EXPECT_EQ(parsed.plainText, body + U("\n"));
      // The body byte for byte: quoted-printable, no line over 76.
      EXPECT_TRUE(mail.endsWith("\n\n" + EncodeQuotedPrintable(body).replace("\r\n", "\n")));
      EXPECT_TRUE(QRegularExpression(QStringLiteral(
                      "\nDate: (Mon|Tue|Wed|Thu|Fri|Sat|Sun), \\d\\d (Jan|Feb|Mar|Apr|May|Jun|"
                      "Jul|Aug|Sep|Oct|Nov|Dec) \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\n"))
                      .match(QString::fromLatin1(mail))
                      .hasMatch())
          << mail.left(600).toStdString();
      EXPECT_TRUE(mail.contains("\nMessage-ID: <")) << mail.left(600).toStdString();
      EXPECT_TRUE(mail.contains("\nContent-Type: text/plain; charset=UTF-8\n"));
    }
  }
}

TEST_F(PostfixTest, RefusalsComeWithTheServersReason) {
  {
    SCOPED_TRACE("unknown recipient: nothing is delivered to anyone");
    const std::size_t before = postfix().Mails("ali").size();
    CSmtpClient client;
    ASSERT_TRUE(client.Connect(Server(MailSecurity::StartTls, postfix().submissionPort())));
    CSmtpMessage message = Mail(U("Bilinmeyen"), U("metin"));
    message.AddRecipient({U(""), U("yok@ornek.tr")}, RecipientType::Cc);
    EXPECT_FALSE(client.SendMessage(message));
    EXPECT_EQ(client.GetLastFailure(), SmtpFailure::RecipientRefused);
    EXPECT_EQ(client.GetRefusedRecipient(), U("yok@ornek.tr"));
    EXPECT_EQ(client.GetLastCommandCode(), 550);
    EXPECT_NE(client.GetLastCommandResponse().find("User unknown"), std::string::npos);
    client.Disconnect();
    EXPECT_EQ(postfix().WaitForMails("ali", before + 1, 300).size(), before);
  }
  {
    SCOPED_TRACE("no credentials where the server asks for them");
    CSmtpClient client;
    SmtpServer server = Server(MailSecurity::StartTls, postfix().submissionPort());
    server.user.clear();
    ASSERT_TRUE(client.Connect(server));
    EXPECT_FALSE(client.SendMessage(Mail(U("x"), U("y"))));
    EXPECT_EQ(client.GetLastFailure(), SmtpFailure::RecipientRefused);
    EXPECT_EQ(client.GetLastCommandCode() / 100, 5);
  }
  {
    // Last: the authentication service holds back whoever failed.
    SCOPED_TRACE("wrong password");
    CSmtpClient client;
    EXPECT_FALSE(client.Connect(Server(MailSecurity::StartTls, postfix().submissionPort(), "yanlis")));
    EXPECT_EQ(client.GetLastFailure(), SmtpFailure::AuthRefused);
    EXPECT_EQ(client.GetLastCommandCode(), 535);
    EXPECT_NE(client.GetLastCommandResponse().find("authentication failed"), std::string::npos)
        << client.GetLastCommandResponse();
    EXPECT_FALSE(client.IsConnected());
  }
}

TEST_F(PostfixTest, ACertificateNobodyTrustsIsRefusedBeforeAnyCredentials) {
  TrustSystemOnly();
  const auto logins = [this] {
    const std::string log = postfix().Log();
    std::size_t count = 0;
    for (std::size_t at = log.find("sasl_username"); at != std::string::npos;
         at = log.find("sasl_username", at + 1)) {
      ++count;
    }
    return count;
  };
  const std::size_t before = logins();
  for (const auto& [security, port] :
       {std::pair{MailSecurity::StartTls, postfix().submissionPort()},
        std::pair{MailSecurity::Tls, postfix().tlsPort()}}) {
    CSmtpClient client;
    EXPECT_FALSE(client.Connect(Server(security, port)));
    EXPECT_EQ(client.GetLastFailure(), SmtpFailure::CertificateRejected);
  }
  EXPECT_EQ(logins(), before);
}

TEST(ScriptServerTest, MisbehaviourEndsInTheRightFailure) {
  struct Case {
    const char* name;
    SmtpMisbehaviour misbehaviour;
    MailSecurity security;
    bool connects;
    SmtpFailure failure;
    const char* reason;  // a piece of the server's words, when it gave any
  };
  SmtpMisbehaviour noGreeting;
  noGreeting.noGreeting = true;
  SmtpMisbehaviour refusedGreeting;
  refusedGreeting.greeting = "554 5.3.2 Hizmet yok";
  SmtpMisbehaviour notSmtp;
  notSmtp.greeting = "HTTP/1.1 400 Bad Request";
  SmtpMisbehaviour noTls;
  SmtpMisbehaviour refusedTls;
  refusedTls.offerStartTls = true;
  SmtpMisbehaviour refusedRecipient;
  refusedRecipient.refusedRecipients = {"veli@ornek.tr"};
  SmtpMisbehaviour silentAtData;
  silentAtData.silentAfter = "DATA";
  SmtpMisbehaviour silentAtRecipient;
  silentAtRecipient.silentAfter = "RCPT";
  SmtpMisbehaviour closesInData;
  closesInData.closeInData = true;
  SmtpMisbehaviour tooBig;
  tooBig.endOfDataReply = "552 5.3.4 Posta cok buyuk";
  const Case cases[] = {
      {"no greeting", noGreeting, MailSecurity::None, false, SmtpFailure::TimedOut, ""},
      {"refused greeting", refusedGreeting, MailSecurity::None, false, SmtpFailure::GreetingRefused,
       "Hizmet yok"},
      {"not SMTP", notSmtp, MailSecurity::None, false, SmtpFailure::Malformed, ""},
      {"STARTTLS not offered", noTls, MailSecurity::StartTls, false, SmtpFailure::TlsUnsupported, ""},
      {"STARTTLS refused", refusedTls, MailSecurity::StartTls, false, SmtpFailure::TlsFailed,
       "TLS su an yok"},
      {"TLS to a plain server", noTls, MailSecurity::Tls, false, SmtpFailure::TlsFailed, ""},
      {"5xx on RCPT", refusedRecipient, MailSecurity::None, true, SmtpFailure::RecipientRefused,
       "Alıcı bulunamadı"},
      {"silent after DATA", silentAtData, MailSecurity::None, true, SmtpFailure::TimedOut, ""},
      // Silence is not a refusal: no address is named as refused.
      {"silent after RCPT", silentAtRecipient, MailSecurity::None, true, SmtpFailure::TimedOut, ""},
      {"closed mid-DATA", closesInData, MailSecurity::None, true, SmtpFailure::ConnectionLost, ""},
      {"end of data refused", tooBig, MailSecurity::None, true, SmtpFailure::MessageRefused,
       "Posta cok buyuk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SmtpScriptServer server(c.misbehaviour);
    CSmtpClient client;
    client.SetReplyTimeout(std::chrono::milliseconds(300));
    QElapsedTimer timer;
    timer.start();
    const bool connected = client.Connect({QStringLiteral("127.0.0.1"), server.port(), c.security,
                                           U("lirvan"), U("sifre")});
    ASSERT_EQ(connected, c.connects) << client.GetLastCommandResponse();
    if (connected) {
      EXPECT_FALSE(client.SendMessage(Mail(U("Konu"), U(".gövde\nx"))));
    }
    EXPECT_EQ(client.GetLastFailure(), c.failure);
    EXPECT_NE(client.GetLastCommandResponse().find(c.reason), std::string::npos)
        << client.GetLastCommandResponse();
    // Each wait ends with the short time-out, never later.
    EXPECT_LT(timer.elapsed(), 5000);
    client.Disconnect();
    // Credentials never go over a plain connection.
    EXPECT_FALSE(server.ReceivedCommand("AUTH"));
  }
}

TEST(ScriptServerTest, OneRcptPerAddressMultiLineRepliesAndHeloFallback) {
  SmtpMisbehaviour misbehaviour;
  misbehaviour.ehloUnknown = true;
  misbehaviour.multiLineReplies = true;
  misbehaviour.byteByByte = true;
  SmtpScriptServer server(misbehaviour);
  CSmtpClient client;
  ASSERT_TRUE(client.Connect({QStringLiteral("127.0.0.1"), server.port(), MailSecurity::None,
                              U("lirvan"), U("sifre")}))
      << client.GetLastCommandResponse();
  ASSERT_TRUE(client.SendMessage(Mail(U("Konu"), U(".ilk\n..iki\nson"))))
      << client.GetLastCommandResponse();
  EXPECT_EQ(client.GetLastCommandResponse(), "2.0.0 Tamam: kuyrukta ek satir son satir");
  client.Disconnect();
  const QList<QByteArray> received = server.Received();
  QList<QByteArray> rcpts;
  for (const QByteArray& line : received) {
    if (line.startsWith("RCPT")) rcpts << line;
  }
  EXPECT_EQ(rcpts, (QList<QByteArray>{"RCPT TO:<ali@ornek.tr>", "RCPT TO:<veli@ornek.tr>",
                                      "RCPT TO:<ayse@ornek.tr>", "RCPT TO:<gizli@xn--rnek-4qa.tr>"}));
  EXPECT_TRUE(server.ReceivedCommand("HELO "));
  EXPECT_TRUE(received.back() == "QUIT");
  ASSERT_EQ(server.Messages().size(), 1);
  const QByteArray data = server.Messages().front();
  EXPECT_TRUE(data.endsWith("\r\n\r\n..ilk\r\n...iki\r\nson\r\n.\r\n")) << data.toStdString();
  EXPECT_FALSE(data.contains("\n\n")) << "bare LF";
}

TEST(ScriptServerTest, NobodyListeningOrNoSuchHost) {
  const int port = FreeLoopbackPort();
  CSmtpClient client;
  EXPECT_FALSE(client.Connect({QStringLiteral("127.0.0.1"), port, MailSecurity::None, {}, {}}));
  EXPECT_EQ(client.GetLastFailure(), SmtpFailure::ConnectFailed);
  EXPECT_FALSE(client.Connect({QStringLiteral("yok.invalid"), 25, MailSecurity::None, {}, {}}));
  EXPECT_EQ(client.GetLastFailure(), SmtpFailure::HostNotFound);
  // Sending without a connection fails at once.
  EXPECT_FALSE(client.SendMessage(Mail(U("x"), U("y"))));
}

}  // namespace
}  // namespace lirvan::test
