// Spoken names of symbols and characters, and the units of letters said alone.
#include "frontend/symbols.h"
#include "speech/units/letter_units.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp1254.h"

namespace lirvan {
namespace {

std::string Words(const Token& head) {
  std::string out;
  for (const Token* t = &head; t; t = t->next.get()) {
    if (!out.empty()) out += '|';
    out += Cp1254ToUtf8(t->spoken);
  }
  return out;
}

std::string Named(std::string_view cp1254) {
  auto token = MakeToken(cp1254);
  token->kind = TokenKind::Symbol;
  NameSymbol(*token);
  return Words(*token);
}

struct Case {
  const char* input;  // UTF-8
  const char* words;  // UTF-8, joined by '|'
};

TEST(Symbols, NamesOfOneToThreeWords) {
  const Case cases[] = {
      {"!", "ünlem"},        {" ", "boşluk"},          {"\\", "ters|bölü"},
      {"...", "üç|nokta"},   {"]", "köşeli|parantez|kapat"}, {"\"", "çift|tırnak"},
      {"`", "tek|tırnak"},   {"~", "tırtıl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Named(Utf8ToCp1254(c.input)), c.words);
  }
}

// Signs that were silent: the voice has no units for the bytes themselves.
TEST(Symbols, SignsOfTheCodePageBeyondTheTableHaveTurkishNames) {
  const Case cases[] = {
      {"€", "avro"},     {"½", "yarım"},        {"©", "telif|hakkı"}, {"™", "ticari|marka"},
      {"§", "paragraf"}, {"°", "derece"},       {"±", "artı|eksi"},   {"…", "üç|nokta"},
      {"“", "çift|tırnak"}, {"–", "tire"},      {"×", "çarpı"},       {"¿", "ters|soru|işareti"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Named(Utf8ToCp1254(c.input)), c.words);
  }
  // Every printable sign of the code page now has a name.
  for (int b = 0xA1; b < 0xC0; ++b) {
    if (b == 0xAD) continue;  // soft hyphen: said as nothing
    EXPECT_NE(Named(std::string(1, static_cast<char>(b))), std::string(1, static_cast<char>(b))) << b;
  }
}

TEST(Symbols, TextsWithoutANameStayAsTheyAre) {
  const char* texts[] = {"..", "....", "|", "\t", "\n", "\xE9", "?.", "!!", "a", "", "\x81"};
  for (const char* text : texts) {
    SCOPED_TRACE(Cp1254ToUtf8(text));
    auto token = MakeToken(text);
    NameSymbol(*token);
    EXPECT_EQ(token->spoken, text);
    EXPECT_EQ(token->next, nullptr);
  }
}

TEST(Symbols, NameWordsAreExpansionTokensAheadOfTheRestOfTheChain) {
  auto token = MakeToken("(");
  token->kind = TokenKind::Symbol;
  token->next = MakeToken("x");
  NameSymbol(*token);
  EXPECT_EQ(Words(*token), "parantez|aç|x");
  EXPECT_EQ(token->kind, TokenKind::Symbol);
  EXPECT_EQ(token->source, "(");
  ASSERT_NE(token->next, nullptr);
  EXPECT_EQ(token->next->kind, TokenKind::Expansion);
}

TEST(Symbols, CharactersAreNamedAfterTurkishLowerCasing) {
  const Case cases[] = {
      {"A", "a"},   {"ç", "çe"},  {"Ğ", "yumuşak|ge"}, {"I", "ı"},  {"İ", "i"},
      {"Ş", "şe"},  {"W", "dublüve"}, {"x", "iks"},  {"Q", "kû"},
      {"0", "sıfır"}, {"5", "beş"}, {" ", "boşluk"}, {"?", "soru|işareti"},
      {"|", "|"},   {"é", "é"},   {"Â", "â"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const std::string ch = Utf8ToCp1254(c.input);
    ASSERT_EQ(ch.size(), 1u);
    auto chain = NameCharacter(ch.front());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(Words(*chain), c.words);
  }
}

TEST(Symbols, ANamedCharacterKeepsItselfAsSource) {
  auto chain = NameCharacter('\xD0');  // Ğ
  EXPECT_EQ(chain->source, "\xD0");
  auto digit = NameCharacter('7');
  EXPECT_EQ(digit->source, "7");
}

TEST(Symbols, LetterUnitsAreTheLetterOrItsSpelledName) {
  const Case cases[] = {
      {"Ç", "ç"},   {"I", "ı"},   {"İ", "i"},   {"w", "dabılyu"}, {"W", "dabılyu"},
      {"X", "iks"}, {"q", "küu"}, {"â", ""},    {"5", ""},    {"é", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const std::string ch = Utf8ToCp1254(c.input);
    ASSERT_EQ(ch.size(), 1u);
    auto unit = LetterUnit(ch.front());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(Cp1254ToUtf8(unit->name), c.words);
    EXPECT_EQ(unit->next, nullptr);
  }
}

TEST(Symbols, NoByteIsLeftWithoutACharacterName) {
  for (int b = 0; b < 256; ++b) {
    auto chain = NameCharacter(static_cast<char>(b));
    ASSERT_NE(chain, nullptr);
    EXPECT_FALSE(chain->spoken.empty()) << b;
  }
}

}  // namespace
}  // namespace lirvan
