#pragma once
// What the user hears while typing into a CRichText and moving in it:
// the echo, the word before Space and Enter, "Sil", the clipboard keys,
// every movement, what a Shift selection covered and what an undo took
// back. Attach it to any CRichText (the editor's, the mail composer's);
// it speaks through the host and follows its echo and capitals settings.
#include <QString>
#include <string>

#include "editor/rich_text.h"
#include "shell/commands.h"

namespace lirvan {

class Speaker;
class ToolHost;

class TypingSpeech : public CRichText::KeyObserver {
 public:
  TypingSpeech(CRichText& richText, ToolHost& host);
  ~TypingSpeech() override;
  TypingSpeech(const TypingSpeech&) = delete;
  TypingSpeech& operator=(const TypingSpeech&) = delete;

  bool BeforeKey(QKeyEvent& event) override;
  void AfterKey(QKeyEvent& event) override;

  // The table's editing keys beyond the widget's own: undo, the clipboard
  // commands and the word moves. False for any other command.
  bool OnCommand(Command command);

  enum class ClipboardAction { Copy, Cut, Paste };
  // The clipboard commands outside the widget's keys (Ctrl+Insert ...):
  // the action, then what it is heard as.
  void RunClipboardCommand(ClipboardAction action);
  // Undo, heard as what it took back.
  void Undo();
  // Ctrl+Left / Ctrl+Right: to the previous or next word, which is said.
  void MoveWord(bool forward);

  // The clipboard's text after the last copy, cut or paste (CP1254).
  const std::string& clipboardText() const { return m_strClipboard; }

  // One character by name, "büyük" first for a capital when that is on.
  void SpeakCharacter(QChar ch);
  // A word (CR never heard): by name when it is one character long.
  void SpeakWord(std::string word);

 private:
  enum class Kind { Enter, Clipboard, Space, Backspace, Delete, Move, Other };
  Kind Classify(const QKeyEvent& event, ClipboardAction& action) const;
  void SpeakWordBeforeCaret();
  void OnEnter();
  void AfterClipboard(ClipboardAction action);
  void AfterMove(const QKeyEvent& event);
  void SpeakSelectionChange();
  void SpeakCaretCharacter();
  void SpeakCaretLine();
  void SpeakDeleted();
  QString DeletedByKey(bool backspace) const;

  CRichText& m_richText;
  ToolHost& m_host;
  Speaker& m_speaker;
  std::string m_strClipboard;
  // Taken before the widget handles a key, compared after.
  Kind pending_ = Kind::Other;
  ClipboardAction pendingClipboard_ = ClipboardAction::Copy;
  int caretBefore_ = 0;   // widget positions
  int anchorBefore_ = 0;
  QString deleted_;
};

}  // namespace lirvan
