#include "tools/voice/carriers.h"

#include <algorithm>
#include <fstream>

#include "platform/cp1254.h"
#include "speech/units/char_class.h"
#include "speech/units/letter_sounds.h"
#include "speech/units/syllabifier.h"
#include "speech/units/unit_index.h"

namespace lirvan::voice {
namespace {

int RankOf(std::size_t syllable, std::size_t count) {
  if (syllable > 0 && syllable + 1 < count) return 0;
  return syllable == 0 ? 1 : 2;
}

// Better: a lower rank, then a shorter word.
bool Better(const Carrier& carrier, int rank, const Carrier& than, int thanRank) {
  if (rank != thanRank) return rank < thanRank;
  return carrier.text.size() < than.text.size();
}

}  // namespace

CarrierChooser::CarrierChooser(const std::vector<std::string>& words,
                               const std::vector<std::string>& inventory,
                               const std::vector<std::string>& wholeWords)
    : wholeWords_(wholeWords.begin(), wholeWords.end()) {
  UnitIndex index;
  for (const std::string& unit : inventory) index.Store(unit, 0, 1);
  const Syllabifier syllabifier;
  for (const std::string& word : words) {
    const std::string cut = syllabifier.Syllabify(word, index);
    if (cut.size() != word.size() + static_cast<std::size_t>(std::count(cut.begin(), cut.end(), '-'))) {
      continue;  // spelled letter by letter: not the word's own syllables
    }
    std::vector<std::string_view> syllables;
    for (std::size_t start = 0; start <= cut.size();) {
      const std::size_t dash = std::min(cut.find('-', start), cut.size());
      syllables.push_back(std::string_view(cut).substr(start, dash - start));
      start = dash + 1;
    }
    if (syllables.size() < 2) continue;
    std::size_t at = 0;
    for (std::size_t k = 0; k < syllables.size(); ++k) {
      const Carrier carrier{word, at, at + syllables[k].size()};
      const int rank = RankOf(k, syllables.size());
      at += syllables[k].size();
      const std::string unit(syllables[k]);
      auto it = found_.find(unit);
      if (it == found_.end()) {
        found_.emplace(unit, Found{carrier, rank});
      } else if (Better(carrier, rank, it->second.carrier, it->second.rank)) {
        it->second = Found{carrier, rank};
      }
    }
  }
}

std::vector<Carrier> CarrierChooser::For(std::string_view unit) const {
  std::vector<Carrier> out;
  // A short word with one vowel (bir, bu) is a syllable of longer words
  // far more often than a word of its own: it is carried like one.
  if (wholeWords_.contains(unit) && (unit.size() == 4 || Syllabifier::VowelCount(unit) > 1)) {
    out.push_back(Carrier{std::string(unit), 0, unit.size()});
  }
  if (auto it = found_.find(unit); it != found_.end()) out.push_back(it->second.carrier);
  for (Carrier& c : MadeUpCarriers(unit)) out.push_back(std::move(c));
  return out;
}

std::vector<Carrier> MadeUpCarriers(std::string_view unit) {
  const std::string sounds = LetterSounds(unit);
  if (sounds.empty()) return {};
  char vowel = 'a';
  for (char c : sounds) {
    if (Syllabifier::IsVowel(c)) {
      vowel = c;
      break;
    }
  }
  std::vector<Carrier> out;
  for (char before : {vowel, 'a', 'e'}) {
    const std::string prefix = Syllabifier::IsVowel(sounds.front()) ? "" : std::string(1, before);
    for (char after : {'t', 'l', 'k'}) {
      if (after == sounds.back()) continue;  // a doubled consonant is said as one
      const std::string text = prefix + sounds + after + vowel;
      if (std::none_of(out.begin(), out.end(), [&](const Carrier& c) { return c.text == text; })) {
        out.push_back(Carrier{text, prefix.size(), prefix.size() + sounds.size()});
      }
    }
  }
  return out;
}

std::vector<std::string> ReadWordList(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line.front() == '#') continue;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    const std::string word = TurkishLower(Utf8ToCp1254(line));
    if (!word.empty() && std::all_of(word.begin(), word.end(), IsLetter)) words.push_back(word);
  }
  return words;
}

}  // namespace lirvan::voice
