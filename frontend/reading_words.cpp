// Words that the tokenizer would cut apart: 'Ankara'da', 'T.B.M.M.',
// 'XIV. yüzyıl'.
#include <array>
#include <string>

#include "frontend/lexicon.h"
#include "frontend/reading.h"
#include "speech/units/char_class.h"

namespace lirvan {
namespace {

bool StartsWord(std::string_view text, std::size_t i) {
  return i == 0 || (!IsLetter(text[i - 1]) && !IsDigit(text[i - 1]) && text[i - 1] != '.');
}

int RomanDigit(char c) {
  switch (c) {
    case 'I': return 1;
    case 'V': return 5;
    case 'X': return 10;
    case 'L': return 50;
    case 'C': return 100;
    default: return 0;
  }
}

// The canonical way of writing v (1..399) with I V X L C.
std::string RomanOf(int v) {
  static constexpr std::array<std::pair<int, const char*>, 11> kParts = {{
      {100, "C"}, {90, "XC"}, {50, "L"}, {40, "XL"}, {10, "X"}, {9, "IX"},
      {5, "V"}, {4, "IV"}, {1, "I"}, {0, ""}, {0, ""},
  }};
  std::string out;
  for (const auto& [value, letters] : kParts) {
    while (value > 0 && v >= value) {
      out += letters;
      v -= value;
    }
  }
  return out;
}

// The value of a Roman numeral written the usual way ('XIV'), or 0 for
// anything else ('IIII', 'VX', 'CCCC').
int RomanValue(std::string_view word) {
  int total = 0;
  for (std::size_t k = 0; k < word.size(); ++k) {
    const int d = RomanDigit(word[k]);
    const int next = k + 1 < word.size() ? RomanDigit(word[k + 1]) : 0;
    total += d < next ? -d : d;
  }
  return total > 0 && total < 400 && RomanOf(total) == word ? total : 0;
}

// Words after which a Roman numeral counts centuries: 'XX yüzyıl', 'XV. asır'.
bool IsCenturyWord(const std::string& lower) {
  return lower.starts_with("y\xFCzy\xFDl") || lower.starts_with("as\xFDr") ||
         lower.starts_with("asr") || lower == "yy";
}

// Capitalised words a single-letter numeral stands before: 'I. Dünya Savaşı'.
bool IsNumberedName(std::string_view word) {
  return word == "D\xFCnya" || word == "Me\xFErutiyet";
}

// Letters that are words more often than numbers when a dot follows.
bool IsCommonWord(std::string_view word) {
  return word == "CV" || word == "CC" || word == "CL" || word == "XL";
}

// Letters of other languages that the code page holds, as a Turkish
// reader says them: 'café' is read "cafe", 'señor' "senyor".
constexpr std::pair<std::string_view, const char*> kFolds[] = {
    {"\xC0\xC1\xC3\xC5\xE0\xE1\xE3\xE5", "a"}, {"\xC4\xE4\xC6\xE6", "e"},
    {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e"}, {"\xCC\xCD\xCF\xEC\xED\xEF", "i"},
    {"\xD1\xF1", "ny"}, {"\xD2\xD3\xD4\xD5\xF2\xF3\xF4\xF5", "o"}, {"\xD8\xF8\x8C\x9C", "\xF6"},
    {"\xD9\xDA\xF9\xFA", "u"}, {"\xDF", "ss"}, {"\xFF\x9F", "y"}, {"\x8A\x9A", "\xFE"},
    {"\x83", "f"},
};

struct FoldTable {
  std::array<const char*, 256> turkish{};
};

constexpr FoldTable BuildFolds() {
  FoldTable t;
  for (const auto& [letters, turkish] : kFolds) {
    for (char c : letters) t.turkish[static_cast<unsigned char>(c)] = turkish;
  }
  return t;
}

// Asked for the byte after every word, so a table rather than a search.
constexpr FoldTable kFoldTable = BuildFolds();

// The Turkish letters for a foreign letter, or nothing.
const char* Folded(char c) { return kFoldTable.turkish[static_cast<unsigned char>(c)]; }

// One word, as the lexicon says it or as it is lowered; ends where it ends.
Reading OneWord(std::string_view written, std::string lower, const Lexicon& lexicon) {
  std::string value = lexicon.Lookup(lower);
  Reading r;
  r.words.push_back({value.empty() ? std::move(lower) : std::move(value), std::string(written),
                     TokenKind::Word});
  return r;
}

}  // namespace

bool IsForeignLetter(char c) { return !IsLetter(c) && Folded(c) != nullptr; }

std::optional<Reading> ReadForeignWord(std::string_view text, std::size_t i, const Lexicon& lexicon) {
  std::size_t end = i;
  std::string folded;
  bool foreign = false;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (IsLetter(c)) {
      folded += TurkishLower(c);
    } else if (IsForeignLetter(c)) {
      folded += Folded(c);
      foreign = true;
    } else {
      break;
    }
  }
  if (!foreign) return std::nullopt;
  Reading r = OneWord(text.substr(i, end - i), std::move(folded), lexicon);
  r.end = end;
  return r;
}

std::optional<Reading> ReadSuffixedWord(std::string_view text, std::size_t i,
                                        const Lexicon& lexicon) {
  const std::size_t end = LetterRunEnd(text, i);
  if (end + 1 >= text.size() || !IsApostrophe(text[end]) || !IsLetter(text[end + 1])) {
    return std::nullopt;
  }
  Reading r = OneWord(text.substr(i, end - i), TurkishLower(text.substr(i, end - i)), lexicon);
  r.end = end;
  return r;
}

std::optional<Reading> ReadInitialism(std::string_view text, std::size_t i) {
  if (!StartsWord(text, i)) return std::nullopt;
  std::string letters;
  std::size_t p = i;
  while (p + 1 < text.size() && IsUpperLetter(text[p]) && text[p + 1] == '.') {
    letters += text[p];
    p += 2;
  }
  // 'T.C' without its last dot.
  if (!letters.empty() && p < text.size() && IsUpperLetter(text[p]) &&
      (p + 1 == text.size() || !IsLetter(text[p + 1]))) {
    letters += text[p++];
  }
  if (letters.size() < 2) return std::nullopt;
  Reading r;
  r.end = p;
  SayLetters(r, letters);
  return r;
}

std::optional<Reading> ReadRomanNumeral(std::string_view text, std::size_t i) {
  if (!StartsWord(text, i)) return std::nullopt;
  const std::size_t end = LetterRunEnd(text, i);
  const std::string_view numeral = text.substr(i, end - i);
  const int value = RomanValue(numeral);
  if (value == 0) return std::nullopt;
  const bool dot = end < text.size() && text[end] == '.';
  std::size_t next = dot ? end + 1 : end;
  const bool blankAfterDot = dot && next < text.size() && text[next] == ' ';
  while (next < text.size() && text[next] == ' ') ++next;
  const std::string_view word = text.substr(next, LetterRunEnd(text, next) - next);

  const bool century = !word.empty() && IsCenturyWord(TurkishLower(word));
  const bool dottedNumber = dot && numeral.size() >= 2 && !IsCommonWord(numeral) &&
                            (end + 1 == text.size() || (!IsLetter(text[end + 1]) && !IsDigit(text[end + 1])));
  const bool dottedLetter = blankAfterDot && numeral.size() == 1 && numeral != "L" &&
                            numeral != "C" && !word.empty() &&
                            (IsLowerLetter(word.front()) || IsNumberedName(word));
  if (!century && !dottedNumber && !dottedLetter) return std::nullopt;
  Reading r;
  r.end = dot ? end + 1 : end;
  r.Say(NumberWords(std::to_string(value), true));
  return r;
}

}  // namespace lirvan
