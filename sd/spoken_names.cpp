#include "sd/spoken_names.h"

#include <array>
#include <utility>

#include "frontend/speech_text.h"
#include "frontend/symbols.h"
#include "platform/cp1254.h"
#include "speech/units/char_class.h"
#include "speech/units/token.h"

namespace lirvan::sd {
namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 35> kKeys{{
    {"space", "boşluk"},        {"underscore", "alt çizgi"}, {"double-quote", "çift tırnak"},
    {"alt", "alt"},             {"control", "kontrol"},      {"hyper", "hiper"},
    {"meta", "meta"},           {"shift", "şift"},           {"super", "süper"},
    {"backspace", "geri sil"},  {"break", "kes"},            {"delete", "sil"},
    {"down", "aşağı"},          {"end", "son"},              {"enter", "giriş"},
    {"escape", "çıkış"},        {"home", "baş"},             {"insert", "ekle"},
    {"left", "sol"},            {"menu", "menü"},            {"next", "sayfa aşağı"},
    {"num-lock", "sayı kilidi"}, {"pause", "duraklat"},      {"print", "yazdır"},
    {"prior", "sayfa yukarı"},  {"return", "giriş"},         {"right", "sağ"},
    {"scroll-lock", "kaydırma kilidi"}, {"tab", "sekme"},    {"up", "yukarı"},
    {"window", "pencere"},      {"kp-enter", "tuş takımı giriş"}, {"caps-lock", "büyük harf kilidi"},
    {"page-up", "sayfa yukarı"}, {"page-down", "sayfa aşağı"},
}};

// The UTF-8 length of the character starting with this byte (1 for a
// malformed one, so a walk always moves on).
std::size_t CharLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// One character (UTF-8) named.
std::string CharacterName(std::string_view utf8Char, CapLetters caps) {
  const std::string cp = Utf8ToCp1254(utf8Char);
  // Outside the code page: folded, named or described by the front end.
  if (cp.size() != 1 || (cp[0] == '?' && utf8Char != "?")) return Cp1254ToUtf8(SpeechTextFromUtf8(utf8Char));
  std::string spoken;
  const char ch = cp[0];
  if (caps != CapLetters::None && TurkishLower(ch) != ch) spoken = "büyük ";
  const std::unique_ptr<Token> chain = NameCharacter(ch);
  for (const Token* t = chain.get(); t != nullptr; t = t->next.get()) {
    if (!spoken.empty() && spoken.back() != ' ') spoken += ' ';
    spoken += Cp1254ToUtf8(t->spoken);
  }
  return spoken;
}

std::string KeyPart(std::string_view part, CapLetters caps) {
  for (const auto& [name, spoken] : kKeys) {
    if (name == part) return std::string(spoken);
  }
  if (part.size() > 1 && part[0] == 'f' && part.find_first_not_of("0123456789", 1) == std::string_view::npos) {
    return "ef " + std::string(part.substr(1));
  }
  if (part.size() > 3 && part.starts_with("kp-")) return "tuş takımı " + SpelledText(part.substr(3), caps);
  if (part.size() == CharLength(static_cast<unsigned char>(part[0]))) return CharacterName(part, caps);
  return std::string(part);
}

}  // namespace

std::string SpelledText(std::string_view utf8, CapLetters caps) {
  std::string text;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = std::min(CharLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string_view ch = utf8.substr(i, n);
    i += n;
    if (ch == " " || ch == "\n" || ch == "\t" || ch == "\r") continue;
    const std::string name = CharacterName(ch, caps);
    if (name.empty()) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string KeyText(std::string_view keyName, CapLetters caps) {
  std::string text;
  // The prefixes are the auxiliary keys, each ended by '_'; a name that is
  // just "_" or ends in '_' keeps it as the key.
  std::size_t start = 0;
  while (start < keyName.size()) {
    std::size_t underscore = keyName.find('_', start);
    if (underscore == start || underscore == std::string_view::npos || underscore + 1 == keyName.size()) {
      underscore = keyName.size();
    }
    if (!text.empty()) text += ' ';
    text += KeyPart(keyName.substr(start, underscore - start), caps);
    start = underscore + 1;
  }
  return text;
}

}  // namespace lirvan::sd
