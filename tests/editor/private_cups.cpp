#include "private_cups.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

namespace lirvan::test {

namespace {

bool WriteText(const QString& path, const QString& text, QFile::Permissions permissions = {}) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.toUtf8());
  file.close();
  return permissions == QFile::Permissions{} || file.setPermissions(permissions);
}

// The backend is run by the scheduler as its unprivileged user; the folders
// it writes to are open to it.
constexpr QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                     QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
constexpr QFile::Permissions kReadable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                         QFile::ExeOther;

}  // namespace

PrivateCups::PrivateCups() {
  if (!dir_.isValid() || !WriteConfiguration()) {
    error_ = "cannot write the CUPS configuration";
    return;
  }
  qputenv("CUPS_SERVER", QDir(dir_.path()).filePath(QStringLiteral("cups.sock")).toUtf8());
  daemon_.setProcessChannelMode(QProcess::MergedChannels);
  daemon_.start(QStringLiteral("/usr/sbin/cupsd"),
                {QStringLiteral("-f"), QStringLiteral("-c"), dir_.filePath(QStringLiteral("root/cupsd.conf")),
                 QStringLiteral("-s"), dir_.filePath(QStringLiteral("root/cups-files.conf"))});
  if (!daemon_.waitForStarted(10000)) {
    error_ = "cupsd did not start (the cups package): " + daemon_.errorString().toStdString();
    return;
  }
  started_ = WaitUntilReady();
  if (!started_) error_ = "cupsd never answered: " + daemon_.readAll().toStdString();
}

PrivateCups::~PrivateCups() {
  if (daemon_.state() != QProcess::NotRunning) {
    daemon_.terminate();
    if (!daemon_.waitForFinished(10000)) {
      daemon_.kill();
      daemon_.waitForFinished(5000);
    }
  }
  qunsetenv("CUPS_SERVER");
}

bool PrivateCups::WriteConfiguration() {
  const QDir root(dir_.path());
  for (const char* sub : {"root", "spool", "cache", "state", "logs", "out", "bin/backend"}) {
    if (!root.mkpath(QString::fromLatin1(sub))) return false;
  }
  QFile::setPermissions(dir_.path(), kReadable);
  QFile::setPermissions(root.filePath(QStringLiteral("out")), kOpen);
  QFile::setPermissions(root.filePath(QStringLiteral("bin")), kReadable);
  QFile::setPermissions(root.filePath(QStringLiteral("bin/backend")), kReadable);
  // The distribution's filters and helpers; the backends are ours alone.
  for (const char* sub : {"filter", "daemon", "cgi-bin", "notifier"}) {
    QFile::link(QStringLiteral("/usr/lib/cups/") + QString::fromLatin1(sub),
                root.filePath(QStringLiteral("bin/") + QString::fromLatin1(sub)));
  }
  const QString p = dir_.path();
  const bool written =
      WriteText(root.filePath(QStringLiteral("root/cupsd.conf")),
                "Listen " + p + "/cups.sock\nLogLevel info\nBrowsing No\nWebInterface No\n"
                "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
                "  </Limit>\n</Policy>\n") &&
      WriteText(root.filePath(QStringLiteral("root/cups-files.conf")),
                "ServerRoot " + p + "/root\nServerBin " + p + "/bin\nRequestRoot " + p +
                    "/spool\nCacheDir " + p + "/cache\nStateDir " + p + "/state\nTempDir " + p +
                    "/spool\nErrorLog " + p + "/logs/error_log\nAccessLog " + p +
                    "/logs/access_log\nPageLog " + p + "/logs/page_log\nSystemGroup root\n"
                    "Printcap " + p + "/state/printcap\n") &&
      WriteText(root.filePath(QStringLiteral("bin/backend/tofile")),
                QStringLiteral("#!/bin/sh\n"
                               "# tofile:/path: each job written whole to that file.\n"
                               "if [ $# -eq 0 ]; then echo 'direct tofile \"Unknown\" \"File\"'; exit 0; fi\n"
                               "out=${DEVICE_URI#tofile:}\n"
                               "if [ $# -ge 6 ]; then cat \"$6\" >\"$out.part\"; else cat >\"$out.part\"; fi\n"
                               "mv \"$out.part\" \"$out\"\n"),
                kReadable);
  return written;
}

bool PrivateCups::Run(const QString& program, const QStringList& arguments, QString* output) {
  QProcess command;
  command.setProcessChannelMode(QProcess::MergedChannels);
  command.start(program, arguments);
  if (!command.waitForFinished(30000)) {
    command.kill();
    command.waitForFinished(5000);
    return false;
  }
  if (output != nullptr) *output = QString::fromUtf8(command.readAll());
  return command.exitStatus() == QProcess::NormalExit && command.exitCode() == 0;
}

QString PrivateCups::OutputFolder() const {
  return QDir(dir_.path()).filePath(QStringLiteral("out"));
}

std::string PrivateCups::Log() const {
  QFile log(QDir(dir_.path()).filePath(QStringLiteral("logs/error_log")));
  return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
}

bool PrivateCups::WaitUntilReady() {
  for (int i = 0; i < 100; ++i) {
    if (daemon_.state() == QProcess::NotRunning) return false;
    if (QFile::exists(QDir(dir_.path()).filePath(QStringLiteral("cups.sock"))) &&
        Run(QStringLiteral("lpstat"), {QStringLiteral("-r")})) {
      return true;
    }
    QThread::msleep(100);
  }
  return false;
}

bool PrivateCups::AddDefaultFilePrinter(const QString& name, const QString& file) {
  return Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"),
                                         QStringLiteral("-v"), QStringLiteral("tofile:") + file,
                                         QStringLiteral("-m"), QStringLiteral("raw")}) &&
         Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

}  // namespace lirvan::test
