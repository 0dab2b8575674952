#include "frontend/numbers.h"

#include <array>
#include <vector>

#include "speech/units/char_class.h"
#include "platform/trace.h"

namespace lirvan {
namespace {

// CP1254: ç E7, ı FD, ö F6, ş FE, ü FC.
constexpr std::array<const char*, 9> kUnits = {
    "bir", "iki", "\xFC\xE7", "d\xF6rt", "be\xFE", "alt\xFD", "yedi", "sekiz", "dokuz"};
constexpr std::array<const char*, 9> kTens = {
    "on", "yirmi", "otuz", "k\xFDrk", "elli", "atm\xFD\xFE", "yetmi\xFE", "seksen", "doksan"};
constexpr std::array<const char*, 9> kOrdinalSuffixes = {
    "inci", "nci", "\xFCnc\xFC", "\xFCnc\xFC", "inci", "nc\xFD", "nci", "inci", "uncu"};
// Scale word of the group g counted from the right; none beyond g = 6.
constexpr std::array<const char*, 7> kScales = {
    "", "bin", "milyon", "milyar", "trilyon", "katrilyon", "kentrilyon"};

constexpr const char* kHundred = "y\xFCz";
constexpr const char* kZero = "s\xFD" "f\xFDr";
constexpr const char* kZerothOrdinal = "s\xFD" "f\xFDr\xFDnc\xFD";
// Four drops its t before a vowel: dördüncü.
constexpr const char* kFourOrdinalStem = "d\xF6rd";

bool IsOneToNine(char c) { return c >= '1' && c <= '9'; }

std::string DigitWord(const std::array<const char*, 9>& table, char digit) {
  if (!IsOneToNine(digit)) {
    TraceLine("unknown number...");
    return {};
  }
  return table[static_cast<std::size_t>(digit - '1')];
}

void Say(std::vector<NumberWord>& words, std::string word) {
  std::string source = word;
  words.push_back({std::move(word), std::move(source)});
}

// The words of a digit string, group by group from the left.
std::vector<NumberWord> CardinalWords(std::string_view s) {
  std::vector<NumberWord> words;
  const std::size_t n = s.size();
  const std::size_t top = (n - 1) / 3;
  auto digitAt = [&](std::size_t g, std::size_t back) -> char {
    // back = 3 for hundreds, 2 for tens, 1 for units; 0 when absent.
    const std::size_t fromEnd = 3 * g + back;
    return fromEnd <= n ? s[n - fromEnd] : '0';
  };
  for (std::size_t g = top + 1; g-- > 0;) {
    bool said = false;
    const char hundreds = digitAt(g, 3);
    const char tens = digitAt(g, 2);
    const char units = digitAt(g, 1);
    if (hundreds != '0') {
      // One hundred is "yüz", never "bir yüz".
      if (hundreds != '1') Say(words, UnitsWord(hundreds));
      Say(words, kHundred);
      said = true;
    }
    if (tens != '0') {
      Say(words, TensWord(tens));
      said = true;
    }
    if (units != '0') {
      if (g != 1) {
        words.push_back({UnitsWord(units), std::string(1, units)});
      } else if (said || units != '1') {
        // One thousand is "bin", never "bir bin".
        Say(words, UnitsWord(units));
      }
      said = true;
    }
    if (said && g >= 1 && g < kScales.size()) Say(words, kScales[g]);
  }
  return words;
}

// '1000000000000000000000000' as "bir sıfır sıfır ...": past the largest
// scale word a reader spells the digits out.
std::vector<NumberWord> DigitByDigit(std::string_view digits) {
  std::vector<NumberWord> words;
  words.reserve(digits.size());
  for (char d : digits) {
    words.push_back({d == '0' ? std::string(kZero) : UnitsWord(d), std::string(1, d)});
  }
  return words;
}

void MakeOrdinal(NumberWord& last) {
  const char digit = last.source.empty() ? '\0' : last.source.front();
  if (last.source == "0") {
    last.spoken = kZerothOrdinal;
  } else if (IsOneToNine(digit)) {
    if (digit == '4') last.spoken = kFourOrdinalStem;
    last.spoken += OrdinalSuffix(digit);
  } else {
    // A tens word, "yüz" or a scale word: onuncu, yüzüncü, milyonuncu.
    last.spoken += HarmonicOrdinalSuffix(last.spoken);
  }
}

// The vowel the suffix takes after a word whose last vowel is v, or 0.
char HarmonyVowel(char v) {
  switch (static_cast<unsigned char>(v)) {
    case 'a': case 0xFD: case 0xE2:  // a ı â
      return '\xFD';
    case 'e': case 'i': case 0xEE:  // e i î
      return 'i';
    case 'o': case 'u': case 0xFB:  // o u û
      return 'u';
    case 0xF6: case 0xFC:  // ö ü
      return '\xFC';
    default:
      return '\0';
  }
}

}  // namespace

std::string UnitsWord(char digit) { return DigitWord(kUnits, digit); }
std::string TensWord(char digit) { return DigitWord(kTens, digit); }

std::string OrdinalSuffix(char digit) {
  if (!IsOneToNine(digit)) return {};
  return kOrdinalSuffixes[static_cast<std::size_t>(digit - '1')];
}

std::string HarmonicOrdinalSuffix(std::string_view word) {
  for (std::size_t i = word.size(); i-- > 0;) {
    const char v = HarmonyVowel(word[i]);
    if (v == '\0') continue;
    std::string suffix;
    if (i + 1 < word.size()) suffix += v;  // after a consonant: -Inc-
    suffix += "nc";
    suffix += v;
    return suffix;
  }
  return {};
}

std::size_t GroupedNumberLength(std::string_view text, std::size_t pos) {
  const std::size_t n = text.size();
  if (pos >= n || !IsOneToNine(text[pos])) return 0;
  if (pos > 0 && IsDigit(text[pos - 1])) return 0;
  std::size_t end = pos;
  while (end < n && IsDigit(text[end])) ++end;
  if (end - pos > 3) return 0;
  std::size_t groups = 0;
  while (end + 3 < n && text[end] == '.' && IsDigit(text[end + 1]) && IsDigit(text[end + 2]) &&
         IsDigit(text[end + 3]) && (end + 4 == n || !IsDigit(text[end + 4]))) {
    end += 4;
    ++groups;
  }
  return groups > 0 ? end - pos : 0;
}

std::vector<NumberWord> NumberWords(std::string_view text, bool ordinal) {
  std::string digits;
  digits.reserve(text.size());
  for (char c : text) {
    if (c != '.') digits += c;  // grouping dots: '1.250.000'
  }
  std::vector<NumberWord> words;
  if (digits.empty()) return words;
  if (digits.size() > kLongestSpokenNumber) {
    words = DigitByDigit(digits);
  } else if (digits.find_first_not_of('0') != std::string::npos) {
    words = CardinalWords(digits);
  }
  if (words.empty()) {
    // "0", or only zeros when a caller other than the tokenizer hands us
    // leading zeros: still one word, never a silent token.
    Say(words, ordinal ? kZerothOrdinal : kZero);
  } else if (ordinal) {
    MakeOrdinal(words.back());
  }
  return words;
}

void ExpandNumber(Token& token) {
  if (token.kind != TokenKind::Cardinal && token.kind != TokenKind::Ordinal) return;
  std::vector<NumberWord> words = NumberWords(token.spoken, token.kind == TokenKind::Ordinal);
  if (words.empty()) return;

  // Build the chain behind the head; whatever followed the token before
  // stays after its words.
  std::unique_ptr<Token> rest = token.TakeNext();
  for (std::size_t i = words.size(); i-- > 1;) {
    auto word = std::make_unique<Token>();
    word->spoken = std::move(words[i].spoken);
    word->source = std::move(words[i].source);
    word->next = std::move(rest);
    rest = std::move(word);
  }
  token.kind = TokenKind::Expansion;
  token.spoken = std::move(words.front().spoken);
  token.source = std::move(words.front().source);
  token.units = std::make_unique<UnitNode>();
  token.unitCount = 0;
  token.next = std::move(rest);
  token.expansion = &token;  // the head now is the first word
}

}  // namespace lirvan
