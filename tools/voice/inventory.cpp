#include "tools/voice/inventory.h"

#include <set>
#include <string_view>

#include "platform/cp1254.h"

namespace lirvan::voice {
namespace {

// Vowels and consonants of the unit alphabet, CP1254.
const std::string kVowels = Utf8ToCp1254("aeıioöuüâîû");
const std::string kConsonants = Utf8ToCp1254("bcçdfgğhjklmnprsştvyzqwx");

// Onset clusters of loanwords (tren, spor, prof, kral ...): CCV units let
// the selection join CCV + C for the rest.
constexpr std::string_view kOnsets[] = {"tr", "pr", "kr", "gr", "br", "dr", "fr", "pl", "kl",
                                        "bl", "fl", "gl", "sp", "st", "sk", "sl", "sm", "sn",
                                        "sf", "sv", "ps", "ks", "tw"};

// Whole words of up to four letters recorded as one piece: frequent short words and the clusters
// the selection would otherwise cut audibly (türk, kırk ...). UTF-8.
constexpr std::string_view kWords[] = {
    "tren", "spor", "kral", "plan", "grup", "prof", "stat", "türk", "kırk", "sırt", "üst",
    "alt",  "ilk",  "aşk",  "dört", "renk", "genç", "sert", "kurt", "yurt", "kalp", "park",
    "film", "form", "test", "kent", "ünlü", "için", "ama",  "veya", "ile",  "gibi", "daha",
    "çok",  "bir",  "iki",  "üç",   "beş",  "altı", "yedi", "on", "yüz",
    "bin",  "şey",  "her",  "ben",  "sen",  "biz",  "siz",  "bu",  "şu",  "o",
    "var",  "yok",  "evet", "ne",  "kim", "gün", "yıl", "ay", "saat",
    "dost", "ters", "harf", "sarp", "fark", "hırs", "kart", "dert"};

}  // namespace

std::vector<std::string> RequiredUnits() {
  std::vector<std::string> units;
  for (char c : Utf8ToCp1254("abcçdefgğhıijklmnoöprsştuüvyzqwxâîû")) units.emplace_back(1, c);
  for (const char* name : {"dabılyu", "iks", "küu"}) units.push_back(Utf8ToCp1254(name));
  for (char c : kConsonants) {
    for (char v : kVowels) units.push_back(std::string{c, v});
  }
  for (char v : kVowels) {
    for (char c : kConsonants) units.push_back(std::string{v, c});
  }
  for (char c1 : kConsonants) {
    for (char v : kVowels) {
      for (char c2 : kConsonants) units.push_back(std::string{c1, v, c2});
    }
  }
  return units;
}

std::vector<std::string> ExtraUnits() {
  std::vector<std::string> units;
  for (std::string_view onset : kOnsets) {
    for (char v : kVowels) units.push_back(std::string(onset) + v);
  }
  for (std::string& word : WholeWordUnits()) units.push_back(std::move(word));
  return units;
}

std::vector<std::string> WholeWordUnits() {
  std::vector<std::string> units;
  for (std::string_view word : kWords) units.push_back(Utf8ToCp1254(word));
  return units;
}

std::vector<std::string> FullInventory(const std::vector<std::string>& wholeWords) {
  std::vector<std::string> all;
  std::set<std::string> seen;
  auto add = [&](const std::string& unit) {
    if (seen.insert(unit).second) all.push_back(unit);
  };
  for (const auto& part : {RequiredUnits(), ExtraUnits()}) {
    for (const std::string& unit : part) add(unit);
  }
  for (const std::string& word : wholeWords) {
    if (!word.empty() && word.size() <= 4) add(word);
  }
  return all;
}

}  // namespace lirvan::voice
