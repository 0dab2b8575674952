#pragma once
// Cuts a lower-case Turkish word into syllables by its vowel/consonant
// pattern; a short word recorded whole stays one piece.
#include <string>
#include <string_view>

namespace lirvan {

class UnitIndex;

class Syllabifier {
 public:
  static bool IsVowel(char c);
  static bool IsConsonant(char c) { return !IsVowel(c); }
  static int VowelCount(std::string_view s);

  // The syllables joined by "-".
  std::string Syllabify(std::string_view word, const UnitIndex& unitIndex) const;
};

// 1, then per byte: times two plus one for a consonant.
int PatternState(std::string_view syllable);

}  // namespace lirvan
