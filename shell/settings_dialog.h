#pragma once
// The spoken settings dialog: three check boxes, each announced when it
// takes the focus and when it is toggled; a change applies at once, and the
// file is written when the dialog goes, however it was closed.
#include <QDialog>
#include <array>

class QCheckBox;

namespace lirvan {

class CLirvanApp;

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(CLirvanApp& app, QWidget* parent = nullptr);
  ~SettingsDialog() override;

  enum Box { kGreeting = 0, kEcho = 1, kPunctuation = 2, kCapitals = 3 };
  QCheckBox* box(Box which) const { return boxes_[which]; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SpeakState(Box which);
  void OnClicked(Box which);
  int& Value(Box which);

  CLirvanApp& app_;
  // Exchanged with the boxes.
  int m_nEcho = 0;
  int m_nGreeting = 0;
  int m_nPunctuation = 0;
  int m_nCapitals = 0;  // a later line of the file
  std::array<QCheckBox*, 4> boxes_{};
  int openedAtRate_ = 0;  // the rate is written only when it was changed or is already stored
};

}  // namespace lirvan
