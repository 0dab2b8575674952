#include "postfix_server.h"

#include <QUrl>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "server_support.h"

namespace lirvan::test {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMaster = "/usr/lib/postfix/sbin/master";

struct QueueFolder {
  const char* name;
  bool postfixOwned;
  bool postdropGroup;
  mode_t mode;
};

// As postfix's own installation makes them (postfix-files).
constexpr QueueFolder kQueue[] = {
    {"active", true, false, 0700},   {"bounce", true, false, 0700},
    {"corrupt", true, false, 0700},  {"defer", true, false, 0700},
    {"deferred", true, false, 0700}, {"flush", true, false, 0700},
    {"hold", true, false, 0700},     {"incoming", true, false, 0700},
    {"private", true, false, 0700},  {"saved", true, false, 0700},
    {"trace", true, false, 0700},    {"maildrop", true, true, 0730},
    {"public", true, true, 0710},    {"pid", false, false, 0755},
};

const passwd& PostfixUser() {
  const passwd* entry = ::getpwnam("postfix");
  if (entry == nullptr) throw std::runtime_error("the user postfix is missing (is postfix installed?)");
  return *entry;
}

void Own(const fs::path& path, uid_t uid, gid_t gid, mode_t mode) {
  if (::chown(path.c_str(), uid, gid) != 0 || ::chmod(path.c_str(), mode) != 0) {
    throw std::runtime_error("cannot set up " + path.string());
  }
}

std::string Submission(int port, const char* extra) {
  std::ostringstream line;
  line << "127.0.0.1:" << port << " inet n - n - - smtpd\n"
       << extra << "  -o smtpd_sasl_auth_enable=yes\n"
       << "  -o smtpd_relay_restrictions=permit_sasl_authenticated,reject\n"
       << "  -o smtpd_recipient_restrictions=permit_sasl_authenticated,reject\n";
  return line.str();
}

}  // namespace

PostfixServer::PostfixServer() {
  if (::geteuid() != 0) throw std::runtime_error("the private postfix must be started as root");
  // A free port picked here can be taken by a test running beside this one
  // before postfix binds it; such a start is made again, afresh, twice.
  constexpr int kAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    try {
      Start();
      return;
    } catch (const std::runtime_error&) {
      if (attempt == kAttempts) throw;
    }
  }
}

void PostfixServer::Start() {
  dir_ = MakeTemporaryFolder("lirvan-postfix");
  try {
    // postfix's daemons must reach their folders inside.
    ::chmod(dir_.c_str(), 0755);
    submissionPort_ = FreeLoopbackPort();
    do tlsPort_ = FreeLoopbackPort(); while (tlsPort_ == submissionPort_);
    do plainPort_ = FreeLoopbackPort(); while (plainPort_ == submissionPort_ || plainPort_ == tlsPort_);
    authority_ = MakeTestCertificates(dir_);
    ::chmod((dir_ + "/server.key").c_str(), 0644);
    WriteConfiguration();
    MakeQueue();
    StartAuth();
    StartPostfix();
    WaitUntilReady();
  } catch (...) {
    Stop();
    throw;
  }
}

PostfixServer::~PostfixServer() { Stop(); }

void PostfixServer::Stop() {
  StopDaemon(masterPid_);
  StopDaemon(authPid_);
  if (!dir_.empty()) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    dir_.clear();
  }
}

