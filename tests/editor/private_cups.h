#pragma once
// A private CUPS scheduler for printing tests: a throw-away configuration
// in a temporary folder, listening on a socket there only, with one
// backend of its own that writes each job to a file. Started before the
// tests, stopped after them, pass or fail; CUPS_SERVER points this process
// (and Qt's print support in it) at it.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace lirvan::test {

class PrivateCups {
 public:
  // Starts the scheduler and waits until it answers; started() is false
  // (with the reason in error()) when it could not be started.
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  bool started() const { return started_; }
  const std::string& error() const { return error_; }

  // A printer that writes its jobs to `file`, made the default.
  bool AddDefaultFilePrinter(const QString& name, const QString& file);
  // A folder the backend may write jobs into.
  QString OutputFolder() const;
  // The scheduler's error log, for a failing test to show.
  std::string Log() const;
  // Runs one of CUPS's own commands against this scheduler.
  bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr);

 private:
  bool WriteConfiguration();
  bool WaitUntilReady();

  QTemporaryDir dir_;
  QProcess daemon_;
  bool started_ = false;
  std::string error_;
};

}  // namespace lirvan::test
