#include "mail/detailed_mail_dialog.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

CDetailedMailDialog::CDetailedMailDialog(Speaker& speaker, const QString& rawText, QWidget* parent)
    : QDialog(parent), speaker_(speaker) {
  setWindowTitle(QStringLiteral("Detaylı Posta"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  text_ = MakeOwnedByParent<QPlainTextEdit>(this);
  text_->setObjectName(QStringLiteral("detailText"));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  text_->setPlainText(rawText);
  text_->installEventFilter(this);
  layout->addWidget(text_);
  resize(640, 480);
  text_->setFocus(Qt::OtherFocusReason);
}

bool CDetailedMailDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != text_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() == Qt::ControlModifier && OnReadingKey(key->key())) return true;
  if (key->modifiers() == Qt::NoModifier &&
      (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
    QTextCursor cursor = text_->textCursor();
    cursor.movePosition(key->key() == Qt::Key_Up ? QTextCursor::Up : QTextCursor::Down);
    text_->setTextCursor(cursor);
    const QString line = cursor.block().text();
    if (line.trimmed().isEmpty()) {
      speaker_.Speak(Cp("Boş satır"));
    } else {
      SpeakText(line);
    }
    return true;
  }
  return false;
}

bool CDetailedMailDialog::OnReadingKey(int key) {
  const QString all = text_->toPlainText();
  const QTextCursor cursor = text_->textCursor();
  switch (key) {
    case Qt::Key_A:
      SpeakText(all);
      return true;
    case Qt::Key_B:
      SpeakText(all.left(cursor.position()));
      return true;
    case Qt::Key_E:
      SpeakText(all.mid(cursor.position()));
      return true;
    case Qt::Key_K:
      SpeakText(cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char(' ')));
      return true;
    case Qt::Key_W:
      speaker_.SpeakDirect(std::to_string(cursor.blockNumber() + 1));
      speaker_.SpeakAndWait(Cp("numaralı satırdasınız"));
      return true;
    case Qt::Key_D:
      speaker_.StopSpeaking();
      return true;
    default:
      return false;
  }
}

void CDetailedMailDialog::SpeakText(const QString& text) {
  QString flat = text;
  flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (flat.trimmed().isEmpty()) return;
  speaker_.Speak(Plain(flat));
}

}  // namespace lirvan
