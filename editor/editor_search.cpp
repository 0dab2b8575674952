// The editor's find, next match, read between two matches and replace.
// Searches are exact and case-sensitive, in the widget's own text.
#include <QTextDocument>

#include "editor/editor.h"
#include "editor/finddialog.h"
#include "editor/replacedialog.h"
#include "editor/rich_text.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

// The first match at or after `from`, or -1.
int Editor::Search(const QString& word, int from) const {
  if (word.isEmpty()) return -1;
  const QTextCursor match = m_richText->document()->find(
      word, m_richText->ToDocument(std::max(from, 0)), QTextDocument::FindCaseSensitively);
  if (match.isNull()) return -1;
  return m_richText->ToPosition(match.selectionStart());
}

void Editor::AnnounceMatch() {
  m_richText->SetCaretPosition(m_nFoundPos);
  m_speaker.SpeakAndWait(Plain(m_strSearchWord));
  m_speaker.SpeakDirect(std::to_string(m_richText->LineOfPosition(m_nFoundPos) + 1));
  m_speaker.SpeakAndWait(Cp("numaralı satırda bulundu"));
}

void Editor::Find() {
  FindDialog dialog(m_speaker, this);
  if (dialog.exec() != QDialog::Accepted) return;
  m_strSearchWord = dialog.word();
  if (m_strSearchWord.isEmpty()) {
    // An empty word would be "found" everywhere.
    m_nFoundPos = -1;
    m_speaker.Speak(Cp("Aranacak kelimeyi girmediniz"));
    return;
  }
  m_nFoundPos = Search(m_strSearchWord, 0);
  if (m_nFoundPos < 0) {
    m_speaker.SpeakAndWait(Plain(m_strSearchWord));
    m_speaker.Speak(Cp("bulunamadı"));
    return;
  }
  AnnounceMatch();
}

void Editor::NextMatch() {
  m_nFoundPos = Search(m_strSearchWord, m_nFoundPos + 1);
  if (m_nFoundPos < 0) {
    m_speaker.SpeakAndWait(Cp("Dosyanın kalanında"));
    m_speaker.SpeakAndWait(Plain(m_strSearchWord));
    m_speaker.SpeakAndWait(Cp("bulunamadı"));
    return;
  }
  AnnounceMatch();
}

void Editor::ReadBetween() {
  if (m_strSearchWord.isEmpty()) return;
  const int start = m_nFoundPos;
  m_nFoundPos = Search(m_strSearchWord, start + 1);
  if (m_nFoundPos >= 0) {
    m_richText->SetCaretPosition(m_nFoundPos);
    m_speaker.Speak(Plain(LinesAsBlanks(m_richText->TextRange(std::max(start, 0), m_nFoundPos))));
    m_richText->SetCaretPosition(m_nFoundPos);
    return;
  }
  const int length = m_richText->Length();
  m_speaker.Speak(Plain(LinesAsBlanks(m_richText->TextRange(start + 1, length))));
  m_richText->SetCaretPosition(length - 1);
}

void Editor::Replace() {
  ReplaceDialog dialog(m_speaker, this);
  const QString original = m_richText->UnicodeText();
  dialog.setText(original);
  dialog.exec();
  // The copy comes back in one write, which the user can undo as one step;
  // an unchanged text is not written, so the caret stays.
  if (dialog.text() == original) return;
  const int caret = m_richText->CaretPosition();
  m_richText->ReplaceUnicodeText(dialog.text());
  m_richText->SetCaretPosition(caret);
}

}  // namespace lirvan
