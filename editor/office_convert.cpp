#include "editor/office_convert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "editor/text_file.h"

namespace lirvan {

namespace {

QString FindOffice() {
  for (const char* name : {"soffice", "libreoffice"}) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!found.isEmpty()) return found;
  }
  return QStringLiteral("soffice");
}

// Writer gives UTF-8 text; Calc gives its first sheet with a TAB between
// cells (9), no quotes around cells (an empty delimiter), UTF-8 (76).
QString TargetFilter(OfficeConverter::Suite suite) {
  return suite == OfficeConverter::Suite::Writer
             ? QStringLiteral("txt:Text (encoded):UTF8")
             : QStringLiteral("csv:Text - txt - csv (StarCalc):9,,76,1");
}

}  // namespace

OfficeConverter::OfficeConverter() : program_(FindOffice()) {}

OfficeConverter::~OfficeConverter() = default;

QFileInfo OfficeConverter::Located() const {
  if (program_.isEmpty()) return {};
  return QFileInfo(program_.contains(QLatin1Char('/')) ? program_
                                                        : QStandardPaths::findExecutable(program_));
}

bool OfficeConverter::IsAvailable() const {
  const QFileInfo program = Located();
  return !program.filePath().isEmpty() && program.exists();
}

OfficeConverter::Result OfficeConverter::Convert(const QString& path, Suite suite) {
  const QFileInfo program = Located();
  if (!IsAvailable()) return {Status::NotFound, {}};
  if (!program.isExecutable()) return {Status::CannotStart, {}};
  if (!profile_) profile_ = std::make_unique<QTemporaryDir>();
  QTemporaryDir output;
  if (!profile_->isValid() || !output.isValid()) return {Status::Failed, {}};

  QProcess office;
  office.setProgram(program.absoluteFilePath());
  office.setArguments({QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(profile_->path()).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--norestore"),
                       QStringLiteral("--nologo"), QStringLiteral("--convert-to"),
                       TargetFilter(suite), QStringLiteral("--outdir"), output.path(),
                       QFileInfo(path).absoluteFilePath()});
  office.setProcessChannelMode(QProcess::MergedChannels);
  office.start();
  if (!office.waitForStarted(10000)) return {Status::CannotStart, {}};
  if (!office.waitForFinished(timeoutMs_)) {
    office.kill();
    office.waitForFinished(5000);
    return {Status::TimedOut, {}};
  }
  const QStringList produced = QDir(output.path()).entryList(QDir::Files);
  if (office.exitStatus() != QProcess::NormalExit || produced.isEmpty()) {
    return {Status::Failed, {}};
  }
  QFile file(QDir(output.path()).filePath(produced.front()));
  if (!file.open(QIODevice::ReadOnly)) return {Status::Failed, {}};
  QString text = DecodeTextFile(file.readAll()).text;
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return {Status::Converted, std::move(text)};
}

}  // namespace lirvan
