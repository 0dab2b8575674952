#include "dovecot_server.h"

#include <QSslConfiguration>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace lirvan::test {

namespace fs = std::filesystem;

DovecotServer::DovecotServer(const std::vector<MailFile>& mailbox) {
  dir_ = MakeTemporaryFolder("lirvan-dovecot");
  try {
    plainPort_ = FreeLoopbackPort();
    do tlsPort_ = FreeLoopbackPort(); while (tlsPort_ == plainPort_);
    authority_ = MakeTestCertificates(dir_);
    WriteConfiguration(mailbox);
    Launch();
    WaitUntilReady();
  } catch (...) {
    Stop();
    throw;
  }
}

DovecotServer::~DovecotServer() { Stop(); }

void DovecotServer::Stop() {
  StopDaemon(pid_);
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    dir_.clear();
  }
}

void DovecotServer::WriteConfiguration(const std::vector<MailFile>& mailbox) {
  const fs::path dir(dir_);
  const fs::path maildir = dir / "home" / kUser / "Maildir";
  for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(maildir / sub);
  for (const MailFile& file : mailbox) {
    WriteFile((maildir / "cur" / (file.name + ":2,S")).string(), file.content);
  }
  fs::create_directories(dir / "run");
  fs::create_directories(dir / "state");
  WriteFile((dir / "passwd").string(), std::string(kUser) + ":{PLAIN}" + kPassword + "::::\n");
  const std::string user = DaemonUserName("dovecot");
  std::ostringstream conf;
  conf << "base_dir = " << dir_ << "/run\n"
       << "state_dir = " << dir_ << "/state\n"
       << "instance_name = lirvan-test-" << plainPort_ << "\n"
       << "log_path = " << dir_ << "/dovecot.log\n"
       << "protocols = pop3\nlisten = 127.0.0.1\nssl = yes\n"
       << "ssl_cert = <" << dir_ << "/server.crt\n"
       << "ssl_key = <" << dir_ << "/server.key\n"
       << "disable_plaintext_auth = no\nauth_mechanisms = plain\n"
       << "default_login_user = " << user << "\n"
       << "default_internal_user = " << user << "\n"
       << "default_internal_group = " << user << "\n"
       << "first_valid_uid = 1\n"
       << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " << dir_
       << "/passwd\n}\n"
       << "userdb {\n  driver = static\n  args = uid=" << user << " gid=" << user << " home="
       << dir_ << "/home/%u\n}\n"
       << "mail_location = maildir:~/Maildir\n"
       << "service pop3-login {\n  chroot =\n"
       << "  inet_listener pop3 {\n    port = " << plainPort_ << "\n  }\n"
       << "  inet_listener pop3s {\n    port = " << tlsPort_ << "\n    ssl = yes\n  }\n}\n"
       << "service anvil {\n  chroot =\n}\n";
  WriteFile((dir / "dovecot.conf").string(), conf.str());
  if (const std::optional<SystemUser> owner = DaemonUser("dovecot")) HandOver(dir_, *owner);
}

void DovecotServer::Launch() {
  pid_ = LaunchDaemon({"dovecot", "-F", "-c", dir_ + "/dovecot.conf"}, DaemonUser("dovecot"));
}

void DovecotServer::WaitUntilReady() {
  for (int i = 0; i < 200; ++i) {
    if (!DaemonRunning(pid_)) {
      throw std::runtime_error("dovecot could not start (is dovecot-pop3d installed?):\n" + Log());
    }
    if (FirstLine(plainPort_, "quit\r\n").starts_with("+OK")) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  throw std::runtime_error("dovecot did not answer within 10 seconds:\n" + Log());
}

std::string DovecotServer::Log() const { return ReadTextFile(dir_ + "/dovecot.log"); }

std::vector<MailFile> TestMailbox() {
  std::vector<MailFile> mailbox;
  const fs::path folder = fs::path(LIRVAN_SOURCE_DIR) / "tests" / "mail" / "mailbox";
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".eml") {
      mailbox.push_back({entry.path().stem().string(), ReadTextFile(entry.path().string())});
    }
  }
  std::sort(mailbox.begin(), mailbox.end(),
            [](const MailFile& a, const MailFile& b) { return a.name < b.name; });
  std::string large =
      "From: Büyük Dosya <buyuk@ornek.tr>\nTo: lirvan@ornek.tr\nSubject: Uzun posta\n"
      "Date: Tue, 12 Mar 2024 09:00:00 +0300\n\n";
  for (int i = 0; i < 16000; ++i) {
    large += "Satır " + std::to_string(i) + ": uzun bir postanın pek çok parçada gelen satırı.\n";
    if (i % 1000 == 999) large += ".Noktayla başlayan satır " + std::to_string(i) + "\n";
  }
  mailbox.push_back({"99-large", large});
  return mailbox;
}

}  // namespace lirvan::test
