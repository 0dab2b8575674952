// The POP3 conversation without a socket: the lines sent, messages ended by
// their "." line however the bytes are cut, dot-stuffing undone, refusals
// told apart, nothing read in clear after STLS.
#include <gtest/gtest.h>

#include "mail/pop3_session.h"

namespace lirvan::test {
namespace {

struct Exchange {
  std::string sent;
  std::vector<int> completed;
  std::optional<Pop3End> end;
  bool startTls = false;
  void Take(const Pop3Step& step) {
    sent += step.send;
    completed.insert(completed.end(), step.completed.begin(), step.completed.end());
    if (step.end) end = step.end;
    startTls = startTls || step.startTls;
  }
};

// The server's side of a whole exchange with two messages, in one string.
const std::string kServer =
    "+OK hazir\r\n"
    "+OK\r\n"
    "+OK giris\r\n"
    "+OK 2 60\r\n"
    "+OK 9999 octets\r\nSubject: a\r\n\r\n..nokta\r\n...\r\nson\r\n.\r\n"
    "+OK 5 octets\r\n.\r\n";  // an empty second message, announced too small

TEST(Pop3Session, EveryCutOfTheRepliesGivesTheSameExchange) {
  for (std::size_t first = 0; first <= kServer.size(); first += 1) {
    for (std::size_t second : {first, first + 1, first + 7, kServer.size()}) {
      if (second > kServer.size() || second < first) continue;
      Pop3Session session("ali", "gizli", false);
      Exchange run;
      run.Take(session.Feed(std::string_view(kServer).substr(0, first)));
      run.Take(session.Feed(std::string_view(kServer).substr(first, second - first)));
      run.Take(session.Feed(std::string_view(kServer).substr(second)));
      SCOPED_TRACE(std::to_string(first) + "/" + std::to_string(second));
      ASSERT_EQ(run.sent, "user ali\r\npass gizli\r\nstat\r\nretr 1\r\nretr 2\r\nquit\r\n");
      ASSERT_EQ(run.completed, (std::vector<int>{0, 1}));
      ASSERT_TRUE(run.end);
      ASSERT_EQ(run.end->result, Pop3Result::Complete);
      ASSERT_EQ(session.messages()[0].text, "Subject: a\r\n\r\n.nokta\r\n..\r\nson\r\n");
      ASSERT_EQ(session.messages()[0].size, 9999);
      ASSERT_EQ(session.messages()[1].text, "");
    }
  }
}

TEST(Pop3Session, RefusalsAreToldApartAndEndWithQuit) {
  struct {
    const char* name;
    std::string replies;
    bool startTls;
    Pop3Result result;
    const char* reason;
    const char* sent;
  } cases[] = {
      {"greeting", "-ERR bakimda\r\n", false, Pop3Result::Refused, "bakimda", "quit\r\n"},
      {"user", "+OK\r\n-ERR kim\r\n", false, Pop3Result::AuthRefused, "kim", "user u\r\nquit\r\n"},
      {"pass", "+OK\r\n+OK\r\n-ERR [AUTH] yanlis\r\n", false, Pop3Result::AuthRefused,
       "[AUTH] yanlis", "user u\r\npass p\r\nquit\r\n"},
      {"empty", "+OK\r\n+OK\r\n+OK\r\n+OK 0 0\r\n", false, Pop3Result::Empty, "",
       "user u\r\npass p\r\nstat\r\nquit\r\n"},
      {"retr", "+OK\r\n+OK\r\n+OK\r\n+OK 1 5\r\n-ERR yok\r\n", false, Pop3Result::Refused, "yok",
       "user u\r\npass p\r\nstat\r\nretr 1\r\nquit\r\n"},
      {"stls", "+OK\r\n-ERR desteklenmiyor\r\n", true, Pop3Result::TlsUnsupported,
       "desteklenmiyor", "STLS\r\nquit\r\n"},
      {"garbage", "SSH-2.0-OpenSSH\r\n", false, Pop3Result::Malformed, "SSH-2.0-OpenSSH", "quit\r\n"},
      {"bad stat", "+OK\r\n+OK\r\n+OK\r\n+OK cok\r\n", false, Pop3Result::Malformed, "+OK cok",
       "user u\r\npass p\r\nstat\r\nquit\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Pop3Session session("u", "p", c.startTls);
    Exchange run;
    run.Take(session.Feed(c.replies));
    ASSERT_TRUE(run.end);
    EXPECT_EQ(run.end->result, c.result);
    EXPECT_EQ(run.end->reason, c.reason);
    EXPECT_EQ(run.sent, c.sent);
    EXPECT_TRUE(run.completed.empty());
    // Nothing more after the end.
    EXPECT_TRUE(session.Feed("+OK\r\n").send.empty());
  }
}

TEST(Pop3Session, NothingSentInClearAfterStlsIsRead) {
  Pop3Session session("u", "p", true);
  Exchange run;
  // A line injected behind the STLS answer must not be taken as the
  // encrypted server's reply.
  run.Take(session.Feed("+OK\r\n+OK basla\r\n+OK sahte\r\n"));
  EXPECT_EQ(run.sent, "STLS\r\n");
  EXPECT_TRUE(run.startTls);
  run.Take(session.TlsEstablished());
  EXPECT_EQ(run.sent, "STLS\r\nuser u\r\n");
  run.Take(session.Feed("+OK\r\n"));
  EXPECT_EQ(run.sent, "STLS\r\nuser u\r\npass p\r\n");
}

TEST(Pop3Session, EndlessLineIsRefusedNotStored) {
  Pop3Session session("u", "p", false);
  Exchange run;
  const std::string junk(Pop3Session::kMaxLine + 10, 'x');
  run.Take(session.Feed(junk));
  ASSERT_TRUE(run.end);
  EXPECT_EQ(run.end->result, Pop3Result::Malformed);
}

}  // namespace
}  // namespace lirvan::test
