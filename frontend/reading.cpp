#include "frontend/reading.h"

#include <algorithm>

#include "frontend/symbols.h"
#include "speech/units/char_class.h"
#include "speech/units/syllabifier.h"

namespace lirvan {
namespace {

constexpr char kRightQuote = '\x92';  // ’, typed for an apostrophe too
constexpr char kNoBreakSpace = '\xA0';
constexpr char kSoftHyphen = '\xAD';

bool IsRomanLetter(char c) {
  return c == 'I' || c == 'V' || c == 'X' || c == 'L' || c == 'C';
}

bool AllRoman(std::string_view word) {
  for (char c : word) {
    if (!IsRomanLetter(c)) return false;
  }
  return true;
}

// Signs that may stand right in front of a number and belong to it.
bool IsNumberSign(char c) {
  switch (static_cast<unsigned char>(c)) {
    case '-': case '+': case '%': case '$':
    case 0x80: case 0x89: case 0xA3: case 0xA5: case 0xA7: case 0xB1:  // € ‰ £ ¥ § ±
      return true;
    default:
      return false;
  }
}

std::optional<Reading> AtLetter(std::string_view text, std::size_t i, const Lexicon& lexicon) {
  const std::size_t end = LetterRunEnd(text, i);
  const char next = end < text.size() ? text[end] : '\0';
  // Most words end at a blank or a comma and are not Roman numerals.
  if ((next == ' ' || next == ',') && !IsRomanLetter(text[i])) return std::nullopt;
  if (next == '.' || next == '@' || next == ':' || next == '-' || next == '_' || IsDigit(next)) {
    if (auto address = ReadAddress(text, i, lexicon)) return address;
  }
  if (next == '.' && IsUpperLetter(text[i])) {
    if (auto initialism = ReadInitialism(text, i)) return initialism;
  }
  if (AllRoman(text.substr(i, end - i))) {
    if (auto roman = ReadRomanNumeral(text, i)) return roman;
  }
  if (IsForeignLetter(next)) return ReadForeignWord(text, i, lexicon);
  if (IsApostrophe(next)) return ReadSuffixedWord(text, i, lexicon);
  return std::nullopt;
}

std::optional<Reading> AtDigit(std::string_view text, std::size_t i) {
  if (auto date = ReadDate(text, i)) return date;
  if (auto time = ReadTime(text, i)) return time;
  return ReadSignedNumber(text, i);
}

std::optional<Reading> AtOther(std::string_view text, std::size_t i, const Lexicon& lexicon) {
  const char c = text[i];
  if (c == ' ') return std::nullopt;
  if (c == kNoBreakSpace || c == kSoftHyphen) return Reading{i + 1, {}};  // said as a blank
  if (IsNumberSign(c)) return ReadSignedNumber(text, i);
  if (IsForeignLetter(c) && (i == 0 || !IsLetter(text[i - 1]))) return ReadForeignWord(text, i, lexicon);
  if (c == '.' && i + 1 < text.size() && IsLetter(text[i + 1])) return ReadAddress(text, i, lexicon);
  return std::nullopt;
}

}  // namespace

void Reading::Say(const std::vector<NumberWord>& number) {
  for (const NumberWord& w : number) words.push_back({w.spoken, w.source});
}

std::size_t LetterRunEnd(std::string_view text, std::size_t i) {
  while (i < text.size() && IsLetter(text[i])) ++i;
  return i;
}

void SayWords(Reading& reading, std::string_view words, TokenKind kind) {
  std::size_t at = 0;
  while (at < words.size()) {
    const std::size_t blank = std::min(words.find(' ', at), words.size());
    const std::string word(words.substr(at, blank - at));
    reading.words.push_back({word, word, kind});
    at = blank + 1;
  }
}

bool IsApostrophe(char c) { return c == '\'' || c == kRightQuote; }

bool IsLowerLetter(char c) { return IsLetter(c) && TurkishLower(c) == c; }
bool IsUpperLetter(char c) { return IsLetter(c) && TurkishLower(c) != c; }

void SayLetters(Reading& reading, std::string_view letters) {
  for (char c : letters) {
    for (std::unique_ptr<Token> name = NameCharacter(c); name; name = name->TakeNext()) {
      reading.words.push_back({name->spoken, name->spoken});
    }
  }
}

void SayDigits(Reading& reading, std::string_view digits) {
  while (digits.size() > 1 && digits.front() == '0') {
    reading.Say(NumberWords("0", false));
    digits.remove_prefix(1);
  }
  reading.Say(NumberWords(digits, false));
}

void JoinSuffix(Reading& reading, std::string_view text) {
  const std::size_t at = reading.end;
  if (reading.words.empty() || at + 1 >= text.size() || !IsApostrophe(text[at]) ||
      !IsLetter(text[at + 1])) {
    return;
  }
  const std::size_t end = LetterRunEnd(text, at + 1);
  const std::string suffix = TurkishLower(text.substr(at + 1, end - at - 1));
  ReadWord& last = reading.words.back();
  // dört + üncü: dördüncü; the other number words keep their last letter.
  if (last.spoken == "d\xF6rt" && Syllabifier::IsVowel(suffix.front())) last.spoken.back() = 'd';
  last.spoken += suffix;
  last.source += text.substr(at, end - at);
  reading.end = end;
}

std::optional<Reading> ReadAhead(std::string_view text, std::size_t i, const Lexicon& lexicon) {
  std::optional<Reading> reading;
  switch (ClassOf(text[i])) {
    case CharClass::Letter:
      reading = AtLetter(text, i, lexicon);
      break;
    case CharClass::Digit:
      reading = AtDigit(text, i);
      break;
    case CharClass::Other:
      reading = AtOther(text, i, lexicon);
      break;
  }
  if (reading) JoinSuffix(*reading, text);
  return reading;
}

}  // namespace lirvan
