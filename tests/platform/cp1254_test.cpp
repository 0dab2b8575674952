#include "platform/cp1254.h"

#include <gtest/gtest.h>

namespace lirvan {
namespace {

TEST(Cp1254, EveryByteSurvivesARoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1254(Cp1254ToUtf8(one)), one) << "byte " << b;
  }
}

TEST(Cp1254, TurkishLettersMapToTheirBytes) {
  struct Case {
    const char* utf8;
    unsigned char byte;
  } cases[] = {{"ç", 0xE7}, {"ğ", 0xF0}, {"ı", 0xFD}, {"ö", 0xF6}, {"ş", 0xFE}, {"ü", 0xFC},
               {"Ç", 0xC7}, {"Ğ", 0xD0}, {"İ", 0xDD}, {"Ö", 0xD6}, {"Ş", 0xDE}, {"Ü", 0xDC},
               {"â", 0xE2}, {"î", 0xEE}, {"û", 0xFB}, {"€", 0x80}, {"…", 0x85}, {"’", 0x92}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    ASSERT_EQ(Utf8ToCp1254(c.utf8), std::string(1, static_cast<char>(c.byte)));
    EXPECT_EQ(Cp1254ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
  }
}

TEST(Cp1254, CharactersOutsideTheCodePageAndBrokenSequencesBecomeQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1254;
  } cases[] = {
      {"日本", "??"},                  // outside the code page
      {"\xF0\x9F\x98\x80", "?"},       // emoji, four bytes
      {"a\xC3", "a?"},                 // truncated sequence
      {"\xC3(", "?("},                 // continuation byte missing: next byte kept
      {"\xC0\x80", "?"},               // overlong encoding, one sequence
      {"\xED\xA0\x80", "?"},           // surrogate half, one sequence
      {"\xFF", "?"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToCp1254(c.utf8), c.cp1254);
  }
}

}  // namespace
}  // namespace lirvan
