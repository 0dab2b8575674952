#pragma once
// The spoken file chooser: Qt's own (non-native) file dialog, speaking the
// file or folder the selection moves to and every folder it enters, and in
// open mode refusing a name that is not a readable file.
#include <QFileDialog>
#include <string>

namespace lirvan {

class Speaker;

class FileChooserDialog : public QFileDialog {
  Q_OBJECT

 public:
  enum class Mode { Open, Save };
  FileChooserDialog(Speaker& speaker, QWidget* owner, Mode mode, const QString& filter = {});

  // The full path chosen, after an accepted run.
  QString chosenPath() const;

  // The characters after the last '/' (empty for a path ending in '/').
  static std::string LastComponent(const std::string& path);

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  void accept() override;

 private:
  void OnSelectionChanged(const QString& path);
  void OnFolderChanged(const QString& folder);
  void SpeakFolder(const QString& absolute);

  Speaker& speaker_;
  bool saveMode_;
  std::string lastPath_;    // CP1254, the file last announced
  std::string lastName_;
  QString lastFolder_;      // so one folder change is said once
  bool announced_ = false;  // the folder it opened in has been said
};

}  // namespace lirvan
