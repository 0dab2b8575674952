#include "dovecot_server.h"

#include <QProcess>
#include <QSslConfiguration>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lirvan::test {

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) ::close(fd);
    throw std::runtime_error("no free loopback port");
  }
  ::close(fd);
  return ntohs(address.sin_port);
}

void Run(const QString& program, const QStringList& args, const std::string& dir) {
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(dir));
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    throw std::runtime_error(program.toStdString() + " failed: " +
                             process.readAllStandardError().toStdString());
  }
}

// The greeting of a POP3 server on the port, or empty.
std::string Greeting(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return {};
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  timeval timeout{2, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string text;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    char buffer[256];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n > 0) text.assign(buffer, static_cast<std::size_t>(n));
    ::send(fd, "quit\r\n", 6, MSG_NOSIGNAL);
  }
  ::close(fd);
  return text;
}

std::string OwnUserName() {
  const passwd* entry = ::getpwuid(::geteuid());
  if (entry == nullptr) throw std::runtime_error("no name for the current user");
  return entry->pw_name;
}

}  // namespace

DovecotServer::DovecotServer(const std::vector<MailFile>& mailbox) {
  std::string pattern = (fs::temp_directory_path() / "lirvan-dovecot-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  dir_ = pattern;
  try {
    plainPort_ = FreeLoopbackPort();
    do tlsPort_ = FreeLoopbackPort(); while (tlsPort_ == plainPort_);
    MakeCertificates();
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
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (i == 99) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
      }
    }
    pid_ = -1;
  }
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    dir_.clear();
  }
}

void DovecotServer::MakeCertificates() {
  const QString openssl = QStringLiteral("openssl");
  const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
  Run(openssl, QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                   QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj",
                               "/CN=Lirvan test authority"},
      dir_);
  Run(openssl, QStringList{QStringLiteral("req")} + ec +
                   QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=localhost"},
      dir_);
  Write(fs::path(dir_) / "san.cnf", "subjectAltName=DNS:localhost,IP:127.0.0.1\n");
  Run(openssl, {"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile", "san.cnf"},
      dir_);
  const QList<QSslCertificate> loaded =
      QSslCertificate::fromPath(QString::fromStdString(dir_ + "/ca.crt"));
  if (loaded.isEmpty()) throw std::runtime_error("the test authority cannot be read");
  authority_ = loaded.front();
}

void DovecotServer::WriteConfiguration(const std::vector<MailFile>& mailbox) {
  const fs::path dir(dir_);
  const fs::path maildir = dir / "home" / kUser / "Maildir";
  for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(maildir / sub);
  for (const MailFile& file : mailbox) Write(maildir / "cur" / (file.name + ":2,S"), file.content);
  fs::create_directories(dir / "run");
  fs::create_directories(dir / "state");
  Write(dir / "passwd", std::string(kUser) + ":{PLAIN}" + kPassword + "::::\n");
  const bool root = ::geteuid() == 0;
  const std::string user = root ? "dovecot" : OwnUserName();
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
  Write(dir / "dovecot.conf", conf.str());
  if (root) {
    const passwd* entry = ::getpwnam("dovecot");
    if (entry == nullptr) throw std::runtime_error("the user dovecot is missing");
    for (const auto& item : fs::recursive_directory_iterator(dir)) {
      if (::lchown(item.path().c_str(), entry->pw_uid, entry->pw_gid) != 0) {
        throw std::runtime_error("cannot hand " + item.path().string() + " to dovecot");
      }
    }
    if (::chown(dir_.c_str(), entry->pw_uid, entry->pw_gid) != 0) {
      throw std::runtime_error("cannot hand the folder to dovecot");
    }
  }
}

void DovecotServer::Launch() {
  const std::string conf = dir_ + "/dovecot.conf";
  const char* argv[] = {"dovecot", "-F", "-c", conf.c_str(), nullptr};
  uid_t uid = ::geteuid();
  gid_t gid = ::getegid();
  if (uid == 0) {
    const passwd* entry = ::getpwnam("dovecot");
    uid = entry->pw_uid;
    gid = entry->pw_gid;
  }
  const bool dropPrivileges = ::geteuid() == 0;
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only system calls between fork and exec.
    if (dropPrivileges && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)) {
      ::_exit(126);
    }
    // Set after the change of user, which clears it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(125);
    ::execvp("dovecot", const_cast<char* const*>(argv));
    ::_exit(127);
  }
  pid_ = pid;
}

void DovecotServer::WaitUntilReady() {
  for (int i = 0; i < 200; ++i) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      throw std::runtime_error("dovecot could not start (is dovecot-pop3d installed?):\n" + Log());
    }
    if (Greeting(plainPort_).starts_with("+OK")) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  throw std::runtime_error("dovecot did not answer within 10 seconds:\n" + Log());
}

std::string DovecotServer::Log() const { return ReadTextFile(dir_ + "/dovecot.log"); }

void TrustTestAuthority(const QSslCertificate& authority) {
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setCaCertificates(QSslConfiguration::systemCaCertificates() << authority);
  QSslConfiguration::setDefaultConfiguration(configuration);
}

void TrustSystemOnly() {
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setCaCertificates(QSslConfiguration::systemCaCertificates());
  QSslConfiguration::setDefaultConfiguration(configuration);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

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
