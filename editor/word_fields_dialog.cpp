#include "editor/word_fields_dialog.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>

#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

WordFieldsDialog::WordFieldsDialog(Speaker& speaker, QWidget* parent, const char* caption,
                                   const std::vector<Field>& fields)
    : QDialog(parent), speaker_(speaker) {
  setWindowTitle(QString::fromUtf8(caption));
  auto* layout = MakeOwnedByParent<QFormLayout>(this);
  for (const Field& field : fields) {
    auto* edit = MakeOwnedByParent<QLineEdit>(this);
    edit->setObjectName(QString::fromUtf8(field.objectName));
    edit->setMinimumWidth(280);
    layout->addRow(QString::fromUtf8(field.label), edit);
    const std::string announcement = Cp(field.announcement);
    OnFocusIn(edit, [this, announcement] { speaker_.Speak(announcement); });
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      if (!text.isEmpty()) speaker_.SpeakCharacter(LastCp1254Character(text));
    });
    fields_.push_back(edit);
  }
  if (!fields_.empty()) fields_.front()->setFocus(Qt::OtherFocusReason);
}

QLineEdit* WordFieldsDialog::field(int index) const {
  return fields_.at(static_cast<std::size_t>(index));
}

QString WordFieldsDialog::fieldText(int index) const { return field(index)->text(); }

void WordFieldsDialog::keyPressEvent(QKeyEvent* event) {
  // There is no button to find without sight: Enter is the OK.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace lirvan
