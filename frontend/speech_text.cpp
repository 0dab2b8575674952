#include "frontend/speech_text.h"

#include <algorithm>
#include <iterator>

#include "platform/cp1254.h"

namespace lirvan {
namespace {

struct Named {
  char32_t from;
  char32_t to;  // inclusive
  std::string_view text;  // UTF-8; blanks around words are added
  bool word;              // false: said as part of the word it stands in
};

// Sorted by code point; the first range containing it wins.
constexpr Named kNames[] = {
    {0x0100, 0x0105, "a", false}, {0x0106, 0x010D, "ç", false}, {0x010E, 0x0111, "d", false},
    {0x0112, 0x011B, "e", false}, {0x011C, 0x011D, "g", false}, {0x0122, 0x0123, "g", false},
    {0x0124, 0x0127, "h", false}, {0x0128, 0x012F, "i", false}, {0x0134, 0x0135, "j", false},
    {0x0136, 0x0138, "k", false}, {0x0139, 0x0142, "l", false}, {0x0143, 0x014B, "n", false},
    {0x014C, 0x014F, "o", false}, {0x0150, 0x0151, "ö", false}, {0x0154, 0x0159, "r", false},
    {0x015A, 0x015D, "ş", false}, {0x0162, 0x0167, "t", false}, {0x0168, 0x016F, "u", false},
    {0x0170, 0x0171, "ü", false}, {0x0172, 0x0173, "u", false}, {0x0174, 0x0175, "w", false},
    {0x0176, 0x0177, "y", false}, {0x0179, 0x017C, "z", false}, {0x017D, 0x017E, "j", false},
    {0x0218, 0x0219, "ş", false}, {0x021A, 0x021B, "t", false},
    {0x0300, 0x036F, "", false},  // combining marks: part of the letter before
    {0x0391, 0x0391, "alfa", true}, {0x0392, 0x0392, "beta", true}, {0x0393, 0x0393, "gama", true},
    {0x0394, 0x0394, "delta", true}, {0x0395, 0x0395, "epsilon", true}, {0x0396, 0x0396, "zeta", true},
    {0x0397, 0x0397, "eta", true}, {0x0398, 0x0398, "teta", true}, {0x0399, 0x0399, "yota", true},
    {0x039A, 0x039A, "kapa", true}, {0x039B, 0x039B, "lamda", true}, {0x039C, 0x039C, "mü", true},
    {0x039D, 0x039D, "nü", true}, {0x039E, 0x039E, "ksi", true}, {0x039F, 0x039F, "omikron", true},
    {0x03A0, 0x03A0, "pi", true}, {0x03A1, 0x03A1, "ro", true}, {0x03A3, 0x03A3, "sigma", true},
    {0x03A4, 0x03A4, "tau", true}, {0x03A5, 0x03A5, "üpsilon", true}, {0x03A6, 0x03A6, "fi", true},
    {0x03A7, 0x03A7, "hi", true}, {0x03A8, 0x03A8, "psi", true}, {0x03A9, 0x03A9, "omega", true},
    {0x0400, 0x04FF, "Kiril yazısı", true}, {0x0590, 0x05FF, "İbrani yazısı", true},
    {0x0600, 0x06FF, "Arap yazısı", true},
    {0x2000, 0x200A, " ", false}, {0x200B, 0x200D, "", false}, {0x2010, 0x2012, "-", false},
    {0x2023, 0x2023, "madde işareti", true}, {0x202F, 0x202F, " ", false},
    {0x2043, 0x2043, "madde işareti", true}, {0x205F, 0x205F, " ", false},
    {0x2060, 0x2060, "", false}, {0x20BA, 0x20BA, "lira", true},
    {0x2190, 0x2190, "sol ok", true}, {0x2191, 0x2191, "yukarı ok", true},
    {0x2192, 0x2192, "sağ ok", true}, {0x2193, 0x2193, "aşağı ok", true},
    {0x2194, 0x2194, "çift yönlü ok", true}, {0x21D2, 0x21D2, "ise", true},
    {0x2206, 0x2206, "delta", true}, {0x2211, 0x2211, "toplam", true}, {0x2212, 0x2212, "-", false},
    {0x221A, 0x221A, "karekök", true}, {0x221E, 0x221E, "sonsuz", true},
    {0x2248, 0x2248, "yaklaşık eşittir", true}, {0x2260, 0x2260, "eşit değildir", true},
    {0x2264, 0x2264, "küçük eşittir", true}, {0x2265, 0x2265, "büyük eşittir", true},
    {0x25A0, 0x25FF, "madde işareti", true}, {0x2605, 0x2606, "yıldız", true},
    {0x263A, 0x263A, "gülen yüz", true}, {0x2665, 0x2665, "kalp", true},
    {0x2713, 0x2714, "onay işareti", true}, {0x2717, 0x2718, "çarpı işareti", true},
    {0x2764, 0x2764, "kalp", true}, {0x3000, 0x3000, " ", false},
    {0x3040, 0x9FFF, "Doğu Asya yazısı", true}, {0xAC00, 0xD7AF, "Doğu Asya yazısı", true},
};

// Lower-case Greek letters are named as the capitals, 0x20 below them.
constexpr char32_t kGreekSmall = 0x03B1;
constexpr char32_t kGreekSmallEnd = 0x03C9;

const Named* Find(char32_t cp) {
  if (cp >= kGreekSmall && cp <= kGreekSmallEnd) cp = cp == 0x03C2 ? 0x03A3 : cp - 0x20;
  const auto it = std::upper_bound(std::begin(kNames), std::end(kNames), cp,
                                   [](char32_t c, const Named& n) { return c < n.from; });
  if (it == std::begin(kNames)) return nullptr;
  const Named& n = *(it - 1);
  return cp <= n.to ? &n : nullptr;
}

bool IsEmoji(char32_t cp) { return (cp >= 0x1F300 && cp <= 0x1FAFF) || (cp >= 0x2600 && cp <= 0x27BF); }

}  // namespace

std::string OutsideCharacter(char32_t codePoint) {
  if (codePoint == 0xFE0F || codePoint == 0xFEFF) return {};  // variation selector, byte order mark
  std::string_view text = "tanınmayan karakter";
  bool word = true;
  if (const Named* n = Find(codePoint)) {
    text = n->text;
    word = n->word;
  } else if (IsEmoji(codePoint)) {
    text = "simge";
  }
  const std::string cp1254 = Utf8ToCp1254(text);
  return word ? " " + cp1254 + " " : cp1254;
}

std::string SpeechTextFromUtf8(std::string_view utf8) {
  std::string text = Utf8ToCp1254(utf8, OutsideCharacter);
  // A run of letters of another script is described once, not per letter.
  for (std::string_view script : {"Kiril yazısı", "İbrani yazısı", "Arap yazısı", "Doğu Asya yazısı",
                                  "simge", "tanınmayan karakter"}) {
    const std::string once = " " + Utf8ToCp1254(script) + " ";
    // 'Привет мир': two words of one script are one description too.
    for (const std::string& twice : {once + once, once + " " + once}) {
      for (std::size_t at = text.find(twice); at != std::string::npos; at = text.find(twice, at)) {
        text.erase(at, twice.size() - once.size());
      }
    }
  }
  return text;
}

}  // namespace lirvan
