#include "speech/units/char_class.h"

#include <array>

namespace lirvan {
namespace {

constexpr std::string_view kLower =
    "a\xE2" "bc\xE7" "defg\xF0" "h\xFD\xEE" "ijklmno\xF6" "prs\xFE" "tu\xFB\xFC" "vyzwxq";
constexpr std::string_view kUpper =
    "A\xC2" "BC\xC7" "DEFG\xD0" "HI\xCE\xDD" "JKLMNO\xD6" "PRS\xDE" "TU\xDB\xDC" "VYZWXQ";
static_assert(kLower.size() == 35 && kUpper.size() == 35);

struct Tables {
  std::array<CharClass, 256> cls{};
  std::array<char, 256> lower{};
};

constexpr Tables Build() {
  Tables t{};
  for (unsigned i = 0; i < 256; ++i) {
    t.cls[i] = CharClass::Other;
    t.lower[i] = static_cast<char>(i);
  }
  for (unsigned char c = '0'; c <= '9'; ++c) t.cls[c] = CharClass::Digit;
  for (char c : kLower) t.cls[static_cast<unsigned char>(c)] = CharClass::Letter;
  for (char c : kUpper) t.cls[static_cast<unsigned char>(c)] = CharClass::Letter;
  // The code page's own case pairs: Latin-1 letters 0xC0-0xDE map 0x20 up
  // (0xD7 is the multiplication sign), plus Š Œ Ÿ.
  for (unsigned i = 0xC0; i <= 0xDE; ++i) {
    if (i != 0xD7) t.lower[i] = static_cast<char>(i + 0x20);
  }
  t.lower[0x8A] = static_cast<char>(0x9A);
  t.lower[0x8C] = static_cast<char>(0x9C);
  t.lower[0x9F] = static_cast<char>(0xFF);
  for (unsigned c = 'A'; c <= 'Z'; ++c) t.lower[c] = static_cast<char>(c + 0x20);
  t.lower[static_cast<unsigned char>('I')] = static_cast<char>(0xFD);  // I -> ı
  t.lower[0xDD] = 'i';                                                  // İ -> i
  t.lower[0xD0] = static_cast<char>(0xF0);                              // Ğ -> ğ
  t.lower[0xDE] = static_cast<char>(0xFE);                              // Ş -> ş
  return t;
}

constexpr Tables kTables = Build();

}  // namespace

CharClass ClassOf(char c) { return kTables.cls[static_cast<unsigned char>(c)]; }

char TurkishLower(char c) { return kTables.lower[static_cast<unsigned char>(c)]; }

std::string TurkishLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = TurkishLower(c);
  return out;
}

}  // namespace lirvan
