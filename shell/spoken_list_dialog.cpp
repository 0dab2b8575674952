#include "shell/spoken_list_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/owned.h"
#include "shell/text.h"

namespace lirvan {

SpokenListDialog::SpokenListDialog(std::function<void(const std::string&)> speakLine,
                                   const QString& title, const std::vector<QString>& lines,
                                   QWidget* parent)
    : QDialog(parent), speakLine_(std::move(speakLine)) {
  setWindowTitle(title);
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  list_ = MakeOwnedByParent<QListWidget>(this);
  for (const QString& line : lines) list_->addItem(line);
  layout->addWidget(list_);
  auto* copyAll = MakeOwnedByParent<QPushButton>(QStringLiteral("Tümünü kopyala"), this);
  copyAll->setAutoDefault(false);
  copyAll->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(copyAll);
  connect(copyAll, &QPushButton::clicked, this, [this] {
    QStringList all;
    for (int i = 0; i < list_->count(); ++i) all << list_->item(i)->text();
    QGuiApplication::clipboard()->setText(all.join(QLatin1Char('\n')));
  });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (opened_) SpeakRow(row);
  });
  if (list_->count() > 0) list_->setCurrentRow(0);
  list_->setFocus(Qt::OtherFocusReason);
}

int SpokenListDialog::chosenRow() const { return list_->currentRow(); }

void SpokenListDialog::SpeakRow(int row) {
  if (row < 0 || row >= list_->count()) return;
  speakLine_(ToCp1254(list_->item(row)->text()));
}

void SpokenListDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  if (opening_) opening_();
  SpeakRow(list_->currentRow());
}

void SpokenListDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  if (event->matches(QKeySequence::Copy) && list_->currentItem() != nullptr) {
    QGuiApplication::clipboard()->setText(list_->currentItem()->text());
    speakLine_(Cp("kopyalandı"));
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace lirvan
