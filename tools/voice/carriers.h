#pragma once
// Carriers: words the source engine says with a unit inside, so that the
// unit is cut from speech in context rather than said on its own.
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan::voice {

struct Carrier {
  std::string text;   // one word, CP1254, as the source engine reads it
  std::size_t begin;  // the unit's letters in text: [begin, end)
  std::size_t end;
};

class CarrierChooser {
 public:
  // words: lower-case CP1254 words; inventory: the units to be recorded,
  // which decide how the engine cuts the words into syllables; wholeWords:
  // units the engine says as whole words, carried by themselves.
  CarrierChooser(const std::vector<std::string>& words, const std::vector<std::string>& inventory,
                 const std::vector<std::string>& wholeWords);

  // Carriers to try for a unit, best first: the unit itself when it is a
  // whole word, a real word that holds it as a syllable (inside the word
  // before its start, before its end), then made-up words that hold its
  // sounds between neutral neighbours.
  std::vector<Carrier> For(std::string_view unit) const;

 private:
  struct Found {
    Carrier carrier;
    int rank;  // 0 inside, 1 at the start, 2 at the end
  };
  std::map<std::string, Found, std::less<>> found_;
  std::set<std::string, std::less<>> wholeWords_;
};

// Made-up carriers for a unit: its sounds (w as v, x as ks ...) with a
// vowel before a leading consonant and a consonant-vowel syllable after.
std::vector<Carrier> MadeUpCarriers(std::string_view unit);

// Reads a word list: one word a line, UTF-8, lines starting with # skipped;
// words lowered the Turkish way, those with non-letters left out.
std::vector<std::string> ReadWordList(const std::string& path);

}  // namespace lirvan::voice
