#pragma once
// The mail account both mail tools share: posta/PostaAyarlari.dat. Six
// lines as the tools have always written them (display name, address,
// account name, password, SMTP server, POP3 server), then the connection
// security and port of POP3 and of SMTP. A six-line file is an old account
// and keeps its old behaviour (plain text, ports 110 and 25). The file
// holds a password: mode 0600, and rewritten through a temporary file and a
// rename so a crash never leaves it truncated. Values are CP1254.
#include <optional>
#include <string>
#include <string_view>

namespace lirvan {

enum class MailSecurity { Tls, StartTls, None };

// "tls", "starttls", "yok": the words of the file.
std::string_view SecurityWord(MailSecurity security);
std::optional<MailSecurity> SecurityFromWord(std::string_view word);

enum class MailProtocol { Pop3, Smtp };
int DefaultPort(MailProtocol protocol, MailSecurity security);

struct MailAccount {
  std::string displayName;  // line 1
  std::string address;      // line 2
  std::string user;         // line 3, POP3 account name
  std::string password;     // line 4
  std::string smtpServer;   // line 5
  std::string pop3Server;   // line 6
  MailSecurity pop3Security = MailSecurity::None;  // line 7
  int pop3Port = 110;                             // line 8
  MailSecurity smtpSecurity = MailSecurity::None;  // line 9
  int smtpPort = 25;                              // line 10

  // What a new account starts with: TLS on 995, STARTTLS on 587.
  static MailAccount New();
  bool operator==(const MailAccount&) const = default;
};

inline constexpr const char* kMailSettingsPath = "posta/PostaAyarlari.dat";
inline constexpr const char* kMailFolder = "Mail";

// Lines are cut at 199 characters; a file that ends early leaves the rest
// empty. Nothing when the file cannot be opened.
std::optional<MailAccount> ReadMailAccount(const std::string& path = kMailSettingsPath);

// Creates the folder of the file when missing. False when it cannot be
// written; the old file then stays as it was.
bool WriteMailAccount(const MailAccount& account, const std::string& path = kMailSettingsPath);

// A value counts as missing when it is empty or a single blank.
bool IsMissing(std::string_view value);
// The reader needs the POP3 server, the account name and the password.
bool ReaderSettingsComplete(const MailAccount& account);
// The composer needs the address and the SMTP server.
bool ComposerSettingsComplete(const MailAccount& account);

}  // namespace lirvan
