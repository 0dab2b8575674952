#include "server_support.h"

#include <QProcess>
#include <QSslConfiguration>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

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

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string MakeTemporaryFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  return pattern;
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

void RunProgram(const QString& program, const QStringList& args, const std::string& dir) {
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(dir));
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) {
    throw std::runtime_error(program.toStdString() + " failed: " +
                             process.readAllStandardError().toStdString());
  }
}

QSslCertificate MakeTestCertificates(const std::string& dir) {
  const QString openssl = QStringLiteral("openssl");
  const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
  RunProgram(openssl, QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec +
                          QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj",
                                      "/CN=Lirvan test authority"},
             dir);
  RunProgram(openssl, QStringList{QStringLiteral("req")} + ec +
                          QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj",
                                      "/CN=localhost"},
             dir);
  WriteFile(dir + "/san.cnf", "subjectAltName=DNS:localhost,IP:127.0.0.1\n");
  RunProgram(openssl, {"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                       "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile", "san.cnf"},
             dir);
  const QList<QSslCertificate> loaded =
      QSslCertificate::fromPath(QString::fromStdString(dir + "/ca.crt"));
  if (loaded.isEmpty()) throw std::runtime_error("the test authority cannot be read");
  return loaded.front();
}

std::optional<SystemUser> DaemonUser(const char* name) {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* entry = ::getpwnam(name);
  if (entry == nullptr) throw std::runtime_error(std::string("the user ") + name + " is missing");
  return SystemUser{entry->pw_uid, entry->pw_gid};
}

std::string DaemonUserName(const char* name) {
  if (::geteuid() == 0) return name;
  const passwd* entry = ::getpwuid(::geteuid());
  if (entry == nullptr) throw std::runtime_error("no name for the current user");
  return entry->pw_name;
}

void HandOver(const std::string& dir, const SystemUser& user) {
  for (const auto& item : fs::recursive_directory_iterator(dir)) {
    if (::lchown(item.path().c_str(), user.uid, user.gid) != 0) {
      throw std::runtime_error("cannot hand over " + item.path().string());
    }
  }
  if (::chown(dir.c_str(), user.uid, user.gid) != 0) {
    throw std::runtime_error("cannot hand over " + dir);
  }
}

pid_t LaunchDaemon(const std::vector<std::string>& argv, std::optional<SystemUser> user) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // Only system calls between fork and exec.
    if (user && (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 ||
                 ::setuid(user->uid) != 0)) {
      ::_exit(126);
    }
    // Set after the change of user, which clears it.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(125);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

void StopDaemon(pid_t& pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  for (int i = 0; i < 100 && ::waitpid(pid, &status, WNOHANG) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (i == 99) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
    }
  }
  pid = -1;
}

bool DaemonRunning(pid_t& pid) {
  if (pid <= 0) return false;
  int status = 0;
  if (::waitpid(pid, &status, WNOHANG) == pid) {
    pid = -1;
    return false;
  }
  return true;
}

std::string FirstLine(int port, const char* goodbye) {
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
    ::send(fd, goodbye, std::char_traits<char>::length(goodbye), MSG_NOSIGNAL);
  }
  ::close(fd);
  return text;
}

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

}  // namespace lirvan::test
