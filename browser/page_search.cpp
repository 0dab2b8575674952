#include "browser/page_search.h"

#include "browser/page_snapshot.h"
#include "speech/units/char_class.h"
#include "shell/text.h"

namespace lirvan {

std::string SearchForm(std::string_view typed) { return TurkishLower(Trim(typed)); }

std::optional<SpeechText> PageSearch::Find(std::string_view typed, const std::string& pageText) {
  m_strSearchWord = SearchForm(typed);
  if (m_strSearchWord.empty()) return std::nullopt;
  const std::size_t p = pageText.find(m_strSearchWord);
  if (p == std::string::npos) {
    m_nFoundPosition = 0;
    return Plain(m_strSearchWord) + Cp(" bulunamadı");
  }
  m_nFoundPosition = p;
  return Plain(m_strSearchWord) + Cp(" bulundu");
}

SpeechText PageSearch::FindNext(const std::string& pageText) {
  // Without a word every position would "match".
  if (m_strSearchWord.empty()) return Cp("Aranacak kelime girilmedi");
  const std::size_t p = pageText.find(m_strSearchWord, m_nFoundPosition + 1);
  if (p == std::string::npos) {
    m_nFoundPosition = 0;
    return Cp("dosyanın kalanında bulunamadı");
  }
  m_nFoundPosition = p;
  return Plain(m_strSearchWord) + Cp(" bulundu");
}

SpeechText PageSearch::ReadBefore(const std::string& pageText) const {
  return Plain(pageText.substr(0, m_nFoundPosition));
}

SpeechText PageSearch::ReadAfter(const std::string& pageText) const {
  return Plain(m_nFoundPosition < pageText.size() ? pageText.substr(m_nFoundPosition)
                                                  : std::string());
}

SpeechText PageSearch::ReadBetween(std::string_view first, std::string_view second,
                                   const std::string& pageText) {
  const std::string w1 = SearchForm(first);
  const std::string w2 = SearchForm(second);
  if (w1.empty() || w2.empty() || w1 == w2) return Cp("uygun kelime girilmedi");
  const std::size_t p1 = pageText.find(w1);
  const std::size_t p2 = pageText.find(w2);
  if (p1 == std::string::npos) return Cp("birinci kelime bulunamadi");
  if (p2 == std::string::npos) return Cp("ikinci kelime bulunamadi");
  // Both words are included, whichever comes first.
  if (p1 < p2) return Plain(pageText.substr(p1, p2 - p1 + w2.size()));
  return Plain(pageText.substr(p2, p1 - p2 + w1.size()));
}

void PageSearch::Reset() {
  m_strSearchWord.clear();
  m_nFoundPosition = 0;
}

}  // namespace lirvan
