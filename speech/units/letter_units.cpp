#include "speech/units/letter_units.h"

#include <array>
#include <string>
#include <string_view>

#include "platform/cp1254.h"
#include "speech/units/char_class.h"

namespace lirvan {
namespace {

// The letter itself for the 29 Turkish letters, a spelled name for the
// three foreign ones (UTF-8 as written here).
constexpr std::string_view kPlainLetters = "abcçdefgğhıijklmnoöprsştuüvyz";
constexpr std::array<std::array<std::string_view, 2>, 3> kForeignLetters = {{
    {"w", "dabılyu"},
    {"x", "iks"},
    {"q", "küu"},
}};

std::array<std::string, 256> Build() {
  std::array<std::string, 256> units;
  for (char c : Utf8ToCp1254(kPlainLetters)) units[static_cast<unsigned char>(c)] = std::string(1, c);
  for (const auto& [letter, name] : kForeignLetters) {
    units[static_cast<unsigned char>(Utf8ToCp1254(letter).front())] = Utf8ToCp1254(name);
  }
  return units;
}

}  // namespace

std::unique_ptr<UnitNode> LetterUnit(char ch) {
  static const std::array<std::string, 256> units = Build();
  return std::make_unique<UnitNode>(units[static_cast<unsigned char>(TurkishLower(ch))]);
}

}  // namespace lirvan
