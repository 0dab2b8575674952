// posta/PostaAyarlari.dat: the six original lines, four more for the
// connection; mode 0600; rewritten through a rename.
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "dovecot_server.h"
#include "mail/mail_account.h"

namespace lirvan::test {
namespace {

struct Folder {
  QTemporaryDir dir;
  std::string path = dir.path().toStdString() + "/posta/PostaAyarlari.dat";
  void Write(const std::string& content) {
    std::filesystem::create_directories(dir.path().toStdString() + "/posta");
    std::ofstream(path, std::ios::binary) << content;
  }
};

TEST(MailAccount, OldSixLineFileKeepsItsPlainConnection) {
  Folder folder;
  folder.Write("Ali\nali@o.tr\nali\nsifre\nsmtp.o.tr\npop.o.tr\n");
  const MailAccount account = ReadMailAccount(folder.path).value();
  EXPECT_EQ(account.displayName, "Ali");
  EXPECT_EQ(account.password, "sifre");
  EXPECT_EQ(account.pop3Server, "pop.o.tr");
  EXPECT_EQ(account.pop3Security, MailSecurity::None);
  EXPECT_EQ(account.pop3Port, 110);
  EXPECT_EQ(account.smtpSecurity, MailSecurity::None);
  EXPECT_EQ(account.smtpPort, 25);
}

TEST(MailAccount, LinesBeyondTheSixAndTheirBadValues) {
  struct {
    const char* tail;
    MailSecurity pop3;
    int pop3Port;
    MailSecurity smtp;
    int smtpPort;
  } cases[] = {
      {"tls\n995\nstarttls\n587\n", MailSecurity::Tls, 995, MailSecurity::StartTls, 587},
      {"starttls\n1110\nyok\n2525\n", MailSecurity::StartTls, 1110, MailSecurity::None, 2525},
      {"tls\n", MailSecurity::Tls, 995, MailSecurity::None, 25},
      {"garip\n0\ntls\n99999\n", MailSecurity::Tls, 995, MailSecurity::Tls, 465},
      {"yok\r\n110\r\n", MailSecurity::None, 110, MailSecurity::None, 25},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tail);
    Folder folder;
    folder.Write(std::string("a\nb\nc\nd\ne\nf\n") + c.tail);
    const MailAccount account = ReadMailAccount(folder.path).value();
    EXPECT_EQ(account.pop3Security, c.pop3);
    EXPECT_EQ(account.pop3Port, c.pop3Port);
    EXPECT_EQ(account.smtpSecurity, c.smtp);
    EXPECT_EQ(account.smtpPort, c.smtpPort);
  }
}

TEST(MailAccount, ShortFileLongLinesAndMissingFile) {
  Folder folder;
  EXPECT_FALSE(ReadMailAccount(folder.path));
  folder.Write("Ali\n" + std::string(250, 'x') + "\nali");
  const MailAccount account = ReadMailAccount(folder.path).value();
  EXPECT_EQ(account.address, std::string(199, 'x'));
  EXPECT_EQ(account.user, "ali");
  EXPECT_EQ(account.password, "");
  EXPECT_EQ(account.pop3Server, "");
}

TEST(MailAccount, WrittenFileIsPrivateCompleteAndReadBack) {
  Folder folder;
  folder.Write("eski\n");
  ::chmod(folder.path.c_str(), 0644);
  MailAccount account = MailAccount::New();
  account.displayName = "Ay\xFE" "e";
  account.user = "ayse";
  account.password = "gizli sifre";
  account.pop3Server = "pop.o.tr";
  ASSERT_TRUE(WriteMailAccount(account, folder.path));
  struct stat info {};
  ASSERT_EQ(::stat(folder.path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_EQ(ReadTextFile(folder.path),
            "Ay\xFE" "e\n\nayse\ngizli sifre\n\npop.o.tr\ntls\n995\nstarttls\n587\n");
  EXPECT_EQ(ReadMailAccount(folder.path).value(), account);
  EXPECT_FALSE(std::filesystem::exists(folder.path + ".yeni"));
}

TEST(MailAccount, FailedWriteLeavesTheOldFile) {
  Folder folder;
  folder.Write("eski\n");
  // A folder where the temporary file would go makes the write fail.
  std::filesystem::create_directories(folder.path + ".yeni/engel");
  EXPECT_FALSE(WriteMailAccount(MailAccount::New(), folder.path));
  EXPECT_EQ(ReadTextFile(folder.path), "eski\n");
}

TEST(MailAccount, CompletenessRules) {
  MailAccount account;
  account.pop3Server = "p";
  account.user = "u";
  account.password = " ";
  EXPECT_FALSE(ReaderSettingsComplete(account)) << "a single blank is missing";
  account.password = "s";
  EXPECT_TRUE(ReaderSettingsComplete(account));
  EXPECT_FALSE(ComposerSettingsComplete(account));
  account.address = "a@o";
  account.smtpServer = "s";
  EXPECT_TRUE(ComposerSettingsComplete(account));
}

}  // namespace
}  // namespace lirvan::test
