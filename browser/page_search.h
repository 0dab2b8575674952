#pragma once
// Search on a page: finding a word in the stored page text (trimmed and
// lower-cased at load), stepping to its next occurrence, and the text
// before or after the found word, or between two words. Searches are exact
// substring searches; the typed words are lower-cased the same way.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "shell/speech_text.h"

namespace lirvan {

class PageSearch {
 public:
  // What FindWord says for the word typed in the find dialog; nothing for
  // an empty word.
  std::optional<SpeechText> Find(std::string_view typed, const std::string& pageText);
  SpeechText FindNext(const std::string& pageText);
  SpeechText ReadBefore(const std::string& pageText) const;
  SpeechText ReadAfter(const std::string& pageText) const;
  static SpeechText ReadBetween(std::string_view first, std::string_view second,
                                const std::string& pageText);
  void Reset();

  const std::string& word() const { return m_strSearchWord; }
  std::size_t foundPosition() const { return m_nFoundPosition; }

 private:
  std::string m_strSearchWord;
  std::size_t m_nFoundPosition = 0;  // 0 also when nothing was found
};

// A typed word as it is searched: trimmed, lower-cased the Turkish way.
std::string SearchForm(std::string_view typed);

}  // namespace lirvan
