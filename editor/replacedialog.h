#pragma once
// "Kelime Değiştir": the word to replace and the new word. The caller gives
// the dialog the text, runs it and takes the text back; however the dialog
// is closed (Enter, Escape, the window's close), every occurrence of the
// old word is replaced and the count is spoken.
#include "editor/word_fields_dialog.h"

namespace lirvan {

// Replaces every occurrence of oldWord, left to right and without overlap;
// returns how many were replaced. An empty oldWord replaces nothing.
int ReplaceAll(QString& text, const QString& oldWord, const QString& newWord);

class ReplaceDialog : public WordFieldsDialog {
  Q_OBJECT

 public:
  explicit ReplaceDialog(Speaker& speaker, QWidget* parent = nullptr);

  void setText(QString text) { m_strText = std::move(text); }
  const QString& text() const { return m_strText; }
  QString oldWord() const { return fieldText(0); }
  QString newWord() const { return fieldText(1); }
  // Replacements made when the dialog closed (-1 before, or when a word
  // was missing).
  int replacements() const { return replacements_; }

 public slots:
  void done(int result) override;

 private:
  void Replace();

  QString m_strText;  // the copy of the caller's text
  int replacements_ = -1;
  bool replaced_ = false;
};

}  // namespace lirvan
