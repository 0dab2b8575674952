#pragma once
// "Detaylı Posta": the whole raw text of one message, read with the
// editor's reading keys (Ctrl+A all, Ctrl+B to the caret, Ctrl+E from it,
// Ctrl+K the selection, Ctrl+W the line number, Ctrl+D stop); a move up or
// down says the line reached. The reader speaks the summary before it opens.
#include <QDialog>

class QPlainTextEdit;

namespace lirvan {

class Speaker;

class CDetailedMailDialog : public QDialog {
  Q_OBJECT

 public:
  CDetailedMailDialog(Speaker& speaker, const QString& rawText, QWidget* parent = nullptr);
  QPlainTextEdit* textControl() const { return text_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OnReadingKey(int key);
  void SpeakText(const QString& text);

  Speaker& speaker_;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace lirvan
