#include "shell/file_chooser_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <fstream>

#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

FileChooserDialog::FileChooserDialog(Speaker& speaker, QWidget* owner, Mode mode,
                                     const QString& filter)
    : QFileDialog(owner), speaker_(speaker), saveMode_(mode == Mode::Save) {
  setOption(QFileDialog::DontUseNativeDialog);
  // Any name may be typed, so that an unreadable one is refused aloud
  // rather than by a silently disabled button.
  setFileMode(QFileDialog::AnyFile);
  setAcceptMode(saveMode_ ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (!filter.isEmpty()) setNameFilter(filter);
  connect(this, &QFileDialog::currentChanged, this, &FileChooserDialog::OnSelectionChanged);
  connect(this, &QFileDialog::directoryEntered, this, &FileChooserDialog::OnFolderChanged);
  // A typed folder name entered with Return changes the model's root but
  // raises no directoryEntered.
  lastFolder_ = directory().absolutePath();
  if (auto* model = findChild<QFileSystemModel*>()) {
    connect(model, &QFileSystemModel::rootPathChanged, this, &FileChooserDialog::OnFolderChanged);
  }
}

QString FileChooserDialog::chosenPath() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

std::string FileChooserDialog::LastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void FileChooserDialog::OnSelectionChanged(const QString& path) {
  if (path.isEmpty()) return;
  const std::string current = ToCp1254(QFileInfo(path).absoluteFilePath());
  if (current == lastPath_) return;
  const std::string name = ToCp1254(QFileInfo(path).fileName());
  if (name != lastName_) {
    speaker_.SpeakAndWait(Cp("Dosya"));
    speaker_.SpeakAndWait(Plain(name));
    lastPath_ = current;
    lastName_ = name;
  } else {
    speaker_.SpeakAndWait(Cp("Klasör"));
    speaker_.SpeakAndWait(Plain(LastComponent(current)));
  }
}

void FileChooserDialog::OnFolderChanged(const QString& folder) {
  const QString absolute = QDir(folder).absolutePath();
  if (absolute == lastFolder_) return;
  lastFolder_ = absolute;
  SpeakFolder(absolute);
}

void FileChooserDialog::SpeakFolder(const QString& absolute) {
  speaker_.SpeakAndWait(Cp("Klasör"));
  speaker_.SpeakAndWait(Plain(LastComponent(ToCp1254(absolute))));
}

void FileChooserDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  // The folder it opens in is the first thing the user needs to know.
  if (!announced_) {
    announced_ = true;
    SpeakFolder(lastFolder_);
  }
}

void FileChooserDialog::accept() {
  const QString path = chosenPath();
  // Folders are let through: the dialog enters them.
  if (saveMode_ || path.isEmpty() || QFileInfo(path).isDir()) {
    QFileDialog::accept();
    return;
  }
  const QByteArray native = QFile::encodeName(path);
  if (std::ifstream(native.constData()).is_open() && QFileInfo(path).isFile()) {
    QFileDialog::accept();
    return;
  }
  speaker_.SpeakAndWait(Cp("Geçersiz dosya ismi"));
}

}  // namespace lirvan
