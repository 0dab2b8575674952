// The browser view's page search: finding a word in the page text and
// reading around it; it works in the "all" reading mode only.
#include "browser/lirvan_view.h"
#include "browser/word_prompts.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

bool CLirvanView::SearchAllowed(const char* refusal) {
  if (m_reading.m_nReadingMode == static_cast<int>(ReadingMode::All)) return true;
  m_speaker.Speak(Cp(refusal));
  return false;
}

void CLirvanView::FindWord() {
  if (!SearchAllowed("arama yapmak için tümünü okuma biçimine geçiniz")) return;
  const std::optional<QString> typed = m_prompts->AskWord(this);
  m_bBackFromDialog = true;
  if (!typed) return;
  if (std::optional<SpeechText> said = m_search.Find(ToCp1254(*typed), m_snapshot.text)) {
    m_speaker.Speak(std::move(*said));
  }
}

void CLirvanView::FindNext() {
  if (!SearchAllowed("tümünü okuma biçimine geçiniz")) return;
  m_speaker.Speak(m_search.FindNext(m_snapshot.text));
}

void CLirvanView::ReadBeforeFound() {
  if (!SearchAllowed("tümünü okuma biçimine geçiniz")) return;
  m_speaker.Speak(m_search.ReadBefore(m_snapshot.text));
}

void CLirvanView::ReadAfterFound() {
  if (!SearchAllowed("tümünü okuma biçimine geçiniz")) return;
  m_speaker.Speak(m_search.ReadAfter(m_snapshot.text));
}

void CLirvanView::ReadBetweenWords() {
  if (!SearchAllowed("tümünü okuma biçimine geçiniz")) return;
  const auto [first, second] = m_prompts->AskTwoWords(this);
  m_bBackFromDialog = true;
  m_speaker.Speak(PageSearch::ReadBetween(ToCp1254(first), ToCp1254(second), m_snapshot.text));
}

}  // namespace lirvan
