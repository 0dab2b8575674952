// Numbers with what belongs to them: '-5', '+90', '±2', '%25', '25%',
// '3,5', '$5', '100 €', '25°C', '§ 12', '30 sn'. Taking the sign with the
// number keeps it when punctuation is not read: "eksi beş" and "beş" are
// different numbers.
#include <array>

#include "frontend/reading.h"
#include "speech/units/char_class.h"

namespace lirvan {
namespace {

struct Sign {
  char byte;
  const char* word;
};

// Before the number, said before it. CP1254: ± B1, § A7, ‰ 89.
constexpr std::array<Sign, 6> kLeadingSigns = {{
    {'-', "eksi"}, {'+', "art\xFD"}, {'\xB1', "art\xFD eksi"},
    {'%', "y\xFCzde"}, {'\x89', "binde"}, {'\xA7', "paragraf"},
}};

// Currencies, said after the number wherever they are written.
// CP1254: € 80, £ A3, ¥ A5.
constexpr std::array<Sign, 4> kCurrencies = {{
    {'$', "dolar"}, {'\x80', "avro"}, {'\xA3', "sterlin"}, {'\xA5', "yen"},
}};

// Short forms that are units after a number and something else elsewhere:
// 'Sn. Ahmet' is "sayın", '30 sn' is "saniye"; 'Hz.' is "hazreti".
struct Unit {
  const char* key;
  const char* word;
};
constexpr std::array<Unit, 3> kUnitsAfterNumbers = {{
    {"sn", "saniye"}, {"ms", "milisaniye"}, {"hz", "hertz"},
}};

template <std::size_t N>
const char* WordOf(const std::array<Sign, N>& table, char c) {
  for (const Sign& s : table) {
    if (s.byte == c) return s.word;
  }
  return nullptr;
}

bool IsWordByte(char c) { return IsLetter(c) || IsDigit(c); }

struct Number {
  std::size_t integerEnd = 0;
  std::size_t end = 0;  // after the decimal part, if any
  bool decimal = false;
};

// The integer part at p (grouped '1.250.000' or plain) and a decimal part
// after ',' unless the comma separates a list ('1,2,3').
Number ScanNumber(std::string_view text, std::size_t p) {
  Number n;
  const std::size_t grouped = text[p] == '0' ? 0 : GroupedNumberLength(text, p);
  n.integerEnd = p + grouped;
  if (grouped == 0) {
    while (n.integerEnd < text.size() && IsDigit(text[n.integerEnd])) ++n.integerEnd;
  }
  n.end = n.integerEnd;
  const bool afterList = p >= 2 && text[p - 1] == ',' && IsDigit(text[p - 2]);
  if (afterList || n.end + 1 >= text.size() || text[n.end] != ',' || !IsDigit(text[n.end + 1])) {
    return n;
  }
  std::size_t f = n.end + 1;
  while (f < text.size() && IsDigit(text[f])) ++f;
  if (f + 1 < text.size() && text[f] == ',' && IsDigit(text[f + 1])) return n;
  n.end = f;
  n.decimal = true;
  return n;
}

void SayNumber(Reading& r, std::string_view text, std::size_t p, const Number& n) {
  std::string integer;
  for (std::size_t k = p; k < n.integerEnd; ++k) {
    if (text[k] != '.') integer += text[k];
  }
  SayDigits(r, integer);
  if (n.decimal) {
    r.Say("virg\xFCl");
    SayDigits(r, text.substr(n.integerEnd + 1, n.end - n.integerEnd - 1));
  }
}

// '30 sn': a unit word after the number and a blank.
bool SayUnit(Reading& r, std::string_view text) {
  const std::size_t q = r.end;
  if (q + 1 >= text.size() || text[q] != ' ' || !IsLetter(text[q + 1])) return false;
  const std::size_t w = LetterRunEnd(text, q + 1);
  const std::string_view written = text.substr(q + 1, w - q - 1);
  const std::string unit = TurkishLower(written);
  for (const Unit& u : kUnitsAfterNumbers) {
    if (unit == u.key) {
      r.words.push_back({u.word, std::string(written), TokenKind::Word});
      r.end = w;
      return true;
    }
  }
  return false;
}

// What follows the number and belongs to it; moves r.end past it and
// returns true when there was something.
bool SayAfterNumber(Reading& r, std::string_view text, std::size_t prefixAt) {
  std::size_t q = r.end;
  const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
  if (at(q) == '%' || at(q) == '\x89') {  // '25%' is "yüzde yirmi beş"
    r.words.insert(r.words.begin() + static_cast<std::ptrdiff_t>(prefixAt),
                   {at(q) == '%' ? "y\xFCzde" : "binde", std::string(1, at(q))});
    r.end = q + 1;
    return true;
  }
  if (at(q) == '\xBD') {  // '1½' is "bir buçuk"
    r.Say("bu\xE7uk");
    r.end = q + 1;
    return true;
  }
  const std::size_t sign = at(q) == ' ' ? q + 1 : q;
  if (const char* currency = WordOf(kCurrencies, at(sign)); currency && !IsWordByte(at(sign + 1))) {
    r.Say(currency);
    r.end = sign + 1;
    return true;
  }
  if (at(sign) == '\xB0') {  // °, '25 °C': the C is the usual scale, not said
    r.Say("derece");
    q = sign + 1;
    if ((at(q) == 'C' || at(q) == 'F') && !IsWordByte(at(q + 1))) {
      if (at(q) == 'F') r.Say("fahrenhayt");
      ++q;
    }
    r.end = q;
    return true;
  }
  return SayUnit(r, text);
}

}  // namespace

std::optional<Reading> ReadSignedNumber(std::string_view text, std::size_t i) {
  Reading r;
  std::size_t p = i;
  const char* currency = nullptr;
  if (!IsDigit(text[i])) {
    if (i > 0 && IsWordByte(text[i - 1])) return std::nullopt;  // '3-5', 'a+1'
    const char* leading = WordOf(kLeadingSigns, text[i]);
    currency = WordOf(kCurrencies, text[i]);
    p = i + 1;
    // '% 25' and '§ 12' are written with a blank too; '- 5' is not a sign.
    if ((text[i] == '%' || text[i] == '\xA7') && p < text.size() && text[p] == ' ') ++p;
    if (p >= text.size() || !IsDigit(text[p])) return std::nullopt;
    if (leading) SayWords(r, leading);
  } else if (i > 0 && IsDigit(text[i - 1])) {
    return std::nullopt;
  }
  const std::size_t prefixAt = r.words.size();
  const Number n = ScanNumber(text, p);
  SayNumber(r, text, p, n);
  r.end = n.end;
  const bool after = SayAfterNumber(r, text, prefixAt);
  if (currency) r.Say(currency);
  const bool suffix = r.end + 1 < text.size() && IsApostrophe(text[r.end]) && IsLetter(text[r.end + 1]);
  if (p == i && !n.decimal && !after && !suffix) return std::nullopt;  // the tokenizer reads it
  return r;
}

}  // namespace lirvan
