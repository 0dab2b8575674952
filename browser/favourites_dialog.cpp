#include "browser/favourites_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "browser/entry_dialog.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

CFavouritesDialog::CFavouritesDialog(Speaker& speaker, QWidget* parent)
    : QDialog(parent), speaker_(speaker), favourites_(ReadFavourites()) {
  setWindowTitle(QStringLiteral("Sık Kullanılan Adresler"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  list_ = MakeOwnedByParent<QListWidget>(this);
  list_->setObjectName(QStringLiteral("favouritesList"));
  for (const std::string& name : favourites_.names) list_->addItem(FromCp1254(name));
  layout->addWidget(list_);
  layout->addWidget(MakeOkCancel(*this));
  connect(list_, &QListWidget::currentRowChanged, this, &CFavouritesDialog::OnRowChanged);
  connect(list_, &QListWidget::activated, this, &QDialog::accept);
  // Nothing is chosen until the user moves: taking the focus would
  // otherwise choose the first name and cut off the sentence below.
  list_->setCurrentIndex(QModelIndex());
  list_->setFocus(Qt::OtherFocusReason);
  speaker_.Speak(Cp("Yukarı ve Aşağı Yön Tuşlarını Kullanarak Seçiminizi Yapınız"));
}

void CFavouritesDialog::OnRowChanged(int row) {
  if (row < 0) return;
  chosen_ = favourites_.AddressAt(row);
  const std::string& name = favourites_.names[static_cast<std::size_t>(row)];
  // The files begin with an empty line; it is not left silent.
  speaker_.Speak(name.empty() ? SpeechText(Cp("boş satır")) : Plain(name));
}

}  // namespace lirvan
