#pragma once
// What the private mail servers of the tests share: a throw-away folder,
// free loopback ports, a certificate authority made for the run with a
// server certificate for localhost and 127.0.0.1, and a daemon started in
// the foreground (as an unprivileged user when the tests run as root) that
// the kernel stops if the test program dies.
#include <QSslCertificate>
#include <QStringList>
#include <optional>
#include <string>

#include <sys/types.h>

namespace lirvan::test {

void WriteFile(const std::string& path, const std::string& content);
std::string ReadTextFile(const std::string& path);

// A folder under the system's temporary folder; throws when it cannot.
std::string MakeTemporaryFolder(const std::string& prefix);

int FreeLoopbackPort();

// Makes the process's default TLS configuration trust the authority too
// (what the client's sockets start from), or only the system's again.
void TrustTestAuthority(const QSslCertificate& authority);
void TrustSystemOnly();

// Runs a program to its end; throws with its error output when it fails.
void RunProgram(const QString& program, const QStringList& args, const std::string& dir);

// ca.crt, ca.key, server.crt, server.key in dir; the authority returned.
QSslCertificate MakeTestCertificates(const std::string& dir);

struct SystemUser {
  uid_t uid;
  gid_t gid;
};
// The user a daemon runs as: the named system user when the tests run as
// root, nobody else otherwise.
std::optional<SystemUser> DaemonUser(const char* name);
// That user's name, or the current user's.
std::string DaemonUserName(const char* name);
// Hands every file of the folder (and the folder) to the user.
void HandOver(const std::string& dir, const SystemUser& user);

// fork and exec, as `user` when given; the child gets SIGTERM when this
// process dies.
pid_t LaunchDaemon(const std::vector<std::string>& argv, std::optional<SystemUser> user);
// SIGTERM, then SIGKILL after five seconds; the pid becomes -1.
void StopDaemon(pid_t& pid);
// True while the process runs; reaps it when it has ended.
bool DaemonRunning(pid_t& pid);

// The first line a server on the loopback port sends, or empty.
std::string FirstLine(int port, const char* goodbye);

}  // namespace lirvan::test
