#pragma once
// The small spoken dialogs that collect one or two words: every field says
// what it is for when it takes the focus and speaks its last character as
// it is typed (always, whatever the echo setting), and Enter ends the
// dialog with the OK result. Find, replace and read-between are built on
// it; the browser and the mail composer use them without the editor.
#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;

namespace lirvan {

class Speaker;

class WordFieldsDialog : public QDialog {
  Q_OBJECT

 public:
  struct Field {
    const char* label;         // shown beside the field (UTF-8)
    const char* announcement;  // spoken when it takes the focus (UTF-8)
    const char* objectName;    // for tests and accessibility
  };

  QLineEdit* field(int index) const;
  QString fieldText(int index) const;

 protected:
  WordFieldsDialog(Speaker& speaker, QWidget* parent, const char* caption,
                   const std::vector<Field>& fields);

  void keyPressEvent(QKeyEvent* event) override;
  Speaker& speaker() const { return speaker_; }

 private:
  Speaker& speaker_;
  std::vector<QLineEdit*> fields_;
};

}  // namespace lirvan
