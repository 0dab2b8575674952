#pragma once
// Word-processor and spreadsheet documents read through LibreOffice in
// headless mode: `soffice --headless --convert-to ...`, run with an
// argument vector (never a shell), a private profile folder and a time-out.
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace lirvan {

class OfficeConverter {
 public:
  enum class Suite { Writer, Calc };
  enum class Status {
    Converted,
    NotFound,      // no office program
    CannotStart,   // there, but it would not run
    TimedOut,
    Failed,        // it ran but gave no text (a document it cannot open)
  };
  struct Result {
    Status status = Status::Failed;
    QString text;  // '\n' between lines; a spreadsheet: TAB between cells
  };

  // The program is looked for on the PATH ("soffice", then "libreoffice").
  OfficeConverter();
  ~OfficeConverter();

  // Another office program (a test points it at a missing one).
  void SetProgram(QString program) { program_ = std::move(program); }
  const QString& program() const { return program_; }
  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

  // False when there is no office program to run.
  bool IsAvailable() const;
  Result Convert(const QString& path, Suite suite);

 private:
  QFileInfo Located() const;

  QString program_;
  int timeoutMs_ = 120000;
  // One profile for the converter's life: the first start fills it.
  std::unique_ptr<QTemporaryDir> profile_;
};

}  // namespace lirvan
