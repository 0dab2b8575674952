#include "editor/replacedialog.h"

#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

int ReplaceAll(QString& text, const QString& oldWord, const QString& newWord) {
  if (oldWord.isEmpty()) return 0;
  // QString::count counts overlapping matches; this walks as replace does.
  QString result;
  int count = 0;
  qsizetype from = 0;
  for (qsizetype at = text.indexOf(oldWord, 0); at >= 0; at = text.indexOf(oldWord, from)) {
    result += QStringView(text).mid(from, at - from);
    result += newWord;
    from = at + oldWord.size();
    ++count;
  }
  if (count == 0) return 0;
  result += QStringView(text).mid(from);
  text = std::move(result);
  return count;
}

ReplaceDialog::ReplaceDialog(Speaker& speaker, QWidget* parent)
    : WordFieldsDialog(speaker, parent, "Kelime Değiştir",
                       {{"Aranacak kelime", "Eski kelime", "oldWord"},
                        {"Yeni kelime", "Yeni kelime", "newWord"}}) {}

void ReplaceDialog::done(int result) {
  // Closing in any way replaces, Escape included; once only.
  if (!replaced_) {
    replaced_ = true;
    Replace();
  }
  WordFieldsDialog::done(result);
}

void ReplaceDialog::Replace() {
  if (oldWord().isEmpty()) {
    speaker().Speak(Cp("Aranacak kelimeyi girmediniz"));
    return;
  }
  if (newWord().isEmpty()) {
    speaker().Speak(Cp("Yeni kelimeyi girmediniz"));
    return;
  }
  replacements_ = ReplaceAll(m_strText, oldWord(), newWord());
  if (replacements_ > 0) {
    speaker().SpeakDirect(std::to_string(replacements_));
    speaker().SpeakAndWait(Cp("tane değişim yapıldı"));
  } else {
    speaker().Speak(Cp("Hiç değiştirme yapılmadı"));
  }
}

}  // namespace lirvan
