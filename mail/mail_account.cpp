#include "mail/mail_account.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lirvan {

namespace {

constexpr std::size_t kMaxLine = 199;
constexpr std::size_t kLineCount = 10;

std::vector<std::string> ReadLines(std::ifstream& in) {
  std::vector<std::string> lines;
  std::string line;
  while (lines.size() < kLineCount && std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    lines.push_back(line);
  }
  return lines;
}

int ParsePort(const std::string& text, int fallback) {
  int port = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) {
    return fallback;
  }
  return port;
}

// A line that is present but unreadable falls to TLS: a damaged file must
// never send the password in clear by itself.
void ReadConnection(const std::vector<std::string>& lines, std::size_t first,
                    MailProtocol protocol, MailSecurity& security, int& port) {
  if (lines.size() <= first) return;
  security = SecurityFromWord(lines[first]).value_or(MailSecurity::Tls);
  port = DefaultPort(protocol, security);
  if (lines.size() > first + 1) port = ParsePort(lines[first + 1], port);
}

bool WriteAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string_view SecurityWord(MailSecurity security) {
  switch (security) {
    case MailSecurity::Tls:
      return "tls";
    case MailSecurity::StartTls:
      return "starttls";
    case MailSecurity::None:
      break;
  }
  return "yok";
}

std::optional<MailSecurity> SecurityFromWord(std::string_view word) {
  for (MailSecurity each : {MailSecurity::Tls, MailSecurity::StartTls, MailSecurity::None}) {
    if (SecurityWord(each) == word) return each;
  }
  return std::nullopt;
}

int DefaultPort(MailProtocol protocol, MailSecurity security) {
  if (protocol == MailProtocol::Pop3) return security == MailSecurity::Tls ? 995 : 110;
  switch (security) {
    case MailSecurity::Tls:
      return 465;
    case MailSecurity::StartTls:
      return 587;
    case MailSecurity::None:
      break;
  }
  return 25;
}

MailAccount MailAccount::New() {
  MailAccount account;
  account.pop3Security = MailSecurity::Tls;
  account.pop3Port = 995;
  account.smtpSecurity = MailSecurity::StartTls;
  account.smtpPort = 587;
  return account;
}

std::optional<MailAccount> ReadMailAccount(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::string> lines = ReadLines(in);
  MailAccount account;
  const std::array<std::string*, 6> values{&account.displayName, &account.address,
                                           &account.user,        &account.password,
                                           &account.smtpServer,  &account.pop3Server};
  for (std::size_t i = 0; i < values.size() && i < lines.size(); ++i) *values[i] = lines[i];
  ReadConnection(lines, 6, MailProtocol::Pop3, account.pop3Security, account.pop3Port);
  ReadConnection(lines, 8, MailProtocol::Smtp, account.smtpSecurity, account.smtpPort);
  return account;
}

bool WriteMailAccount(const MailAccount& account, const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ignored);
  std::string content;
  for (const std::string* value : {&account.displayName, &account.address, &account.user,
                                   &account.password, &account.smtpServer, &account.pop3Server}) {
    content += *value + "\n";
  }
  content += std::string(SecurityWord(account.pop3Security)) + "\n" +
             std::to_string(account.pop3Port) + "\n" +
             std::string(SecurityWord(account.smtpSecurity)) + "\n" +
             std::to_string(account.smtpPort) + "\n";
  const std::string temporary = path + ".yeni";
  ::unlink(temporary.c_str());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        S_IRUSR | S_IWUSR);
  if (fd < 0) return false;
  // The mode given to open() is narrowed by the umask only, never widened.
  const bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && WriteAll(fd, content) &&
                       ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool IsMissing(std::string_view value) { return value.empty() || value == " "; }

bool ReaderSettingsComplete(const MailAccount& account) {
  return !IsMissing(account.pop3Server) && !IsMissing(account.user) &&
         !IsMissing(account.password);
}

bool ComposerSettingsComplete(const MailAccount& account) {
  return !IsMissing(account.address) && !IsMissing(account.smtpServer);
}

}  // namespace lirvan
