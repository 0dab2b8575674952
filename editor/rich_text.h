#pragma once
// CRichText: the text widget the editor and the mail composer type into,
// with the operations the tools need in the positions they speak of. The
// widget's Unicode text is the truth; the tools see it as CP1254 with CR LF
// between lines, one byte for each character of the widget (a character
// the code page lacks is '?') and two for each line break, so positions map
// both ways without a copy of the text.
#include <QPlainTextEdit>
#include <string>

#include "editor/words.h"

class QPrinter;

namespace lirvan {

class CRichText : public QPlainTextEdit, public CharacterSource {
  Q_OBJECT

 public:
  // Sees every key around the widget's own handling; the typing speech is
  // one. BeforeKey returning true consumes the key.
  class KeyObserver {
   public:
    virtual ~KeyObserver() = default;
    virtual bool BeforeKey(QKeyEvent& event) = 0;
    virtual void AfterKey(QKeyEvent& event) = 0;
  };

  explicit CRichText(QWidget* parent = nullptr);
  void SetKeyObserver(KeyObserver* observer) { observer_ = observer; }

  // CharacterSource: length and characters in CP1254 with CR LF.
  int Length() const override;
  char At(int position) const override;

  std::string Text() const;
  // The characters from `from` up to, not including, `to`.
  std::string TextRange(int from, int to) const;
  std::string SelectedText() const;

  // The caret is the selection's start; setting it collapses the selection.
  int CaretPosition() const;
  void SetCaretPosition(int position);
  // Selects `length` characters from the caret (0 collapses).
  void SetSelectionLength(int length);
  // The line (first 0) of a position.
  int LineOfPosition(int position) const;
  // A line break (CR LF) at the position; the caret goes after it.
  void InsertLineBreak(int position);

  // The widget's text with '\n' between lines, nothing converted.
  QString UnicodeText() const;
  // Replaces the whole text as one step the user can undo.
  void ReplaceUnicodeText(const QString& text);

  int ToDocument(int position) const;
  int ToPosition(int documentPosition) const;

  // Prints the selection, or everything when nothing is selected.
  void Print(QPrinter& printer);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBlock BlockAt(int position) const;

  KeyObserver* observer_ = nullptr;
  // The block last looked up, so that stepping through a word is cheap;
  // forgotten whenever the text changes.
  mutable int cachedBlock_ = -1;
  mutable int cachedStart_ = 0;   // its first position
  mutable int cachedLength_ = 0;  // its characters without the line break
  mutable QString cachedText_;
};

// One widget character as CP1254 ('?' when the code page has none).
char ToCp1254Char(QChar ch);

}  // namespace lirvan
