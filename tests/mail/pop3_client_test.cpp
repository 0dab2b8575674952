// The POP3 client over real sockets: against a private dovecot (TLS,
// STARTTLS and plain, a certificate of the test's own authority, a wrong
// password, a certificate nobody trusts) and against a server that
// misbehaves on purpose.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <gtest/gtest.h>
#include <memory>

#include "dovecot_server.h"
#include "mail/cpop3client.h"
#include "script_server.h"

namespace lirvan::test {
namespace {

class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "mail_server_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QCoreApplication>(argc, argv);
  }
  void TearDown() override {
    server_.reset();
    app_.reset();
  }
  static DovecotServer& Dovecot() {
    if (!server_) server_ = std::make_unique<DovecotServer>(TestMailbox());
    return *server_;
  }

 private:
  std::unique_ptr<QCoreApplication> app_;
  static inline std::unique_ptr<DovecotServer> server_;
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

struct Recorder : Pop3Listener {
  void Connected() override { events.push_back("connected"); }
  void Protected(bool encrypted) override {
    events.push_back(encrypted ? "protected" : "unprotected");
  }
  void MessageArrived(int index) override { arrived.push_back(index); }
  void Finished(const FetchEnd& e) override {
    end = e;
    events.push_back("finished");
  }
  std::vector<std::string> events;
  std::vector<int> arrived;
  std::optional<FetchEnd> end;
};

// Runs one fetch to its end (or 20 seconds).
struct Fetch {
  explicit Fetch(const MailAccount& account, std::chrono::milliseconds silence = CPop3Client::kSilenceLimit)
      : client(recorder) {
    client.SetSilenceLimit(silence);
    client.Fetch(account);
    QElapsedTimer timer;
    timer.start();
    while (!recorder.end && timer.elapsed() < 20000) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    // Let "quit" reach the server.
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  Recorder recorder;
  CPop3Client client;
};

MailAccount Account(MailSecurity security, int port, std::string password = DovecotServer::kPassword) {
  MailAccount account;
  account.user = DovecotServer::kUser;
  account.password = std::move(password);
  account.pop3Server = security == MailSecurity::Tls ? "localhost" : "127.0.0.1";
  account.pop3Security = security;
  account.pop3Port = port;
  return account;
}

std::string CrLf(const std::string& text) {
  std::string out;
  for (char ch : text) {
    if (ch == '\n') out += '\r';
    out += ch;
  }
  return out;
}

std::size_t Logins(const DovecotServer& server) {
  const std::string log = server.Log();
  std::size_t count = 0;
  for (std::size_t at = log.find("Login: user=<"); at != std::string::npos;
       at = log.find("Login: user=<", at + 1)) {
    ++count;
  }
  return count;
}

TEST(Pop3Dovecot, EveryMessageArrivesWholeOverEachKindOfConnection) {
  DovecotServer& server = Environment::Dovecot();
  TrustTestAuthority(server.authority());
  const std::vector<MailFile> mailbox = TestMailbox();
  struct Case {
    MailSecurity security;
    int port;
    const char* protection;
  } cases[] = {{MailSecurity::Tls, server.tlsPort(), "protected"},
               {MailSecurity::StartTls, server.plainPort(), "protected"},
               {MailSecurity::None, server.plainPort(), "unprotected"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(SecurityWord(c.security)));
    Fetch fetch(Account(c.security, c.port));
    ASSERT_TRUE(fetch.recorder.end);
    EXPECT_EQ(fetch.recorder.end->outcome, FetchOutcome::Complete) << fetch.recorder.end->reason;
    EXPECT_EQ(fetch.recorder.events,
              (std::vector<std::string>{"connected", c.protection, "finished"}));
    ASSERT_EQ(fetch.client.MessageCount(), int(mailbox.size()));
    ASSERT_EQ(fetch.recorder.arrived.size(), mailbox.size());
    for (std::size_t i = 0; i < mailbox.size(); ++i) {
      SCOPED_TRACE(mailbox[i].name);
      EXPECT_EQ(fetch.recorder.arrived[i], int(i));
      // Un-stuffed, without the status line and the final dot.
      EXPECT_EQ(fetch.client.GetMessage(int(i)).text, CrLf(mailbox[i].content));
    }
  }
  TrustSystemOnly();
}

TEST(Pop3Dovecot, WrongPasswordIsARefusalWithTheServersReason) {
  DovecotServer& server = Environment::Dovecot();
  TrustTestAuthority(server.authority());
  Fetch fetch(Account(MailSecurity::Tls, server.tlsPort(), "yanlis"));
  TrustSystemOnly();
  ASSERT_TRUE(fetch.recorder.end);
  EXPECT_EQ(fetch.recorder.end->outcome, FetchOutcome::AuthRefused);
  EXPECT_NE(fetch.recorder.end->reason.find("Authentication failed"), std::string::npos)
      << fetch.recorder.end->reason;
  EXPECT_TRUE(fetch.recorder.arrived.empty());
}

TEST(Pop3Dovecot, CertificateOfAnUntrustedAuthorityIsRefusedBeforeAnyCredential) {
  DovecotServer& server = Environment::Dovecot();
  TrustSystemOnly();
  const std::size_t loginsBefore = Logins(server);
  for (auto [security, port] : {std::pair{MailSecurity::Tls, server.tlsPort()},
                                std::pair{MailSecurity::StartTls, server.plainPort()}}) {
    Fetch fetch(Account(security, port));
    ASSERT_TRUE(fetch.recorder.end);
    EXPECT_EQ(fetch.recorder.end->outcome, FetchOutcome::CertificateRejected);
    EXPECT_EQ(std::count(fetch.recorder.events.begin(), fetch.recorder.events.end(), "protected"), 0);
  }
  EXPECT_EQ(Logins(server), loginsBefore) << "no login may follow a refused certificate";
}

TEST(Pop3Dovecot, TlsSpokenToAPlainPortFails) {
  DovecotServer& server = Environment::Dovecot();
  TrustTestAuthority(server.authority());
  Fetch fetch(Account(MailSecurity::Tls, server.plainPort()), std::chrono::milliseconds(3000));
  TrustSystemOnly();
  ASSERT_TRUE(fetch.recorder.end);
  EXPECT_NE(fetch.recorder.end->outcome, FetchOutcome::Complete);
  EXPECT_TRUE(fetch.recorder.arrived.empty());
}

const std::vector<QByteArray> kTwoMails{
    "From: a@ornek.tr\nSubject: bir\n\n.nokta\nbir\n",
    "From: b@ornek.tr\nSubject: iki\n\niki\n"};

MailAccount ScriptAccount(const ScriptServer& server, MailSecurity security = MailSecurity::None) {
  MailAccount account;
  account.user = "u";
  account.password = "p";
  account.pop3Server = "127.0.0.1";
  account.pop3Security = security;
  account.pop3Port = server.port();
  return account;
}

TEST(Pop3Misbehaving, EachFaultEndsInItsOwnOutcome) {
  struct Case {
    const char* name;
    Misbehaviour misbehaviour;
    std::vector<QByteArray> mails;
    FetchOutcome outcome;
    int fetched;
  } cases[] = {
      {"replies cut in two", {.splitReplies = true}, kTwoMails, FetchOutcome::Complete, 2},
      {"empty mailbox", {}, {}, FetchOutcome::Empty, 0},
      {"no greeting", {.noGreeting = true}, kTwoMails, FetchOutcome::TimedOut, 0},
      {"-ERR on pass", {.errOnPass = true}, kTwoMails, FetchOutcome::AuthRefused, 0},
      {"STAT reply cut short", {.cutStatReply = true}, kTwoMails, FetchOutcome::ConnectionLost, 0},
      {"closed inside message 2", {.closeInMessage = 2}, kTwoMails, FetchOutcome::ConnectionLost, 1},
      {"not POP3", {.notPop3 = true}, kTwoMails, FetchOutcome::Malformed, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptServer server(c.mails, c.misbehaviour);
    QElapsedTimer timer;
    timer.start();
    Fetch fetch(ScriptAccount(server), std::chrono::milliseconds(400));
    ASSERT_TRUE(fetch.recorder.end);
    EXPECT_EQ(fetch.recorder.end->outcome, c.outcome);
    EXPECT_EQ(fetch.client.FetchedCount(), c.fetched);
    EXPECT_LT(timer.elapsed(), 5000) << "the exchange must end by itself";
    if (c.outcome == FetchOutcome::AuthRefused) {
      EXPECT_EQ(fetch.recorder.end->reason, "[AUTH] Kimlik dogrulanamadi");
      EXPECT_TRUE(server.Received("quit"));
      EXPECT_FALSE(server.Received("stat"));
    }
    if (c.outcome == FetchOutcome::Complete) {
      EXPECT_EQ(fetch.client.GetMessage(0).text, "From: a@ornek.tr\r\nSubject: bir\r\n\r\n.nokta\r\nbir\r\n");
      EXPECT_EQ(server.received().back(), "quit");
    }
  }
}

TEST(Pop3Misbehaving, RefusedStlsSendsNoCredentials) {
  ScriptServer server(kTwoMails, {.refuseStls = true});
  Fetch fetch(ScriptAccount(server, MailSecurity::StartTls));
  ASSERT_TRUE(fetch.recorder.end);
  EXPECT_EQ(fetch.recorder.end->outcome, FetchOutcome::TlsUnsupported);
  EXPECT_TRUE(server.Received("STLS"));
  EXPECT_FALSE(server.Received("user"));
  EXPECT_FALSE(server.Received("pass"));
}

TEST(Pop3Misbehaving, NobodyListeningIsAFailedConnection) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  MailAccount account;
  account.user = "u";
  account.password = "p";
  account.pop3Server = "127.0.0.1";
  account.pop3Port = closed.serverPort();
  closed.close();
  Fetch fetch(account);
  ASSERT_TRUE(fetch.recorder.end);
  EXPECT_EQ(fetch.recorder.end->outcome, FetchOutcome::ConnectFailed);
  EXPECT_EQ(fetch.recorder.events, (std::vector<std::string>{"finished"}));
}

TEST(Pop3Misbehaving, SilenceLimitIsThirtySeconds) {
  EXPECT_EQ(CPop3Client::kSilenceLimit, std::chrono::seconds(30));
}

}  // namespace
}  // namespace lirvan::test