void PostfixServer::WriteConfiguration() {
  const passwd& postfix = PostfixUser();
  const std::string turkishDomain = QUrl::toAce(QStringLiteral("örnek.tr")).toStdString();
  fs::create_directories(dir_ + "/conf");
  std::ostringstream mailboxes;
  for (const char* box : kMailboxes) {
    mailboxes << box << "@ornek.tr " << box << "/\n" << box << "@" << turkishDomain << " " << box << "/\n";
  }
  WriteFile(dir_ + "/conf/vmailbox", mailboxes.str());
  std::ostringstream main;
  main << "compatibility_level = 3.6\n"
       << "queue_directory = " << dir_ << "/queue\ndata_directory = " << dir_ << "/data\n"
       << "mail_owner = postfix\nsetgid_group = postdrop\n"
       << "maillog_file = " << dir_ << "/postfix.log\nmaillog_file_prefixes = " << dir_ << "\n"
       << "myhostname = smtp.ornek.tr\nmydomain = ornek.tr\nmyorigin = ornek.tr\nmydestination =\n"
       << "inet_interfaces = 127.0.0.1\ninet_protocols = ipv4\nmynetworks = 127.0.0.0/8\n"
       << "relay_domains =\nlocal_transport = error:no local delivery\n"
       << "alias_maps =\nalias_database =\nbiff = no\n"
       // The tests check the client's own headers: postfix adds and
       // rewrites none.
       << "local_header_rewrite_clients =\nalways_add_missing_headers = no\n"
       << "virtual_mailbox_domains = ornek.tr, " << turkishDomain << "\n"
       << "virtual_mailbox_base = " << dir_ << "/mail\n"
       << "virtual_mailbox_maps = texthash:" << dir_ << "/conf/vmailbox\n"
       << "virtual_uid_maps = static:" << postfix.pw_uid << "\n"
       << "virtual_gid_maps = static:" << postfix.pw_gid << "\nvirtual_minimum_uid = 1\n"
       << "smtpd_tls_cert_file = " << dir_ << "/server.crt\n"
       << "smtpd_tls_key_file = " << dir_ << "/server.key\n"
       << "smtpd_tls_security_level = may\nsmtpd_tls_auth_only = yes\n"
       // Refusals come at once: the tests make them on purpose.
       << "smtpd_error_sleep_time = 0\nsmtpd_soft_error_limit = 100\n"
       << "smtpd_sasl_type = dovecot\nsmtpd_sasl_path = " << dir_ << "/run/auth\n";
  WriteFile(dir_ + "/conf/main.cf", main.str());
  std::ostringstream master;
  master << Submission(submissionPort_, "  -o smtpd_tls_security_level=encrypt\n")
         // Only LOGIN here, so that both mechanisms meet a real server.
         << Submission(tlsPort_,
                       "  -o smtpd_tls_wrappermode=yes\n  -o smtpd_sasl_mechanism_filter=login\n")
         << "127.0.0.1:" << plainPort_ << " inet n - n - - smtpd\n"
         << "  -o smtpd_tls_security_level=none\n  -o smtpd_sasl_auth_enable=no\n"
         << "  -o smtpd_recipient_restrictions=permit_mynetworks,reject\n";
  for (const char* service :
       {"postlog unix-dgram n - n - 1 postlogd", "pickup unix n - n 60 1 pickup",
        "cleanup unix n - n - 0 cleanup", "qmgr unix n - n 300 1 qmgr",
        "tlsmgr unix - - n 1000? 1 tlsmgr", "rewrite unix - - n - - trivial-rewrite",
        "bounce unix - - n - 0 bounce", "defer unix - - n - 0 bounce",
        "trace unix - - n - 0 bounce", "verify unix - - n - 1 verify",
        "flush unix n - n 1000? 0 flush", "proxymap unix - - n - - proxymap",
        "smtp unix - - n - - smtp", "showq unix n - n - - showq", "error unix - - n - - error",
        "retry unix - - n - - error", "discard unix - - n - - discard",
        "virtual unix - n n - - virtual", "anvil unix - - n - 1 anvil",
        "scache unix - - n - 1 scache"}) {
    master << service << "\n";
  }
  WriteFile(dir_ + "/conf/master.cf", master.str());
}

// What "postfix check" would make, without its seconds of shell.
void PostfixServer::MakeQueue() {
  const passwd& postfix = PostfixUser();
  const group* postdrop = ::getgrnam("postdrop");
  if (postdrop == nullptr) throw std::runtime_error("the group postdrop is missing");
  const fs::path queue = fs::path(dir_) / "queue";
  fs::create_directories(queue);
  for (const QueueFolder& folder : kQueue) {
    fs::create_directories(queue / folder.name);
    Own(queue / folder.name, folder.postfixOwned ? postfix.pw_uid : 0,
        folder.postdropGroup ? postdrop->gr_gid : 0, folder.mode);
  }
  for (const char* folder : {"data", "mail"}) {
    fs::create_directories(fs::path(dir_) / folder);
    Own(fs::path(dir_) / folder, postfix.pw_uid, postfix.pw_gid, 0700);
  }
}

