// Web and mail addresses, read the way a Turkish user says them:
// 'www.ornek.com.tr' is "dabılyu dabılyu dabılyu nokta ornek nokta kom
// nokta te re", 'ali@ornek.org' is "ali et ornek nokta org".
#include <array>
#include <string>

#include "frontend/lexicon.h"
#include "frontend/reading.h"
#include "speech/units/char_class.h"
#include "speech/units/syllabifier.h"

namespace lirvan {
namespace {

// Last labels that make 'ornek.com' an address without 'www.' or a scheme.
// Left out: those that are ordinary words too ('de', 'me', 'at', 'in').
constexpr std::array<std::string_view, 19> kTopLevel = {
    "com", "net", "org", "edu", "gov", "mil", "int", "info", "biz", "io",
    "tr", "uk", "eu", "us", "ru", "nl", "fr", "app", "dev"};

constexpr std::array<std::string_view, 3> kSchemes = {"http://", "https://", "ftp://"};

struct Name {
  char byte;
  const char* words;
};

// In an address '-' is a hyphen, not minus. CP1254: ı FD, ç E7, ü FC, ş FE.
constexpr std::array<Name, 13> kAddressSigns = {{
    {'.', "nokta"}, {'/', "b\xF6l\xFC"}, {'-', "tire"}, {'_', "alt \xE7izgi"},
    {':', "iki nokta"}, {'?', "soru i\xFE" "areti"}, {'=', "e\xFEittir"}, {'&', "ve"},
    {'#', "diyez"}, {'%', "y\xFCzde"}, {'~', "t\xFDrt\xFDl"}, {'@', "et"}, {'+', "art\xFD"},
}};

bool IsAddressByte(char c) {
  if (IsLetter(c) || IsDigit(c)) return true;
  for (const Name& n : kAddressSigns) {
    if (n.byte == c) return true;
  }
  return false;
}

bool IsTopLevel(std::string_view label) {
  const std::string lower = TurkishLower(label);
  for (std::string_view t : kTopLevel) {
    if (lower == t) return true;
  }
  return false;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && TurkishLower(text.substr(0, prefix.size())) == prefix;
}

// 'ornek.com.tr': labels of letters, digits and '-' joined by single dots,
// at least two, the last a known top-level one.
bool IsHostName(std::string_view host) {
  std::size_t labels = 0;
  std::size_t start = 0;
  while (start <= host.size()) {
    const std::size_t dot = std::min(host.find('.', start), host.size());
    const std::string_view label = host.substr(start, dot - start);
    if (label.empty()) return false;
    for (char c : label) {
      if (!IsLetter(c) && !IsDigit(c) && c != '-') return false;
    }
    ++labels;
    if (dot == host.size()) return labels >= 2 && IsTopLevel(label);
    start = dot + 1;
  }
  return false;
}

bool IsAddress(std::string_view run) {
  for (std::string_view scheme : kSchemes) {
    if (StartsWithNoCase(run, scheme)) return run.size() > scheme.size();
  }
  if (StartsWithNoCase(run, "www.")) return run.size() > 4;
  const std::size_t at = run.find('@');
  if (at != std::string_view::npos) {
    if (at == 0) return false;
    for (char c : run.substr(0, at)) {
      if (!IsLetter(c) && !IsDigit(c) && c != '.' && c != '_' && c != '-' && c != '+') return false;
    }
    return IsHostName(run.substr(at + 1));
  }
  return IsHostName(run.substr(0, run.find_first_of("/:?#")));
}

bool HasVowel(std::string_view word) {
  for (char c : word) {
    if (Syllabifier::IsVowel(c)) return true;
  }
  return false;
}

// One label: 'www' and 'com' by their usual names, a label without a vowel
// ('tr', 'bbc') letter by letter, any other as a word.
void SayLabel(Reading& r, std::string_view label, const Lexicon& lexicon) {
  const std::string lower = TurkishLower(label);
  if (lower == "www") {
    SayWords(r, "dab\xFDlyu dab\xFDlyu dab\xFDlyu", TokenKind::Word);
  } else if (lower == "com") {
    SayWords(r, "kom", TokenKind::Word);
  } else if (!HasVowel(lower)) {
    SayLetters(r, lower);
  } else {
    // Only whole words: short keys are abbreviations ('tv', 'fak') that
    // mean nothing inside an address; 'google' and 'gmail' are said as
    // the exception file says.
    const std::string value = lower.size() >= 4 ? lexicon.Lookup(lower) : std::string();
    r.words.push_back({value.empty() ? lower : value, std::string(label), TokenKind::Word});
  }
}

void SayAddress(Reading& r, std::string_view run, const Lexicon& lexicon) {
  std::size_t k = 0;
  for (std::string_view scheme : kSchemes) {
    if (StartsWithNoCase(run, scheme)) {
      SayLetters(r, TurkishLower(run.substr(0, scheme.size() - 3)));
      k = scheme.size() - 3;
    }
  }
  while (k < run.size()) {
    std::size_t end = k;
    if (IsLetter(run[k])) {
      while (end < run.size() && IsLetter(run[end])) ++end;
      SayLabel(r, run.substr(k, end - k), lexicon);
    } else if (IsDigit(run[k])) {
      while (end < run.size() && IsDigit(run[end])) ++end;
      SayDigits(r, run.substr(k, end - k));
    } else {
      for (const Name& n : kAddressSigns) {
        if (n.byte == run[k]) SayWords(r, n.words, TokenKind::Expansion);
      }
      end = k + 1;
    }
    k = end;
  }
}

}  // namespace

std::optional<Reading> ReadAddress(std::string_view text, std::size_t i, const Lexicon& lexicon) {
  if (i > 0 && (IsLetter(text[i - 1]) || IsDigit(text[i - 1]))) return std::nullopt;
  std::size_t end = i;
  while (end < text.size() && IsAddressByte(text[end])) ++end;
  // A sentence's own full stop or question mark is not part of the address.
  while (end > i && std::string_view(".:?-_@&=#%+~").find(text[end - 1]) != std::string_view::npos) {
    --end;
  }
  const std::string_view run = text.substr(i, end - i);
  if (run.size() < 2) return std::nullopt;
  if (run.front() == '.') {
    // '.org' alone: "nokta org".
    if (!IsTopLevel(run.substr(1))) return std::nullopt;
  } else if (!IsAddress(run)) {
    return std::nullopt;
  }
  Reading r;
  r.end = end;
  SayAddress(r, run, lexicon);
  return r;
}

}  // namespace lirvan
