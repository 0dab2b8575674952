// Characters outside the code page become what a Turkish listener should
// hear, never '?' ("soru işareti").
#include "frontend/speech_text.h"

#include <gtest/gtest.h>

#include "platform/cp1254.h"

namespace lirvan {
namespace {

TEST(SpeechText, CharactersOutsideTheCodePageAreFoldedNamedOrDescribed) {
  struct Case {
    const char* utf8;
    const char* heard;  // UTF-8 of the CP1254 result
  };
  const Case cases[] = {
      {"Ankara'da ?", "Ankara'da ?"},        // the code page passes unchanged
      {"Łódź", "lódz"},                      // folded into the word
      {"Gödel ve Erdős", "Gödel ve Erdös"},
      {"Ștefan", "ştefan"},
      {"x → y", "x  sağ ok  y"},
      {"100₺", "100 lira "},
      {"α ve Ω", " alfa  ve  omega "},
      {"−5", "-5"},                          // minus sign: a sign of the number
      {"e\xCC\x81", "e"},                    // combining accent dropped
      {"a\xE2\x80\x8B" "b", "ab"},           // zero-width space dropped
      {"a\xE2\x80\x83" "b", "a b"},          // em space is a blank
      {"Привет мир", " Kiril yazısı "},
      {"😀😀", " simge "},
      {"\xF0\x9F\x91\x8D\xEF\xB8\x8F", " simge "},  // with a variation selector
      {"\xFF", " tanınmayan karakter "},    // malformed UTF-8
      {"\xE0\xA4\x85", " tanınmayan karakter "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Cp1254ToUtf8(SpeechTextFromUtf8(c.utf8)), c.heard);
  }
}

TEST(SpeechText, NoCodePointBecomesAQuestionMark) {
  for (char32_t cp = 0x80; cp < 0x30000; cp += 7) {
    if (UnicodeToCp1254(cp) != '?') continue;
    const std::string text = OutsideCharacter(cp);
    EXPECT_EQ(text.find('?'), std::string::npos) << static_cast<unsigned>(cp);
  }
}

}  // namespace
}  // namespace lirvan