void PostfixServer::StartAuth() {
  const fs::path auth = fs::path(dir_) / "auth";
  for (const char* sub : {"run", "state"}) fs::create_directories(auth / sub);
  fs::create_directories(fs::path(dir_) / "run");
  WriteFile((auth / "passwd").string(), std::string(kUser) + ":{PLAIN}" + kPassword + "::::\n");
  const std::string user = DaemonUserName("dovecot");
  std::ostringstream conf;
  conf << "base_dir = " << auth.string() << "/run\nstate_dir = " << auth.string() << "/state\n"
       << "instance_name = lirvan-smtp-auth-" << submissionPort_ << "\n"
       << "log_path = " << auth.string() << "/dovecot.log\n"
       << "protocols =\nssl = no\ndisable_plaintext_auth = no\nauth_mechanisms = plain login\n"
       << "auth_failure_delay = 0\n"
       << "default_login_user = " << user << "\ndefault_internal_user = " << user << "\n"
       << "default_internal_group = " << user << "\nfirst_valid_uid = 1\n"
       << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u "
       << auth.string() << "/passwd\n}\n"
       << "userdb {\n  driver = static\n  args = uid=" << user << " gid=" << user
       << " home=" << auth.string() << "\n}\n"
       << "service auth {\n  unix_listener " << dir_ << "/run/auth {\n    mode = 0666\n  }\n}\n"
       << "service anvil {\n  chroot =\n}\n";
  WriteFile((auth / "dovecot.conf").string(), conf.str());
  if (const std::optional<SystemUser> owner = DaemonUser("dovecot")) {
    HandOver(auth.string(), *owner);
    HandOver(dir_ + "/run", *owner);
  }
  authPid_ = LaunchDaemon({"dovecot", "-F", "-c", (auth / "dovecot.conf").string()},
                          DaemonUser("dovecot"));
}

void PostfixServer::StartPostfix() {
  // In the foreground (-s), so that it is this process's child; it starts
  // as root and runs its daemons as postfix.
  masterPid_ = LaunchDaemon({kMaster, "-c", dir_ + "/conf", "-s"}, std::nullopt);
}

void PostfixServer::WaitUntilReady() {
  for (int i = 0; i < 300; ++i) {
    if (!DaemonRunning(authPid_)) throw std::runtime_error("dovecot (auth) could not start:\n" + Log());
    if (!DaemonRunning(masterPid_)) throw std::runtime_error("postfix could not start:\n" + Log());
    if (fs::exists(dir_ + "/run/auth") && FirstLine(plainPort_, "QUIT\r\n").starts_with("220")) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  throw std::runtime_error("postfix did not answer within 15 seconds:\n" + Log());
}

std::vector<std::string> PostfixServer::Mails(const std::string& localPart) const {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(dir_) / "mail" / localPart / "new";
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) files.push_back(entry.path());
  // Maildir names start with the delivery time in seconds; the modification
  // time orders those of one second.
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    std::error_code ignored;
    const auto ta = fs::last_write_time(a, ignored);
    const auto tb = fs::last_write_time(b, ignored);
    return ta != tb ? ta < tb : a < b;
  });
  std::vector<std::string> mails;
  for (const fs::path& file : files) mails.push_back(ReadTextFile(file.string()));
  return mails;
}

std::vector<std::string> PostfixServer::WaitForMails(const std::string& localPart, std::size_t count,
                                                     int milliseconds) const {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    std::vector<std::string> mails = Mails(localPart);
    if (mails.size() >= count) return mails;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return Mails(localPart);
}

std::string PostfixServer::Log() const {
  return ReadTextFile(dir_ + "/postfix.log") + ReadTextFile(dir_ + "/auth/dovecot.log");
}

QByteArray ClientPart(const std::string& delivered) {
  const QByteArray mail = QByteArray::fromStdString(delivered);
  return mail.mid(mail.indexOf("\nFrom: ") + 1);
}

}  // namespace lirvan::test
