#include "browser/entry_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

const CEntryDialog::Texts CEntryDialog::kAddress{"Adres Çubuğu", "", "Adres Giriniz"};
const CEntryDialog::Texts CEntryDialog::kAddFavourite{
    "Sık Kullanılanlara Ekle", "İsim", "Favorinize eklemek için sayfa isimi giriniz"};

CEntryDialog::CEntryDialog(Speaker& speaker, const Texts& texts, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(texts.caption));
  auto* layout = MakeOwnedByParent<QFormLayout>(this);
  field_ = MakeOwnedByParent<QLineEdit>(this);
  field_->setObjectName(QStringLiteral("entryField"));
  if (*texts.label != '\0') {
    layout->addRow(QString::fromUtf8(texts.label), field_);
  } else {
    layout->addRow(field_);
  }
  layout->addRow(MakeOkCancel(*this));
  connect(field_, &QLineEdit::textChanged, this, [&speaker](const QString& text) {
    if (!text.isEmpty()) speaker.SpeakCharacter(LastCp1254Character(text));
  });
  speaker.Speak(Cp(texts.spoken));
  field_->setFocus(Qt::OtherFocusReason);
}

QString CEntryDialog::text() const { return field_->text(); }

QDialogButtonBox* MakeOkCancel(QDialog& dialog) {
  auto* buttons = MakeOwnedByParent<QDialogButtonBox>(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace lirvan
