#include "editor/text_reading.h"

#include <QTextDocument>

#include "editor/finddialog.h"
#include "editor/replacedialog.h"
#include "editor/rich_text.h"
#include "editor/words.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

namespace {

std::string Heard(const std::string& text) { return LinesAsBlanks(text); }

}  // namespace

TextReading::TextReading(CRichText& richText, Speaker& speaker)
    : m_richText(richText), m_speaker(speaker) {}

bool TextReading::OnCommand(Command command, QWidget* parent) {
  switch (command) {
    case Command::ReadAll: ReadAll(); return true;
    case Command::ReadFromStart: ReadFromStart(); return true;
    case Command::ReadToEnd: ReadToEnd(); return true;
    case Command::ReadSelection: ReadSelection(); return true;
    case Command::WhereAmI: WhereAmI(); return true;
    case Command::Find: Find(parent); return true;
    case Command::GoToFound: NextMatch(); return true;
    case Command::ReadBetweenFinds: ReadBetween(); return true;
    case Command::Replace: Replace(parent); return true;
    default: return false;
  }
}

void TextReading::ReadAll() {
  const std::string text = m_richText.Text();
  if (text.empty()) {
    m_speaker.SpeakAndWait(Cp("Henüz okunacak yazı yok"));
    return;
  }
  m_richText.SetCaretPosition(m_richText.CaretPosition());
  m_richText.SetSelectionLength(0);
  m_speaker.Speak(Plain(Heard(text)));
}

void TextReading::ReadFromStart() {
  const std::string text = m_richText.TextRange(0, m_richText.CaretPosition());
  if (text.empty()) {
    m_speaker.SpeakAndWait(Cp("İşaretçi en başta"));
  } else {
    m_speaker.Speak(Plain(Heard(text)));
  }
}

void TextReading::ReadToEnd() {
  const int caret = m_richText.CaretPosition();
  const int length = m_richText.Length();
  const std::string text = caret == length - 1 ? std::string()
                                               : m_richText.TextRange(caret, length);
  if (text.empty()) {
    m_speaker.Speak(Cp("İşaretçi en sonda"));
  } else {
    m_speaker.Speak(Plain(Heard(text)));
  }
}

void TextReading::ReadSelection() {
  const std::string text = m_richText.SelectedText();
  if (!text.empty()) m_speaker.Speak(Plain(Heard(text)));
}

void TextReading::WhereAmI() {
  const int caret = m_richText.CaretPosition();
  const std::string line = std::to_string(m_richText.LineOfPosition(caret) + 1);
  if (caret == m_richText.Length()) {
    m_speaker.SpeakAndWait(Cp("En sonda"));
    m_speaker.SpeakDirect(line);
    m_speaker.SpeakAndWait(Cp(" numaralı satırda"));
    return;
  }
  if (caret == 0) {
    m_speaker.SpeakAndWait(Cp("En başta"));
    m_speaker.SpeakAndWait(Cp("bir numaralı satırda"));
    return;
  }
  m_speaker.SpeakDirect(line);
  m_speaker.SpeakAndWait(Cp("numaralı satırdasınız"));
  const std::string word = Heard(GetWordAt(m_richText, caret));
  if (word.empty()) {
    m_speaker.SpeakAndWait(Cp("Bir kelimenin üzerinde değilsiniz"));
  } else {
    m_speaker.SpeakAndWait(Plain(word));
    m_speaker.SpeakAndWait(Cp("kelimesinin üzerindesiniz"));
  }
}

// The first match at or after `from`, or -1.
int TextReading::Search(const QString& word, int from) const {
  if (word.isEmpty()) return -1;
  const QTextCursor match = m_richText.document()->find(
      word, m_richText.ToDocument(std::max(from, 0)), QTextDocument::FindCaseSensitively);
  if (match.isNull()) return -1;
  return m_richText.ToPosition(match.selectionStart());
}

void TextReading::AnnounceMatch() {
  m_richText.SetCaretPosition(m_nFoundPos);
  m_speaker.SpeakAndWait(Plain(m_strSearchWord));
  m_speaker.SpeakDirect(std::to_string(m_richText.LineOfPosition(m_nFoundPos) + 1));
  m_speaker.SpeakAndWait(Cp("numaralı satırda bulundu"));
}

void TextReading::Find(QWidget* parent) {
  FindDialog dialog(m_speaker, parent);
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

void TextReading::NextMatch() {
  m_nFoundPos = Search(m_strSearchWord, m_nFoundPos + 1);
  if (m_nFoundPos < 0) {
    m_speaker.SpeakAndWait(Cp("Dosyanın kalanında"));
    m_speaker.SpeakAndWait(Plain(m_strSearchWord));
    m_speaker.SpeakAndWait(Cp("bulunamadı"));
    return;
  }
  AnnounceMatch();
}

void TextReading::ReadBetween() {
  if (m_strSearchWord.isEmpty()) return;
  const int start = m_nFoundPos;
  m_nFoundPos = Search(m_strSearchWord, start + 1);
  if (m_nFoundPos >= 0) {
    m_richText.SetCaretPosition(m_nFoundPos);
    m_speaker.Speak(Plain(LinesAsBlanks(m_richText.TextRange(std::max(start, 0), m_nFoundPos))));
    m_richText.SetCaretPosition(m_nFoundPos);
    return;
  }
  const int length = m_richText.Length();
  m_speaker.Speak(Plain(LinesAsBlanks(m_richText.TextRange(start + 1, length))));
  m_richText.SetCaretPosition(length - 1);
}

void TextReading::Replace(QWidget* parent) {
  ReplaceDialog dialog(m_speaker, parent);
  const QString original = m_richText.UnicodeText();
  dialog.setText(original);
  dialog.exec();
  // The copy comes back in one write, which the user can undo as one step;
  // an unchanged text is not written, so the caret stays.
  if (dialog.text() == original) return;
  const int caret = m_richText.CaretPosition();
  m_richText.ReplaceUnicodeText(dialog.text());
  m_richText.SetCaretPosition(caret);
}

}  // namespace lirvan
